// Every control explains itself in the current language, and F1 opens a short help window that
// is modal, in the current language and gone once closed, while F1 still silences playing.
#include "WindowFixture.h"

#include "HelpBox.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <map>

namespace {

const char* const Controls[] = {
    "LBGreek", "LBArab",        "CBTonos", "RGApo",   "CBMeigma",   "LBQesei",       "LBFusei",
    "Label4",  "CLBIntervalle", "LBInt",   "BAllInt", "CBSyrintha", "Cants",         "LBCent",
    "LBNotes", "LTetra",        "MFreq",   "Label1",  "MNotesAbs",  "CBInstrumente", "CBMelodic",
    "LThesei", "LDynamei",      "Label5",  "Label6",  "RGLang"};

// The monotonic accented letters that polytonic Greek writes with oxia instead.
bool Monotonic(QChar C) {
    const char16_t U = C.unicode();
    return U == 0x0386 || (U >= 0x0388 && U <= 0x0390) || (U >= 0x03AC && U <= 0x03B0) ||
           (U >= 0x03CC && U <= 0x03CE);
}

bool HasPolytonic(const QString& Text) {
    return std::any_of(Text.begin(), Text.end(),
                       [](QChar C) { return C.unicode() >= 0x1F00 && C.unicode() <= 0x1FFF; });
}

// The tooltip a hover over W would show, found as Qt finds it.
QString Hover(QWidget* W) {
    QHelpEvent Event(QEvent::ToolTip, W->rect().center(), W->mapToGlobal(W->rect().center()));
    QApplication::sendEvent(W, &Event);
    const QString Shown = QToolTip::text();
    QToolTip::hideText();
    return Shown;
}

TEST_F(WindowTest, EveryControlExplainsItselfInTheCurrentLanguage) {
    std::map<std::string, QString> Greek;
    for (const char* Name : Controls) {
        const QString Tip = Find<QWidget>(Name)->toolTip();
        EXPECT_TRUE(HasPolytonic(Tip)) << Name;
        EXPECT_FALSE(std::any_of(Tip.begin(), Tip.end(), Monotonic)) << Name;
        Greek[Name] = Tip;
    }
    ChooseEnglish(true);
    for (const char* Name : Controls) {
        const QString Tip = Find<QWidget>(Name)->toolTip();
        EXPECT_FALSE(Tip.isEmpty()) << Name;
        EXPECT_FALSE(HasPolytonic(Tip)) << Name;
        EXPECT_NE(Tip, Greek[Name]) << Name;
    }
    // A heading explains its column; a radio button and a list's inner area show their
    // control's text.
    EXPECT_EQ(Find<QWidget>("LThesei")->toolTip(), Find<QWidget>("LBQesei")->toolTip());
    EXPECT_EQ(Find<QWidget>("Cants")->toolTip(), Find<QWidget>("LBCent")->toolTip());
    EXPECT_EQ(Hover(Group("RGApo")->Button(1)), Group("RGApo")->toolTip());
    EXPECT_EQ(Hover(Rows("LBArab")->viewport()), Rows("LBArab")->toolTip());
    ChooseEnglish(false);
    for (const char* Name : Controls)
        EXPECT_EQ(Find<QWidget>(Name)->toolTip(), Greek[Name]) << Name;
}

class HelpTest : public WindowTest {
protected:
    // F1 as the keyboard delivers it, through the window's key preview.
    void PressF1() const {
        QWindow* Handle = Window->windowHandle();
        const TNativeKey F1 = NativeKey(TKey::F1);
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, F1.ScanCode, F1.VirtualKey,
                        0);
        QApplication::sendEvent(Handle, &Press);
        QKeyEvent Release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier, F1.ScanCode,
                          F1.VirtualKey, 0);
        QApplication::sendEvent(Handle, &Release);
    }

    QPointer<THelpBox> OpenBox() const {
        const auto Boxes = Window->findChildren<THelpBox*>();
        return Boxes.size() == 1 ? Boxes.front() : nullptr;
    }

    static bool GoneAfterClosing(QPointer<THelpBox>& Box) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return Box.isNull();
    }
};

TEST_F(HelpTest, F1OpensTheHelpFromEveryControlAndStillSilences) {
    for (const char* Name :
         {"CBSyrintha", "CBTonos", "RGApo", "CBMeigma", "LBQesei", "LBGreek", "LBArab", "LBFusei",
          "CLBIntervalle", "LBInt", "BAllInt", "LBCent", "LBNotes", "MFreq", "MNotesAbs",
          "CBInstrumente", "CBMelodic", "RGLang"}) {
        SCOPED_TRACE(Name);
        Find<QWidget>(Name)->setFocus();
        SynthOpen(24);
        ASSERT_TRUE(SynthOpened);
        PressF1();
        EXPECT_FALSE(SynthOpened);
        QPointer<THelpBox> Box = OpenBox();
        ASSERT_TRUE(Box);
        EXPECT_EQ(QApplication::activeModalWidget(), Box.data());
        QTest::keyClick(Box, Qt::Key_Escape);
        EXPECT_TRUE(GoneAfterClosing(Box));
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
}

TEST_F(HelpTest, TheHelpSpeaksTheCurrentLanguageWholeAndClosesEveryWay) {
    const std::pair<const char*, std::function<void(THelpBox*)>> Ways[] = {
        {"OK",
         [](THelpBox* B) {
             QTest::mouseClick(B->findChild<QPushButton*>(QStringLiteral("OKButton")),
                               Qt::LeftButton);
         }},
        {"Enter", [](THelpBox* B) { QTest::keyClick(B, Qt::Key_Return); }},
        {"close box", [](THelpBox* B) { B->close(); }},
    };
    QString Texts[2];
    for (size_t Way = 0; Way < std::size(Ways); ++Way) {
        const int Lang = static_cast<int>(Way % 2);
        ChooseEnglish(Lang == 1);
        const auto& [How, Close] = Ways[Way];
        SCOPED_TRACE(How);
        PressF1();
        QPointer<THelpBox> Box = OpenBox();
        ASSERT_TRUE(Box);
        EXPECT_EQ(Box->windowTitle(),
                  Lang == 0 ? QStringLiteral(u"Βο\u1F75θεια") : QStringLiteral(u"Help"));
        EXPECT_EQ(Box->minimumSize(), Box->maximumSize());
        auto* Text = Box->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
        Texts[Lang] = Text->toPlainText();
        EXPECT_TRUE(Lang == 1 || HasPolytonic(Texts[Lang]));
        EXPECT_FALSE(std::any_of(Texts[Lang].begin(), Texts[Lang].end(), Monotonic));
        for (const char* Needed : {"135", "F1", "Shift", "Caps Lock", "Ctrl", "Melodic", "About"})
            EXPECT_TRUE(Texts[Lang].contains(QString::fromLatin1(Needed))) << Needed;
        // The whole text shows without scrolling.
        EXPECT_LE(Text->document()->size().height(), Text->viewport()->height());
        EXPECT_EQ(Box->focusWidget(), Box->findChild<QPushButton*>(QStringLiteral("OKButton")));
        Close(Box);
        EXPECT_TRUE(GoneAfterClosing(Box));
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
    EXPECT_NE(Texts[0], Texts[1]);
}

} // namespace
