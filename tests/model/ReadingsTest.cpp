#include "Readings.h"
#include "AllocationCounter.h"
#include "Tables.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <locale>
#include <span>
#include <stdexcept>
#include <vector>

namespace {

using TColumn = std::array<std::u16string_view, 8>;

class Refresh : public testing::Test {
protected:
    const TReadings& Read(int32_t t, int32_t m, int32_t Start, int32_t Language) {
        Choices.Tonos = t;
        Choices.Mixture = m;
        Choices.Start = Start;
        Choices.Language = Language;
        UpdateReadings(Choices, Mhkh, Readings);
        return Readings;
    }

    static void ExpectColumn(std::span<const std::u16string> Got,
                             std::span<const std::u16string_view> Want, const char* Name) {
        ASSERT_EQ(Got.size(), Want.size()) << Name;
        for (size_t k = 0; k < Want.size(); ++k)
            EXPECT_EQ(Got[k], Want[k]) << Name << " line " << k;
    }

    TChoices Choices;
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
};

TEST_F(Refresh, DefaultChoicesInEnglish) {
    const TReadings& R = Read(3, 3, 0, 1);
    EXPECT_EQ(R.Kithara, 0);
    EXPECT_EQ(R.LTetra, u"27:28  7:8  8:9  -  243:256  8:9  8:9");
    const TColumn Names{
        u"nḗtē diezeugménōn", u"paranḗtē diezeugménōn", u"trítē diezeugménōn", u"paramésē", u"mésē",
        u"likhanós mesôn",    u"parypátē mesôn",        u"hypátē mesôn"};
    ExpectColumn(R.LBQesei, Names, "LBQesei");
    ExpectColumn(R.LBFusei, Names, "LBFusei");
    ExpectColumn(
        R.LBArab,
        TColumn{u"60 ", u"67 1/2", u"75 15/16", u"80 ", u"90 ", u"101 1/4", u"115 5/7", u"120 "},
        "LBArab");
    ExpectColumn(R.LBGreek,
                 TColumn{u"ξʹ ο", u"ξζʹ λʹ", u"οεʹ νϚʹ", u"πʹ ο", u"Ϟʹ ο", u"ραʹ ιεʹ", u"ριεʹ μγʹ",
                         u"ρκʹ ο"},
                 "LBGreek");
    ExpectColumn(R.LBNotes,
                 TColumn{u"e +2", u"d -2", u"c -6", u"b +4", u"a ", u"g -4", u"f -35", u"e +2"},
                 "LBNotes");
    ExpectColumn(
        R.MFreq,
        TColumn{u"367.5", u"326.7", u"290.4", u"275.6", u"245.0", u"217.8", u"190.6", u"183.8"},
        "MFreq");
    ExpectColumn(R.MNotesAbs,
                 TColumn{u"F#-12", u"E-16", u"D-20", u"C#-10", u"B-14", u"A-18", u"G-49", u"F#-12"},
                 "MNotesAbs");
    ExpectColumn(
        R.LBCent,
        std::array<std::u16string_view, 7>{u"204", u"204", u"90", u"204", u"204", u"231", u"63"},
        "LBCent");
    EXPECT_EQ(GetFrequency(Mhkh, 4), 245.0);
}

TEST_F(Refresh, HypodorianFromMese) {
    const TReadings& R = Read(6, 0, 1, 1);
    EXPECT_EQ(R.Kithara, 2);
    EXPECT_EQ(R.LTetra, u"21:22  11:12  6:7  -  27:28  7:8  8:9");
    ExpectColumn(R.LBQesei,
                 TColumn{u"mésē", u"likhanós mesôn", u"parypátē mesôn", u"hypátē mesôn",
                         u"likhanós hypatôn", u"parypátē hypatôn", u"hypátē hypatôn",
                         u"proslambanómenos"},
                 "LBQesei");
    ExpectColumn(R.LBFusei,
                 TColumn{u"paranḗtē diezeugménōn", u"trítē diezeugménōn", u"paramésē", u"mésē",
                         u"likhanós mesôn", u"parypátē mesôn", u"hypátē mesôn",
                         u"likhanós hypatôn"},
                 "LBFusei");
    ExpectColumn(
        R.LBArab,
        TColumn{u"60 ", u"68 4/7", u"71 1/9", u"80 ", u"93 1/3", u"101 9/11", u"106 2/3", u"120 "},
        "LBArab");
    ExpectColumn(R.LBGreek,
                 TColumn{u"ξʹ ο", u"ξηʹ λδʹ", u"οαʹ ζʹ", u"πʹ ο", u"Ϟγʹ κʹ", u"ραʹ μθʹ", u"ρϚʹ μʹ",
                         u"ρκʹ ο"},
                 "LBGreek");
    ExpectColumn(R.LBNotes,
                 TColumn{u"e +2", u"d -29", u"c#+8", u"b +4", u"g#+37", u"g -14", u"f#+6", u"e +2"},
                 "LBNotes");
    ExpectColumn(
        R.MFreq,
        TColumn{u"367.5", u"321.6", u"310.1", u"275.6", u"236.3", u"216.6", u"206.7", u"183.8"},
        "MFreq");
    ExpectColumn(
        R.MNotesAbs,
        TColumn{u"F#-12", u"E-43", u"D#-6", u"C#-10", u"A#+23", u"A-27", u"G#-8", u"F#-12"},
        "MNotesAbs");
    ExpectColumn(
        R.LBCent,
        std::array<std::u16string_view, 7>{u"231", u"63", u"204", u"267", u"151", u"81", u"204"},
        "LBCent");
}

TEST_F(Refresh, DorianFromMeseNamesDifferOnlyInTheLastLine) {
    const TReadings& R = Read(3, 3, 1, 1);
    EXPECT_EQ(R.Kithara, 0);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(R.LBQesei[k], R.LBFusei[k]) << k;
    EXPECT_EQ(R.LBQesei[0], u"mésē");
    EXPECT_EQ(R.LBQesei[7], u"proslambanómenos");
    EXPECT_EQ(R.LBFusei[7], u"nḗtē hyperbolaíōn");
}

TEST_F(Refresh, DorianEnharmonic) {
    const TReadings& R = Read(3, 5, 0, 1);
    EXPECT_EQ(R.Kithara, -1);
    EXPECT_EQ(R.LTetra, u"45:46  23:24  4:5");
    ExpectColumn(
        R.LBCent,
        std::array<std::u16string_view, 7>{u"386", u"74", u"38", u"204", u"386", u"74", u"38"},
        "LBCent");
    EXPECT_EQ(R.MFreq[5], u"196.0");
    EXPECT_EQ(R.MNotesAbs[5], u"G+0");
}

TEST_F(Refresh, HypolydianSoftDiatonicFromMese) {
    const TReadings& R = Read(4, 8, 1, 1);
    const TFraction Lengths[8] = {{40960, 729}, {5120, 81},     {40960, 567},     {409600, 5103},
                                  {20480, 243}, {163840, 1701}, {1638400, 15309}, {81920, 729}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Mhkh[i].Ratio.Num, Lengths[i].Num) << i;
        EXPECT_EQ(Mhkh[i].Ratio.Den, Lengths[i].Den) << i;
    }
    EXPECT_EQ(R.LBArab[6], u"107 337/15309");
    EXPECT_EQ(R.LBNotes[6], u"f#");
    ExpectColumn(
        R.LBCent,
        std::array<std::u16string_view, 7>{u"204", u"231", u"182", u"84", u"231", u"182", u"84"},
        "LBCent");
}

TEST_F(Refresh, GreekNamesAndLanguageSwitch) {
    const TReadings English = Read(6, 0, 1, 1);
    const TReadings& Greek = Read(6, 0, 1, 0);
    EXPECT_EQ(Greek.LBQesei[0], u"μέση");
    EXPECT_EQ(Greek.LBQesei[4], u"λιχανὸς ὑπατῶν");
    EXPECT_EQ(Greek.LBQesei[7], u"προσλαμβανόμενος");
    EXPECT_EQ(Greek.LBFusei[0], u"παρανήτη διεζευγμένων");
    // Only the two name columns follow the language.
    EXPECT_EQ(Greek.Kithara, English.Kithara);
    EXPECT_EQ(Greek.LTetra, English.LTetra);
    EXPECT_EQ(Greek.LBArab, English.LBArab);
    EXPECT_EQ(Greek.LBGreek, English.LBGreek);
    EXPECT_EQ(Greek.LBCent, English.LBCent);
    EXPECT_EQ(Greek.LBNotes, English.LBNotes);
    EXPECT_EQ(Greek.MFreq, English.MFreq);
    EXPECT_EQ(Greek.MNotesAbs, English.MNotesAbs);
    EXPECT_EQ(Greek.LBInt, English.LBInt);
}

TEST_F(Refresh, NamesByFunctionAgreeWithPositionInDorianFromNete) {
    for (int32_t m = 0; m < 19; ++m) {
        const TReadings& R = Read(3, m, 0, 0);
        EXPECT_EQ(R.LBQesei, R.LBFusei) << "mixture " << m;
    }
}

// A refresh writes into the buffers of the last one: once they are large enough, it allocates
// nothing, also when the language changes.
TEST_F(Refresh, RepeatedRefreshAllocatesNothing) {
    Read(4, 8, 1, 0);
    Read(4, 8, 1, 1);
    const std::size_t Before = AllocationCount();
    Read(4, 8, 1, 0);
    Read(4, 8, 1, 1);
    Read(4, 8, 1, 0);
    EXPECT_EQ(AllocationCount() - Before, 0u);
    // The counter does see the allocations of fresh buffers.
    TReadings Fresh;
    UpdateReadings(Choices, Mhkh, Fresh);
    EXPECT_GT(AllocationCount() - Before, 0u);
}

TEST_F(Refresh, DecimalSeparatorAppliesToFrequenciesOnly) {
    const TReadings Point = Read(3, 3, 0, 1);
    Choices.DecimalSeparator = u',';
    const TReadings& Comma = Read(3, 3, 0, 1);
    EXPECT_EQ(Comma.MFreq[0], u"367,5");
    EXPECT_EQ(Comma.MFreq[7], u"183,8");
    EXPECT_EQ(Comma.LBArab, Point.LBArab);
    EXPECT_EQ(Comma.LBInt, Point.LBInt);
}

// The exact value 22050 · Den / Num is rounded, halves away from zero; a double evaluation of
// (90 / length) · 245 puts some halves on the wrong side.
TEST(FrequencyText, RoundsTheExactValueHalvesAwayFromZero) {
    const struct {
        TFraction Length;
        std::u16string_view Text;
    } Cases[] = {
        {{200, 3}, u"330.8"}, // 330.75
        {{120, 1}, u"183.8"}, // 183.75
        {{280, 3}, u"236.3"}, // 236.25
        {{90, 1}, u"245.0"},   {{135, 1}, u"163.3"},
        {{60, 1}, u"367.5"},   {{2940, 1}, u"7.5"}, // 7.5 exactly keeps its one decimal
        {{441000, 1}, u"0.1"},                      // 0.05
        {{882000, 1}, u"0.0"},                      // 0.025
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(FrequencyText(C.Length, u'.'), C.Text) << C.Length.Num << "/" << C.Length.Den;
    }
    EXPECT_EQ(FrequencyText({200, 3}, u','), u"330,8");
}

TEST(GetFrequency, IsTheCorrectlyRoundedQuotient) {
    TOctave Mhkh = MakeOctave();
    EXPECT_EQ(GetFrequency(Mhkh, 8), 22050.0 / 135);
    Mhkh[0].Ratio = {200, 3};
    EXPECT_EQ(GetFrequency(Mhkh, 0), 330.75);
    TChoices Choices;
    TReadings R;
    for (Choices.Tonos = 0; Choices.Tonos < 7; ++Choices.Tonos)
        for (Choices.Mixture = 0; Choices.Mixture < 19; ++Choices.Mixture)
            for (Choices.Start = 0; Choices.Start < 2; ++Choices.Start) {
                UpdateReadings(Choices, Mhkh, R);
                for (int32_t L = 0; L < 9; ++L) {
                    const long double Exact = 22050.0L * Mhkh[L].Ratio.Den / Mhkh[L].Ratio.Num;
                    const double F = GetFrequency(Mhkh, L);
                    EXPECT_LE(std::fabs(static_cast<long double>(F) - Exact),
                              0.5L * (std::nextafter(F, INFINITY) - F))
                        << Choices.Tonos << " " << Choices.Mixture << " " << L;
                }
            }
}

std::vector<TReadings> ReadAll() {
    std::vector<TReadings> All(266 * 2);
    TOctave Mhkh = MakeOctave();
    TChoices C;
    size_t n = 0;
    for (C.Tonos = 0; C.Tonos < 7; ++C.Tonos)
        for (C.Mixture = 0; C.Mixture < 19; ++C.Mixture)
            for (C.Start = 0; C.Start < 2; ++C.Start)
                for (C.Language = 0; C.Language < 2; ++C.Language)
                    UpdateReadings(C, Mhkh, All[n++]);
    return All;
}

bool SameTexts(const TReadings& A, const TReadings& B) {
    return A.Kithara == B.Kithara && A.LTetra == B.LTetra && A.LBQesei == B.LBQesei &&
           A.LBFusei == B.LBFusei && A.LBArab == B.LBArab && A.LBGreek == B.LBGreek &&
           A.LBNotes == B.LBNotes && A.MFreq == B.MFreq && A.MNotesAbs == B.MNotesAbs &&
           A.LBCent == B.LBCent && A.LBInt == B.LBInt;
}

TEST(Readings, IgnoreTheGlobalLocale) {
    const std::string Previous = std::setlocale(LC_ALL, nullptr);
    const std::locale PreviousGlobal;
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    const auto InC = ReadAll();
    // The POSIX name, then the Windows C runtime's; a C++ library without named locales (mingw's)
    // keeps the classic global locale, and the C one is still German.
    const char* German = nullptr;
    for (const char* Name : {"de_DE.UTF-8", "German_Germany.1252"})
        if (!German && std::setlocale(LC_ALL, Name)) German = Name;
    ASSERT_NE(German, nullptr) << "no German locale";
    try {
        std::locale::global(std::locale(German));
    } catch (const std::runtime_error&) {
    }
    const auto InGerman = ReadAll();
    std::setlocale(LC_ALL, Previous.c_str());
    std::locale::global(PreviousGlobal);
    for (size_t i = 0; i < InC.size(); ++i)
        EXPECT_TRUE(SameTexts(InC[i], InGerman[i])) << i;
}

TEST(Readings, NoTextCarriesModifierPrimeOrIsEmpty) {
    for (const TReadings& R : ReadAll()) {
        for (const auto& Column : {std::span<const std::u16string>(R.LBGreek),
                                   std::span<const std::u16string>(R.LBQesei)})
            for (const std::u16string& Line : Column) {
                EXPECT_FALSE(Line.empty());
                EXPECT_EQ(Line.find(u'\u02B9'), std::u16string::npos);
            }
        for (const std::u16string& Line : R.MNotesAbs)
            EXPECT_NE(Line, u"--");
    }
}

} // namespace
