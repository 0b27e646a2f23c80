#include "Tables.h"
#include "FractionPrinting.h"
#include "Readings.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

template <typename Visit> void ForEachName(Visit V) {
    for (const auto& R : Genera)
        V(R.Names[0], R.Names[1]);
    for (const auto& R : Tonoi)
        V(R.Names[0], R.Names[1]);
    for (const auto& R : NoteNames)
        V(R.Names[0], R.Names[1]);
    for (const auto& R : KitharaTunings)
        V(R.Names[0], R.Names[1]);
}

TEST(Tables, EveryGenusSpansAFourth) {
    for (int g = 0; g < 15; ++g) {
        const TFraction* R = Genera[g].Ratios;
        EXPECT_EQ(FracMul(FracMul(R[0], R[1]), R[2]), (TFraction{4, 3})) << "genus " << g;
    }
}

TEST(Tables, IntervalPairsMakeTheOctave) {
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(FracMul(Intervals[2 * k], Intervals[2 * k + 1]), (TFraction{2, 1}));
    EXPECT_EQ(IntervalText(0), u"3 / 2");
    EXPECT_EQ(IntervalText(11), u"16 / 9");
}

TEST(Tables, RatiosAreInLowestTermsAndIndicesInRange) {
    auto Lowest = [](TFraction F) {
        TFraction R = F;
        FracReduce(R);
        return R == F && F.Num > 0 && F.Den > 0;
    };
    for (const TGenus& G : Genera)
        for (const TFraction& F : G.Ratios)
            EXPECT_TRUE(Lowest(F));
    for (const TTonos& T : Tonoi)
        EXPECT_TRUE(Lowest(T.Ratio));
    for (const TFraction& F : Intervals)
        EXPECT_TRUE(Lowest(F) && F.Num > F.Den);
    for (const TMixture& M : Mixtures) {
        EXPECT_TRUE(M.First >= 0 && M.First < 15 && M.Second >= 0 && M.Second < 15);
    }
    std::set<std::pair<int, int>> Pairs;
    for (const TKitharaTuning& K : KitharaTunings) {
        EXPECT_LT(K.Mixture, 19);
        EXPECT_LT(K.Tonos, 7);
        EXPECT_TRUE(Pairs.insert({K.Mixture, K.Tonos}).second);
    }
}

TEST(Tables, GreekIsPolytonicAndNeverNormalised) {
    // No letter with tonos of the basic Greek block; the accents are Greek Extended.
    ForEachName([](std::u16string_view Greek, std::u16string_view English) {
        for (const std::u16string_view Text : {Greek, English})
            for (const char16_t C : Text) {
                EXPECT_FALSE(C == 0x0386 || (C >= 0x0388 && C <= 0x0390) ||
                             (C >= 0x03AC && C <= 0x03B0) || (C >= 0x03CC && C <= 0x03CE))
                    << "monotonic letter U+" << std::hex << static_cast<int>(C);
                EXPECT_FALSE(C >= 0x0300 && C <= 0x036F) << "combining mark";
            }
    });
    EXPECT_EQ(Tonoi[3].Names[0], u"Δωριστί");
    EXPECT_EQ(static_cast<uint32_t>(Tonoi[3].Names[0].back()), 0x1F77u);
    EXPECT_EQ(Tonoi[3].Names[1], u"Dṓrios");
    EXPECT_EQ(static_cast<uint32_t>(Tonoi[3].Names[1][1]), 0x1E53u);
}

TEST(Tables, LichanosHypatonIsSpelledLikeLichanosMeson) {
    EXPECT_EQ(NoteNames[11].Names[0], u"λιχανὸς ὑπατῶν");
    EXPECT_EQ(NoteNames[11].Names[0].substr(0, 8), NoteNames[8].Names[0].substr(0, 8));
    EXPECT_EQ(NoteNames[11].Names[1], u"likhanós hypatôn");
}

TEST(Tables, MixtureNames) {
    EXPECT_EQ(MixtureName(3, 1), u"diátonon toniaîon + diátonon ditoniaîon");
    EXPECT_EQ(MixtureName(2, 1), u"diátonon toniaîon");
    EXPECT_EQ(MixtureName(0, 0), u"χρῶμα σύντονον + διατονικὸν τονιαῖον");
    EXPECT_EQ(MixtureName(18, 1), u"Didymus' diatonic");
    for (int32_t m = 0; m < 19; ++m) {
        const bool Two = m <= 1 || m == 3 || m == 4;
        for (int32_t L = 0; L < 2; ++L)
            EXPECT_EQ(MixtureName(m, L).find(u" + ") != std::u16string::npos, Two) << m;
    }
}

TEST(Tables, MatchingKithara) {
    EXPECT_EQ(MatchingKithara(3, 3), 0);
    EXPECT_EQ(MatchingKithara(1, 3), 7);
    EXPECT_EQ(MatchingKithara(3, 0), -1);
    EXPECT_EQ(MatchingKithara(0, 6), 2);
    EXPECT_EQ(MatchingKithara(5, 3), -1);
    for (int32_t k = 0; k < 8; ++k)
        EXPECT_EQ(MatchingKithara(KitharaTunings[k].Mixture, KitharaTunings[k].Tonos), k);
}

TEST(Tables, TextsOfRatiosAndGenera) {
    EXPECT_EQ(RatioText({28, 27}), u"27:28");
    EXPECT_EQ(GenusText(4), u"27:28  7:8  8:9");
    EXPECT_EQ(GenusText(0), u"45:46  23:24  4:5");
}

} // namespace
