// The main window's behaviour read back from its real controls: the state after start, the
// worked examples of every column, the language switch, kithara tunings, the event rules of the
// controls, synchronised rows, the interval marks and shutdown.
#include "WindowFixture.h"

#include <QLocale>
#include <QMouseEvent>
#include <array>

namespace {

struct TExample {
    const char* Name;
    int Tonos, Mixture, Start, Kithara;
    std::u16string_view Tetra;
    std::array<std::u16string_view, 8> Qesei, Fusei, Arab, Greek, Notes, Freq, Abs;
    std::array<std::u16string_view, 7> Cent;
    std::vector<std::u16string_view> Intervals;
};

void PrintTo(const TExample& E, std::ostream* Out) {
    *Out << E.Name;
}

// Both in English; the lengths, cents, pitches and hertz read the same in Greek.
const TExample Examples[] = {
    {"DorianFromNete",
     3,
     3,
     0,
     0,
     u"27:28  7:8  8:9  -  243:256  8:9  8:9",
     {u"nḗtē diezeugménōn", u"paranḗtē diezeugménōn", u"trítē diezeugménōn", u"paramésē", u"mésē",
      u"likhanós mesôn", u"parypátē mesôn", u"hypátē mesôn"},
     {u"nḗtē diezeugménōn", u"paranḗtē diezeugménōn", u"trítē diezeugménōn", u"paramésē", u"mésē",
      u"likhanós mesôn", u"parypátē mesôn", u"hypátē mesôn"},
     {u"60 ", u"67 1/2", u"75 15/16", u"80 ", u"90 ", u"101 1/4", u"115 5/7", u"120 "},
     {u"ξʹ ο", u"ξζʹ λʹ", u"οεʹ νϚʹ", u"πʹ ο", u"Ϟʹ ο", u"ραʹ ιεʹ", u"ριεʹ μγʹ", u"ρκʹ ο"},
     {u"e +2", u"d -2", u"c -6", u"b +4", u"a ", u"g -4", u"f -35", u"e +2"},
     {u"367.5", u"326.7", u"290.4", u"275.6", u"245.0", u"217.8", u"190.6", u"183.8"},
     {u"F#-12", u"E-16", u"D-20", u"C#-10", u"B-14", u"A-18", u"G-49", u"F#-12"},
     {u"204", u"204", u"90", u"204", u"204", u"231", u"63"},
     {u"1-5: 3/2",      u"2-6: 3/2",       u"4-8: 3/2",       u"1-4: 4/3",       u"2-5: 4/3",
      u"3-6: 4/3",      u"5-8: 4/3",       u"2-7: 12/7",      u"6-7: 8/7",       u"1-2: 9/8",
      u"2-3: 9/8",      u"4-5: 9/8",       u"5-6: 9/8",       u"2-8: 16/9",      u"*1-3: 5/4 -22",
      u"*4-6: 5/4 -22", u"*3-8: 8/5 +22",  u"*2-4: 6/5 +22",  u"*3-5: 6/5 +22",  u"*6-8: 6/5 +22",
      u"*1-6: 5/3 -22", u"*1-2: 10/9 -22", u"*2-3: 10/9 -22", u"*4-5: 10/9 -22", u"*5-6: 10/9 -22",
      u"*2-8: 9/5 +22"}},
    {"HypodorianFromMese",
     6,
     0,
     1,
     2,
     u"21:22  11:12  6:7  -  27:28  7:8  8:9",
     {u"mésē", u"likhanós mesôn", u"parypátē mesôn", u"hypátē mesôn", u"likhanós hypatôn",
      u"parypátē hypatôn", u"hypátē hypatôn", u"proslambanómenos"},
     {u"paranḗtē diezeugménōn", u"trítē diezeugménōn", u"paramésē", u"mésē", u"likhanós mesôn",
      u"parypátē mesôn", u"hypátē mesôn", u"likhanós hypatôn"},
     {u"60 ", u"68 4/7", u"71 1/9", u"80 ", u"93 1/3", u"101 9/11", u"106 2/3", u"120 "},
     {u"ξʹ ο", u"ξηʹ λδʹ", u"οαʹ ζʹ", u"πʹ ο", u"Ϟγʹ κʹ", u"ραʹ μθʹ", u"ρϚʹ μʹ", u"ρκʹ ο"},
     {u"e +2", u"d -29", u"c#+8", u"b +4", u"g#+37", u"g -14", u"f#+6", u"e +2"},
     {u"367.5", u"321.6", u"310.1", u"275.6", u"236.3", u"216.6", u"206.7", u"183.8"},
     {u"F#-12", u"E-43", u"D#-6", u"C#-10", u"A#+23", u"A-27", u"G#-8", u"F#-12"},
     {u"231", u"63", u"204", u"267", u"151", u"81", u"204"},
     {u"3-7: 3/2",      u"4-8: 3/2",       u"1-4: 4/3",       u"4-7: 4/3",       u"2-4: 7/6",
      u"4-5: 7/6",      u"1-2: 8/7",       u"5-7: 8/7",       u"2-8: 7/4",       u"3-4: 9/8",
      u"7-8: 9/8",      u"1-7: 16/9",      u"*2-6: 3/2 +18",  u"*1-3: 6/5 +22",  u"*3-8: 5/3 -22",
      u"*6-8: 7/6 -18", u"*1-6: 12/7 +18", u"*3-4: 10/9 -22", u"*7-8: 10/9 -22", u"*1-7: 9/5 +22"}},
};

class WorkedExample : public WindowTest, public ::testing::WithParamInterface<TExample> {};

TEST_P(WorkedExample, EveryColumnReadsAsWorkedOut) {
    const TExample& E = GetParam();
    ChooseEnglish(true);
    Choose("CBTonos", E.Tonos);
    Choose("CBMeigma", E.Mixture);
    Group("RGApo")->Button(E.Start)->click();

    EXPECT_EQ(Combo("CBSyrintha")->currentIndex(), E.Kithara);
    EXPECT_EQ(Utf8(Find<TFitLabel>("LTetra")->text()), Utf8(E.Tetra));
    EXPECT_EQ(RowTexts("LBQesei"), Utf8All(E.Qesei));
    EXPECT_EQ(RowTexts("LBFusei"), Utf8All(E.Fusei));
    EXPECT_EQ(RowTexts("LBArab"), Utf8All(E.Arab));
    EXPECT_EQ(RowTexts("LBGreek"), Utf8All(E.Greek));
    EXPECT_EQ(Lines("LBNotes"), Utf8All(E.Notes));
    EXPECT_EQ(Lines("MFreq"), Utf8All(E.Freq));
    EXPECT_EQ(Lines("MNotesAbs"), Utf8All(E.Abs));
    EXPECT_EQ(Lines("LBCent"), Utf8All(E.Cent));
    EXPECT_EQ(Intervals(), Utf8All(E.Intervals));

    // Back to Greek: only the two name columns change.
    ChooseEnglish(false);
    EXPECT_EQ(RowTexts("LBArab"), Utf8All(E.Arab));
    EXPECT_EQ(Lines("MFreq"), Utf8All(E.Freq));
    EXPECT_NE(RowTexts("LBQesei"), Utf8All(E.Qesei));
}

INSTANTIATE_TEST_SUITE_P(Window, WorkedExample, ::testing::ValuesIn(Examples),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(WindowTest, StartsWithTheDefaultChoicesInGreek) {
    EXPECT_EQ(Utf8(Window->windowTitle()), "ΣΥΡΙΝΘΑ");
    EXPECT_EQ(Utf8(Combo("CBTonos")->currentText()), "Δωριστί");
    EXPECT_EQ(Utf8(Combo("CBMeigma")->currentText()), "διατονικὸν τονιαῖον + διάτονον διτονιαῖον");
    EXPECT_EQ(Utf8(Combo("CBSyrintha")->currentText()), "Λύδια");
    EXPECT_EQ(Combo("CBTonos")->count(), 7);
    EXPECT_EQ(Combo("CBMeigma")->count(), 19);
    EXPECT_EQ(Combo("CBSyrintha")->count(), 8);
    EXPECT_EQ(Group("RGApo")->ItemIndex(), 0);
    EXPECT_EQ(Utf8(Group("RGApo")->Button(0)->text()), "ἀπὸ νήτης (&n)");
    EXPECT_EQ(Group("RGLang")->ItemIndex(), 0);

    auto* Marks = Find<TCheckList>("CLBIntervalle");
    ASSERT_EQ(Marks->count(), 14);
    EXPECT_EQ(Utf8(Marks->item(0)->text()), "3 / 2");
    for (int i = 0; i < Marks->count(); ++i)
        EXPECT_TRUE(Marks->Checked(i)) << i;
    EXPECT_FALSE(Find<QCheckBox>("BAllInt")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CBMelodic")->isChecked());

    auto* Instruments = Combo("CBInstrumente");
    ASSERT_EQ(Instruments->count(), 128);
    EXPECT_EQ(Utf8(Instruments->currentText()), "Acoustic Guitar (Nylon)");
    EXPECT_EQ(Utf8(Instruments->itemText(0)), "Acoustic Grand Piano");
    EXPECT_EQ(Utf8(Instruments->itemText(127)), "Gun Shot");

    EXPECT_EQ(SelectedRows(), (std::vector<int>{-1, -1, -1, -1}));
    for (const char* Name : {"LBQesei", "LBGreek", "LBArab", "LBFusei"})
        EXPECT_EQ(Rows(Name)->count(), 8) << Name;
    EXPECT_FALSE(Rows("LBQesei")->font().italic());
    EXPECT_FALSE(Rows("LBFusei")->font().italic());
    EXPECT_EQ(Utf8(Find<TFitLabel>("LThesei")->text()), "θέσει");
    EXPECT_EQ(Utf8(QApplication::focusWidget()->objectName()), "CBSyrintha");

    EXPECT_DOUBLE_EQ(Window->GetFrequency(4), 245.0);
    EXPECT_NEAR(Window->GetFrequency(8), 490.0 / 3, 1e-12);
}

TEST_F(WindowTest, LanguageSwitchKeepsEverySelectionBothWays) {
    Choose("CBTonos", 2); // no kithara tuning with mixture 3
    ASSERT_EQ(Combo("CBSyrintha")->currentIndex(), -1);
    Group("RGApo")->Button(1)->click();
    Find<TCheckList>("CLBIntervalle")->SetChecked(4, false);
    for (const char* Name : {"LBQesei", "LBGreek", "LBArab", "LBFusei"})
        Rows(Name)->SetItemIndex(5);
    const auto Lengths = RowTexts("LBArab");

    ChooseEnglish(true);
    EXPECT_EQ(Utf8(Window->windowTitle()), "SYRÍNTHA");
    EXPECT_EQ(Utf8(Find<TFitLabel>("LThesei")->text()), "by position");
    EXPECT_EQ(Utf8(Find<TFitLabel>("LDynamei")->text()), "by function");
    EXPECT_EQ(Utf8(Group("RGApo")->Button(0)->text()), "from &nḗtē");
    EXPECT_EQ(Utf8(Group("RGApo")->Button(1)->text()), "from &mésē");
    EXPECT_TRUE(Rows("LBQesei")->font().italic());
    EXPECT_TRUE(Rows("LBFusei")->font().italic());
    EXPECT_EQ(Combo("CBTonos")->currentIndex(), 2);
    EXPECT_EQ(Combo("CBMeigma")->currentIndex(), 3);
    EXPECT_EQ(Combo("CBSyrintha")->currentIndex(), -1);
    EXPECT_EQ(Group("RGApo")->ItemIndex(), 1);
    EXPECT_FALSE(Find<TCheckList>("CLBIntervalle")->Checked(4));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_EQ(RowTexts("LBArab"), Lengths);

    ChooseEnglish(false);
    EXPECT_EQ(Utf8(Window->windowTitle()), "ΣΥΡΙΝΘΑ");
    EXPECT_EQ(Utf8(Group("RGApo")->Button(1)->text()), "ἀπὸ μέσης (&m)");
    EXPECT_FALSE(Rows("LBQesei")->font().italic());
    EXPECT_FALSE(Rows("LBFusei")->font().italic());
    EXPECT_EQ(Group("RGApo")->ItemIndex(), 1);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5, 5, 5, 5}));

    // A selected tuning stays selected too.
    Choose("CBTonos", 3);
    ChooseEnglish(true);
    EXPECT_EQ(Utf8(Combo("CBTonos")->currentText()), "Dṓrios");
    EXPECT_EQ(Utf8(Combo("CBSyrintha")->currentText()), "Lýdia");
    EXPECT_EQ(Utf8(Combo("CBMeigma")->currentText()), "diátonon toniaîon + diátonon ditoniaîon");
}

TEST_F(WindowTest, ChoosingAKitharaTuningPresetsTonosMixtureAndStartPoint) {
    for (int Start : {0, 1}) {
        SCOPED_TRACE(Start);
        Choose("CBSyrintha", 0);
        Group("RGApo")->setItemIndex(Start);
        Refreshes->clear();
        Choose("CBSyrintha", 2);
        EXPECT_EQ(Utf8(Combo("CBSyrintha")->currentText()), "Τρόποι");
        EXPECT_EQ(Combo("CBMeigma")->currentIndex(), 0);
        EXPECT_EQ(Utf8(Combo("CBTonos")->currentText()), "Ὑποδωριστί");
        EXPECT_EQ(Group("RGApo")->ItemIndex(), 0);
        // From mese the start point's own change refreshes first.
        EXPECT_EQ(Refreshes->count(), Start == 1 ? 2 : 1);
    }
}

TEST_F(WindowTest, TonosAndMixtureOfATuningSelectItAndOthersSelectNone) {
    Choose("CBMeigma", 5);
    EXPECT_EQ(Combo("CBSyrintha")->currentIndex(), -1);
    EXPECT_EQ(Utf8(Combo("CBMeigma")->currentText()).find(" + "), std::string::npos);
    for (size_t t = 0; t < std::size(KitharaTunings); ++t) {
        Choose("CBTonos", KitharaTunings[t].Tonos);
        Choose("CBMeigma", KitharaTunings[t].Mixture);
        EXPECT_EQ(Combo("CBSyrintha")->currentIndex(), static_cast<int>(t));
    }
}

TEST_F(WindowTest, ProgrammaticSelectionsRunNoHandler) {
    Combo("CBTonos")->setCurrentIndex(2);
    Combo("CBMeigma")->setCurrentIndex(7);
    Combo("CBSyrintha")->setCurrentIndex(5);
    Combo("CBInstrumente")->setCurrentIndex(3);
    Find<TCheckList>("CLBIntervalle")->SetChecked(0, false);
    Find<QCheckBox>("BAllInt")->setChecked(true);
    Rows("LBArab")->SetItemIndex(3);
    Group("RGApo")->SetItemText(0, QStringLiteral("x"));
    Group("RGApo")->setItemIndex(0); // already selected
    EXPECT_EQ(Refreshes->count(), 0);
    EXPECT_EQ(Group("RGApo")->ItemIndex(), 0); // no kithara preset ran
    EXPECT_EQ(SelectedRows(), (std::vector<int>{-1, -1, 3, -1}));
    EXPECT_EQ(Instrument, 24);

    // A radio group reports programmatic changes as well.
    Group("RGApo")->setItemIndex(1);
    EXPECT_EQ(Refreshes->count(), 1);
}

TEST_F(WindowTest, UserChoicesInTheListsRefreshOnce) {
    auto* Tonos = Combo("CBTonos");
    Tonos->setFocus();
    QTest::keyClick(Tonos, Qt::Key_Down); // each arrow step is a choice
    EXPECT_EQ(Tonos->currentIndex(), 4);
    EXPECT_EQ(Refreshes->count(), 1);
    EXPECT_EQ(Combo("CBSyrintha")->currentIndex(), -1);

    QTest::mouseClick(Find<QCheckBox>("BAllInt"), Qt::LeftButton);
    EXPECT_EQ(Refreshes->count(), 2);
    EXPECT_EQ(Intervals().size(), 28u);
}

TEST_F(WindowTest, RowsStaySynchronisedByMouseAndArrowKeys) {
    auto* Arab = Rows("LBArab");
    QTest::mouseClick(Arab->viewport(), Qt::LeftButton, {},
                      Arab->visualItemRect(Arab->item(5)).center());
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5, 5, 5, 5}));

    for (const char* Name : {"LBQesei", "LBGreek", "LBArab", "LBFusei"}) {
        SCOPED_TRACE(Name);
        const int Before = Rows(Name)->ItemIndex();
        QTest::keyClick(Rows(Name), Before < 7 ? Qt::Key_Down : Qt::Key_Up);
        const int After = Before < 7 ? Before + 1 : Before - 1;
        EXPECT_EQ(SelectedRows(), (std::vector<int>(4, After)));
    }

    // Dragging with the button held over another list.
    auto* Fusei = Rows("LBFusei");
    const QPoint From = Fusei->visualItemRect(Fusei->item(1)).center();
    const QPoint To = Fusei->visualItemRect(Fusei->item(3)).center();
    QTest::mousePress(Fusei->viewport(), Qt::LeftButton, {}, From);
    QMouseEvent Drag(QEvent::MouseMove, To, Fusei->viewport()->mapToGlobal(To), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Fusei->viewport(), &Drag);
    QTest::mouseRelease(Fusei->viewport(), Qt::LeftButton, {}, To);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 3, 3, 3}));

    // A refresh replaces the texts and keeps the row.
    Choose("CBTonos", 0);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 3, 3, 3}));
}

TEST_F(WindowTest, TogglingAMarkRefreshesTheIntervalsAndSelectingDoesNot) {
    auto* Marks = Find<TCheckList>("CLBIntervalle");
    const auto All = Intervals();
    ASSERT_EQ(All.size(), 26u);

    // Only 3/2 marked, through Space on each other item.
    for (int i = 1; i < Marks->count(); ++i) {
        Marks->setCurrentRow(i);
        QTest::keyClick(Marks, Qt::Key_Space);
    }
    EXPECT_EQ(Refreshes->count(), 13);
    EXPECT_EQ(Intervals(), (std::vector<std::string>{"1-5: 3/2", "2-6: 3/2", "4-8: 3/2"}));

    // A click on the text selects; a click in the box toggles.
    const QRect Item = Marks->visualItemRect(Marks->item(0));
    QTest::mouseClick(Marks->viewport(), Qt::LeftButton, {},
                      QPoint(Item.right() - 2, Item.center().y()));
    EXPECT_EQ(Refreshes->count(), 13);
    EXPECT_TRUE(Marks->Checked(0));
    QTest::mouseClick(Marks->viewport(), Qt::LeftButton, {},
                      QPoint(Item.left() + 8, Item.center().y()));
    EXPECT_EQ(Refreshes->count(), 14);
    EXPECT_FALSE(Marks->Checked(0));
    EXPECT_TRUE(Intervals().empty());
}

TEST_F(WindowTest, AllAsRatiosListsEveryPairWhateverTheMarks) {
    const std::vector<std::u16string_view> AllRatios = {
        u"1-2: 9/8",  u"1-3: 81/64",   u"1-4: 4/3",   u"1-5: 3/2",  u"1-6: 27/16", u"1-7: 27/14",
        u"1-8: 2/1",  u"2-3: 9/8",     u"2-4: 32/27", u"2-5: 4/3",  u"2-6: 3/2",   u"2-7: 12/7",
        u"2-8: 16/9", u"3-4: 256/243", u"3-5: 32/27", u"3-6: 4/3",  u"3-7: 32/21", u"3-8: 128/81",
        u"4-5: 9/8",  u"4-6: 81/64",   u"4-7: 81/56", u"4-8: 3/2",  u"5-6: 9/8",   u"5-7: 9/7",
        u"5-8: 4/3",  u"6-7: 8/7",     u"6-8: 32/27", u"7-8: 28/27"};
    auto* Marks = Find<TCheckList>("CLBIntervalle");
    for (bool Marked : {true, false}) {
        for (int i = 0; i < Marks->count(); ++i)
            Marks->SetChecked(i, Marked);
        Find<QCheckBox>("BAllInt")->click();
        EXPECT_EQ(Intervals(), Utf8All(AllRatios));
        Find<QCheckBox>("BAllInt")->click();
    }
    EXPECT_TRUE(Intervals().empty());
}

TEST_F(WindowTest, FrequenciesUseTheLocalesDecimalSeparator) {
    const QLocale Saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Choose("CBTonos", 3);
    QLocale::setDefault(Saved);
    EXPECT_EQ(Lines("MFreq").front(), "367,5");
}

TEST_F(WindowTest, DestroyingTheWindowClosesTheSynthesizer) {
    SynthOpen(24);
    ASSERT_TRUE(SynthOpened);
    Window.reset();
    EXPECT_FALSE(SynthOpened);
    EXPECT_FALSE(Midi.IsOpen());
}

TEST_F(WindowTest, ChoosingAnInstrumentSetsItAndClosesTheSynthesizer) {
    SynthOpen(24);
    Choose("CBInstrumente", 73);
    EXPECT_EQ(Instrument, 73);
    EXPECT_FALSE(SynthOpened);
    Instrument = 24;
}

} // namespace
