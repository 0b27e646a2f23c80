// Copying the octave out of the window: Ctrl+C and the context menus give the texts octave-table
// prints for the same choice, and keyboard playing goes on around them as before.
#include "NativeKeys.h"
#include "WindowFixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QWindow>

namespace {

class FakeKeyState : public TKeyStateSource {
public:
    TModifiers Read(const QKeyEvent&) const override { return State; }
    TModifiers State;
};

class WindowCopyTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Window->SetKeyStateSource(&Keys);
        QGuiApplication::clipboard()->clear();
    }

    // Through the top-level QWindow, where the key preview sees what a person's keys do.
    void Send(QEvent::Type Type, int Key, TNativeKey Code, const QString& Text = {}) {
        const Qt::KeyboardModifiers Mods = Keys.State.Ctrl ? Qt::ControlModifier : Qt::NoModifier;
        QKeyEvent Event(Type, Key, Mods, Code.ScanCode, Code.VirtualKey, 0, Text);
        QCoreApplication::sendEvent(Window->windowHandle(), &Event);
    }
    void PressDigit(int Digit) {
        Send(QEvent::KeyPress, Qt::Key_0 + Digit, NativeDigit(Digit), QString::number(Digit));
    }
    void PressControl() {
        Keys.State.Ctrl = true;
        Send(QEvent::KeyPress, Qt::Key_Control, NativeKey(TKey::Control));
    }
    void ReleaseControl() {
        Send(QEvent::KeyRelease, Qt::Key_Control, NativeKey(TKey::Control));
        Keys.State.Ctrl = false;
    }
    void CtrlC() {
        Send(QEvent::KeyPress, Qt::Key_C, NativeKey(TKey::C), QString(QChar(3)));
        Send(QEvent::KeyRelease, Qt::Key_C, NativeKey(TKey::C), QString(QChar(3)));
    }

    std::string Sent() {
        const std::string Text = Midi.Text();
        Midi.Clear();
        return Text;
    }
    // The synthesizer opens with the programs and the string sounds with this bend and note; a
    // note off the module remembers from an earlier string on the channel may come between.
    void ExpectStrike(const std::string& BendAndNote) {
        const std::string Text = Sent();
        EXPECT_TRUE(Text.starts_with("open, " + ProgramChangesText(24) + ", ") &&
                    Text.ends_with(", " + BendAndNote))
            << Text;
    }
    static std::string Clipboard() { return Utf8(QGuiApplication::clipboard()->text()); }

    // What octave-table prints, in the same locale as the window.
    static std::string Tool(const QStringList& Args) {
        QProcess Process;
        Process.start(OCTAVE_TABLE, Args);
        EXPECT_TRUE(Process.waitForFinished(60'000));
        EXPECT_EQ(Process.exitCode(), 0);
        return Process.readAllStandardOutput().toStdString();
    }

    // The menu that a context-menu request on Target opens.
    static QMenu* ContextMenu(QWidget* Target) {
        QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                Target->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(Target, &Event);
        auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(Menu, nullptr);
        return Menu;
    }
    static QAction* Action(QMenu* Menu, const QString& Text) {
        for (QAction* A : Menu->actions())
            if (A->text().startsWith(Text)) return A;
        ADD_FAILURE() << "no action " << Utf8(Text);
        return nullptr;
    }

    void ChooseHypodorianFromMese() {
        Choose("CBTonos", 6);
        Choose("CBMeigma", 0);
        Group("RGApo")->Button(1)->click();
    }

    FakeKeyState Keys;
};

TEST_F(WindowCopyTest, CtrlCCopiesTheTableOfTheChoiceInTheWindowsLanguage) {
    PressControl();
    CtrlC();
    EXPECT_EQ(Clipboard(), Tool({}));

    ChooseHypodorianFromMese();
    ChooseEnglish(true);
    CtrlC();
    EXPECT_EQ(Clipboard(),
              Tool({"--tonos", "6", "--mixture", "0", "--from", "mese", "--language", "english"}));
}

TEST_F(WindowCopyTest, ContextMenuCopiesTheTableOrTheScalaScale) {
    ChooseHypodorianFromMese();
    QMenu* Greek = ContextMenu(Find<QWidget>("LTetra"));
    ASSERT_NE(Greek, nullptr);
    ASSERT_EQ(Greek->actions().size(), 2);
    EXPECT_EQ(Utf8(Greek->actions()[1]->text()),
              "\u1F08\u03BD\u03C4\u03B9\u03B3\u03C1\u03B1\u03C6\u1F74 \u1F61\u03C2 "
              "\u03BA\u03BB\u1F77\u03BC\u03B1\u03BA\u03B1 Scala");
    Greek->actions()[1]->trigger();
    Greek->close();
    EXPECT_EQ(Clipboard(),
              Tool({"--tonos", "6", "--mixture", "0", "--from", "mese", "--format", "scl"}));

    ChooseEnglish(true);
    QMenu* English = ContextMenu(Rows("LBArab")->viewport());
    ASSERT_NE(English, nullptr);
    EXPECT_EQ(Utf8(English->actions()[0]->text()), "Copy the table\tCtrl+C");
    Action(English, "Copy the table")->trigger();
    English->close();
    EXPECT_EQ(Clipboard(),
              Tool({"--tonos", "6", "--mixture", "0", "--from", "mese", "--language", "english"}));
}

TEST_F(WindowCopyTest, ReadOnlyTextKeepsItsOwnMenuAndGainsTheCopies) {
    ChooseEnglish(true);
    QMenu* Menu = ContextMenu(Find<TReadOnlyText>("MFreq")->viewport());
    ASSERT_NE(Menu, nullptr);
    EXPECT_GT(Menu->actions().size(), 3);
    Action(Menu, "Copy as Scala scale")->trigger();
    Menu->close();
    EXPECT_EQ(Clipboard(), Tool({"--format", "scl", "--language", "english"}));
}

TEST_F(WindowCopyTest, CtrlCInAListCopiesTheTableNotTheRow) {
    TRowList* Lengths = Rows("LBArab");
    Lengths->setFocus();
    Lengths->SetItemIndex(2);
    PressControl();
    CtrlC();
    EXPECT_EQ(Clipboard(), Tool({}));
}

TEST_F(WindowCopyTest, CtrlCWithASelectionInAReadOnlyTextCopiesTheSelection) {
    auto* Hertz = Find<TReadOnlyText>("MFreq");
    Hertz->setFocus();
    Hertz->selectAll();
    PressControl();
    CtrlC();
    EXPECT_EQ(Clipboard(), Utf8(Hertz->toPlainText()));
}

TEST_F(WindowCopyTest, PlayingGoesOnAroundTheCopy) {
    PressDigit(5);
    ExpectStrike("E4 4E 5B, 94 3A 7F");
    // Ctrl silences, as any other key; a digit with Ctrl held sounds five times the frequency.
    PressControl();
    EXPECT_EQ(Sent(), "reset, close");
    PressDigit(1);
    ExpectStrike("E8 4E 56, 98 4F 7F");
    Send(QEvent::KeyRelease, Qt::Key_1, NativeDigit(1), "1");
    EXPECT_EQ(Sent(), "88 4F 00");
    // The preview sees C before the copy takes it: the synthesizer closes, the table is copied.
    CtrlC();
    EXPECT_EQ(Sent(), "reset, close");
    EXPECT_EQ(Clipboard(), Tool({}));
    // Without Ctrl the key sounds the string itself again.
    ReleaseControl();
    PressDigit(1);
    ExpectStrike("E8 7E 5A, 98 33 7F");
}

} // namespace
