// The main window's frame, geometry, fonts, glyph coverage, tab order, access keys and key
// preview, measured on the real window.
#include "WindowFixture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWindow>

namespace {

TEST_F(WindowTest, FixedDialogFrameWithTheDeclaredClientArea) {
    EXPECT_EQ(Window->size(), QSize(659, 499));
    EXPECT_EQ(Window->minimumSize(), Window->maximumSize());
    const auto Flags = Window->windowFlags();
    EXPECT_TRUE(Flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(Flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(Flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(WindowTest, ControlsSitWhereTheLayoutPutsThem) {
    struct TPlace {
        const char* Name;
        QRect Rect;
    };
    const TPlace Places[] = {
        {"LBGreek", {234, 107, 89, 180}},   {"LBArab", {329, 107, 105, 180}},
        {"CBTonos", {9, 45, 153, 21}},      {"RGApo", {174, 31, 225, 41}},
        {"CBMeigma", {409, 45, 233, 21}},   {"LBQesei", {9, 107, 217, 180}},
        {"LBFusei", {441, 107, 201, 180}},  {"CLBIntervalle", {9, 308, 113, 147}},
        {"LBInt", {128, 308, 321, 147}},    {"BAllInt", {65, 291, 97, 17}},
        {"CBSyrintha", {9, 9, 206, 21}},    {"LBCent", {456, 315, 33, 139}},
        {"LBNotes", {488, 307, 49, 147}},   {"MFreq", {544, 307, 49, 147}},
        {"MNotesAbs", {592, 307, 49, 147}}, {"CBInstrumente", {8, 467, 169, 21}},
        {"CBMelodic", {184, 470, 66, 17}},  {"RGLang", {233, -4, 136, 34}},
    };
    for (const auto& P : Places)
        EXPECT_EQ(Find<QWidget>(P.Name)->geometry(), P.Rect) << P.Name;
    // Right-aligned labels keep their right edge whatever their text.
    EXPECT_EQ(Find<TFitLabel>("Label5")->geometry().right() + 1, 492);
    EXPECT_EQ(Find<TFitLabel>("Label6")->geometry().right() + 1, 642);
    auto* Tetra = Find<TFitLabel>("LTetra");
    const int LongLeft = Tetra->x();
    Choose("CBMeigma", 5);
    EXPECT_EQ(Tetra->geometry().right() + 1, 639);
    EXPECT_GT(Tetra->x(), LongLeft);
    EXPECT_GE(Tetra->width(), Tetra->sizeHint().width());
}

TEST_F(WindowTest, RowListsShowEightWholeRowsWithoutScrollBar) {
    for (const char* Name : {"LBQesei", "LBGreek", "LBArab", "LBFusei"}) {
        SCOPED_TRACE(Name);
        TRowList* List = Rows(Name);
        EXPECT_EQ(List->viewport()->height(), 8 * 22);
        EXPECT_FALSE(List->verticalScrollBar()->isVisible());
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(List->visualItemRect(List->item(k)),
                      QRect(0, 22 * k, List->viewport()->width(), 22));
    }
}

TEST_F(WindowTest, CheckListHoldsElevenRowsThenThreeInTheSecondColumn) {
    auto* Marks = Find<TCheckList>("CLBIntervalle");
    EXPECT_EQ(Marks->contentsRect().height(), 143);
    const int Column = Marks->viewport()->width() / 2;
    for (int i = 0; i < 14; ++i) {
        const QRect R = Marks->visualItemRect(Marks->item(i));
        EXPECT_EQ(R.topLeft(), i < 11 ? QPoint(0, 13 * i) : QPoint(Column, 13 * (i - 11))) << i;
        EXPECT_EQ(R.height(), 13);
    }
    auto* List = Find<TFlowList>("LBInt");
    const int Third = List->viewport()->width() / 3;
    EXPECT_EQ(List->visualItemRect(List->item(11)).topLeft(), QPoint(Third, 0));
    EXPECT_FALSE(List->horizontalScrollBar()->isVisible());
}

TEST_F(WindowTest, FontsHaveTheirPixelHeightsAndCoverEveryGreekText) {
    EXPECT_EQ(Rows("LBQesei")->font().pixelSize(), 16);
    EXPECT_EQ(Find<TFitLabel>("LThesei")->font().pixelSize(), 16);
    EXPECT_EQ(Combo("CBTonos")->font().pixelSize(), 11);
    EXPECT_EQ(Find<QWidget>("RGLang")->font().pixelSize(), 11);
    EXPECT_TRUE(QFontInfo(Find<TReadOnlyText>("MFreq")->font()).fixedPitch());
    EXPECT_FALSE(QFontInfo(Rows("LBQesei")->font()).fixedPitch());

    const auto Covered = [](const QWidget* W, const QString& Text) {
        const QFontMetrics Metrics(W->font());
        for (char32_t C : Text.toUcs4())
            if (C != u'\n' && !Metrics.inFontUcs4(C)) return false;
        return true;
    };
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        for (const char* Name : {"CBTonos", "CBMeigma", "CBSyrintha"})
            for (int i = 0; i < Combo(Name)->count(); ++i)
                EXPECT_TRUE(Covered(Combo(Name), Combo(Name)->itemText(i))) << Name << i;
        // Every octave the window can show, in both name columns and in Greek numerals.
        for (int Mixture = 0; Mixture < Combo("CBMeigma")->count(); ++Mixture)
            for (int Start : {0, 1}) {
                Choose("CBMeigma", Mixture);
                Group("RGApo")->setItemIndex(Start);
                for (const char* Name : {"LBQesei", "LBFusei", "LBGreek"})
                    for (int k = 0; k < 8; ++k)
                        EXPECT_TRUE(Covered(Rows(Name), Rows(Name)->item(k)->text())) << Name;
            }
        for (const char* Name : {"LThesei", "LDynamei", "LTetra", "Label6"})
            EXPECT_TRUE(Covered(Find<QWidget>(Name), Find<TFitLabel>(Name)->text())) << Name;
        for (int i : {0, 1})
            EXPECT_TRUE(Covered(Group("RGApo"), Group("RGApo")->Button(i)->text()));
    }
}

TEST_F(WindowTest, TabVisitsTheControlsInTheirOrder) {
    const std::vector<std::string> Order = {
        "CBSyrintha", "CBTonos",       "RGApo",     "CBMeigma", "LBQesei", "LBGreek", "LBArab",
        "LBFusei",    "CLBIntervalle", "LBInt",     "BAllInt",  "LBCent",  "LBNotes", "MFreq",
        "MNotesAbs",  "CBInstrumente", "CBMelodic", "RGLang",   "Label6"};
    const auto Focused = [] {
        QWidget* W = QApplication::focusWidget();
        if (W && qobject_cast<QRadioButton*>(W)) W = W->parentWidget();
        return W ? W->objectName().toStdString() : std::string();
    };
    Group("RGApo")->setItemIndex(1); // the group's stop follows its selected item
    std::vector<std::string> Seen;
    for (size_t i = 0; i <= Order.size(); ++i) {
        Seen.push_back(Focused());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    std::vector<std::string> Expected = Order;
    Expected.push_back(Order.front());
    EXPECT_EQ(Seen, Expected);
    for (const char* Back : {"CBSyrintha", "Label6", "RGLang"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(Focused(), Back);
    }
}

TEST_F(WindowTest, AccessKeysReachTheirControls) {
    QTest::keyClick(Window.get(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("CLBIntervalle"));

    QTest::keyClick(Window.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Find<QCheckBox>("BAllInt")->isChecked(); }));
    EXPECT_EQ(Intervals().size(), 28u);

    QTest::keyClick(Window.get(), Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Find<QCheckBox>("CBMelodic")->isChecked(); }));

    for (bool English : {false, true}) {
        ChooseEnglish(English);
        QTest::keyClick(Window.get(), Qt::Key_M, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Group("RGApo")->ItemIndex() == 1; }));
        QTest::keyClick(Window.get(), Qt::Key_N, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Group("RGApo")->ItemIndex() == 0; }));
    }
}

// Focus shows without a key having moved it: compared with the same control unfocused.
TEST_F(WindowTest, TheFocusIsVisibleAtStartAndAfterAClick) {
    auto* Kithara = Combo("CBSyrintha");
    ASSERT_TRUE(Kithara->hasFocus());
    const QImage Focused = Kithara->grab().toImage();
    Combo("CBTonos")->setFocus();
    EXPECT_NE(Kithara->grab().toImage(), Focused);

    TRowList* Arab = Rows("LBArab");
    const QRect Row = Arab->visualItemRect(Arab->item(3));
    QTest::mouseClick(Arab->viewport(), Qt::LeftButton, {}, Row.center());
    ASSERT_TRUE(Arab->hasFocus());
    const QImage Clicked = Arab->viewport()->grab(Row).toImage();
    Combo("CBTonos")->setFocus();
    ASSERT_EQ(Arab->ItemIndex(), 3);
    EXPECT_NE(Arab->viewport()->grab(Row).toImage(), Clicked);
}

TEST_F(WindowTest, KeyPreviewSeesKeysAndLeavesThemToTheFocusedControl) {
    TRowList* Arab = Rows("LBArab");
    Arab->setFocus();
    Arab->SetItemIndex(2);
    QWindow* Handle = Window->windowHandle();
    ASSERT_NE(Handle, nullptr);

    // Digit 5 of the main row: the synthesizer opens.
    QKeyEvent Five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, NativeDigit(5).ScanCode,
                   NativeDigit(5).VirtualKey, 0, QStringLiteral("5"));
    QApplication::sendEvent(Handle, &Five);
    EXPECT_TRUE(SynthOpened);

    // Any other key closes it, and still moves the focused list's row.
    QKeyEvent Down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, NativeKey(TKey::Down).ScanCode,
                   NativeKey(TKey::Down).VirtualKey, 0);
    QApplication::sendEvent(Handle, &Down);
    EXPECT_FALSE(SynthOpened);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 3, 3, 3}));
}

} // namespace
