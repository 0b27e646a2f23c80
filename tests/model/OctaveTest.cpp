#include "Octave.h"
#include "FractionPrinting.h"
#include "Readings.h"
#include "Tables.h"

#include <gtest/gtest.h>

namespace {

struct TRow {
    TFraction Ratio;
    int32_t Whole;
    TFraction Rest;
    int32_t Minutes;
};

struct TExample {
    const char* Name;
    int32_t t, m, Start;
    TRow Rows[8];
};

const TExample Examples[] = {
    {"Dorian, mixture 3, from nete",
     3,
     3,
     0,
     {{{60, 1}, 60, {0, 1}, 0},
      {{135, 2}, 67, {1, 2}, 30},
      {{1215, 16}, 75, {15, 16}, 56},
      {{80, 1}, 80, {0, 1}, 0},
      {{90, 1}, 90, {0, 1}, 0},
      {{405, 4}, 101, {1, 4}, 15},
      {{810, 7}, 115, {5, 7}, 43},
      {{120, 1}, 120, {0, 1}, 0}}},
    {"Phrygian, mixture 0, from mese",
     2,
     0,
     1,
     {{{560, 9}, 62, {2, 9}, 13},
      {{2240, 33}, 67, {29, 33}, 53},
      {{640, 9}, 71, {1, 9}, 7},
      {{80, 1}, 80, {0, 1}, 0},
      {{640, 7}, 91, {3, 7}, 26},
      {{2560, 27}, 94, {22, 27}, 49},
      {{320, 3}, 106, {2, 3}, 40},
      {{1120, 9}, 124, {4, 9}, 27}}},
    {"Hypodorian, mixture 0, from mese (start folded)",
     6,
     0,
     1,
     {{{60, 1}, 60, {0, 1}, 0},
      {{480, 7}, 68, {4, 7}, 34},
      {{640, 9}, 71, {1, 9}, 7},
      {{80, 1}, 80, {0, 1}, 0},
      {{280, 3}, 93, {1, 3}, 20},
      {{1120, 11}, 101, {9, 11}, 49},
      {{320, 3}, 106, {2, 3}, 40},
      {{120, 1}, 120, {0, 1}, 0}}},
    {"Mixolydian, mixture 5, from nete (half a minute goes to even)",
     0,
     5,
     0,
     {{{60, 1}, 60, {0, 1}, 0},
      {{135, 2}, 67, {1, 2}, 30},
      {{675, 8}, 84, {3, 8}, 22},
      {{2025, 23}, 88, {1, 23}, 3},
      {{90, 1}, 90, {0, 1}, 0},
      {{225, 2}, 112, {1, 2}, 30},
      {{2700, 23}, 117, {9, 23}, 23},
      {{120, 1}, 120, {0, 1}, 0}}},
};

TOctave Build(int32_t t, int32_t m, int32_t Start) {
    TOctave Mhkh = MakeOctave();
    const TStart S = StartParameters(t, Start);
    BuildOctave(Mhkh, m, t, S.s, S.b);
    return Mhkh;
}

TEST(BuildOctave, WorkedExamples) {
    for (const TExample& E : Examples) {
        SCOPED_TRACE(E.Name);
        const TOctave Mhkh = Build(E.t, E.m, E.Start);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(Mhkh[i].Ratio, E.Rows[i].Ratio) << "string " << i + 1;
            EXPECT_EQ(Mhkh[i].Whole, E.Rows[i].Whole) << "string " << i + 1;
            EXPECT_EQ(Mhkh[i].Rest, E.Rows[i].Rest) << "string " << i + 1;
            EXPECT_EQ(Mhkh[i].Minutes, E.Rows[i].Minutes) << "string " << i + 1;
        }
    }
}

// Exactly the Mixolydian octaves from nete with these mixtures meet 675/8, whose 22.5 minutes
// round to 22.
TEST(BuildOctave, ExactHalfMinutesRoundToEven) {
    for (int32_t m : {5, 10, 12, 16, 17, 18}) {
        const TOctave Mhkh = Build(0, m, 0);
        bool Found = false;
        for (int i = 2; i <= 3; ++i)
            if (Mhkh[i].Ratio == (TFraction{675, 8})) {
                Found = true;
                EXPECT_EQ(Mhkh[i].Minutes, 22) << "mixture " << m;
            }
        EXPECT_TRUE(Found) << "mixture " << m;
    }
}

class EveryChoice : public testing::Test {
protected:
    template <typename Check> void ForEach(Check C) {
        for (int32_t t = 0; t < 7; ++t)
            for (int32_t m = 0; m < 19; ++m)
                for (int32_t Start = 0; Start < 2; ++Start) {
                    SCOPED_TRACE(testing::Message()
                                 << "tonos " << t << ", mixture " << m << ", start " << Start);
                    C(t, m, Start, Build(t, m, Start));
                }
    }
};

TEST_F(EveryChoice, LengthsGrowStrictlyAndSpanAnOctave) {
    ForEach([](int32_t, int32_t, int32_t, const TOctave& Mhkh) {
        for (int i = 0; i < 7; ++i) {
            const TFraction A = Mhkh[i].Ratio, B = Mhkh[i + 1].Ratio;
            EXPECT_LT(int64_t{A.Num} * B.Den, int64_t{B.Num} * A.Den) << "strings " << i + 1;
        }
        EXPECT_EQ(Mhkh[7].Ratio, FracMul(Mhkh[0].Ratio, {2, 1}));
        EXPECT_EQ(Mhkh[8].Ratio, (TFraction{135, 1}));
    });
}

TEST_F(EveryChoice, ReferenceStringIsTonosRatioTimesBase) {
    ForEach([](int32_t t, int32_t, int32_t Start, const TOctave& Mhkh) {
        TStart S = StartParameters(t, Start);
        if (S.s > 7) {
            S.s -= 7;
            S.b /= 2;
        }
        EXPECT_EQ(Mhkh[S.s].Ratio, FracMul(Tonoi[t].Ratio, {S.b, 1}));
    });
}

TEST_F(EveryChoice, PartsOfEachLengthAgree) {
    ForEach([](int32_t, int32_t, int32_t, const TOctave& Mhkh) {
        for (int i = 0; i < 8; ++i) {
            const TStringLength& L = Mhkh[i];
            TFraction Reduced = L.Ratio;
            FracReduce(Reduced);
            EXPECT_EQ(Reduced, L.Ratio);
            EXPECT_EQ(L.Rest.Den, L.Ratio.Den);
            EXPECT_EQ(int64_t{L.Whole} * L.Ratio.Den + L.Rest.Num, L.Ratio.Num);
            EXPECT_TRUE(L.Rest.Num >= 0 && L.Rest.Num < L.Rest.Den);
            // Minutes within half a sixtieth of the remainder, never carried into Whole.
            const int64_t Twice = 2 * (int64_t{L.Rest.Num} * 60 - int64_t{L.Minutes} * L.Rest.Den);
            EXPECT_LE(std::abs(Twice), L.Rest.Den);
            EXPECT_TRUE(L.Minutes >= 0 && L.Minutes <= 58);
        }
    });
}

TEST(StartParameters, FromNeteAndFromMese) {
    const TStart Nete = StartParameters(2, 0), Mese = StartParameters(2, 1);
    EXPECT_EQ(Nete.s, 3);
    EXPECT_EQ(Nete.b, 90);
    EXPECT_EQ(Nete.o, 3);
    EXPECT_EQ(Mese.s, 6);
    EXPECT_EQ(Mese.b, 120);
    EXPECT_EQ(Mese.o, 7);
    // Any selection other than 1 counts as from nete.
    EXPECT_EQ(StartParameters(2, -1).b, 90);
}

} // namespace
