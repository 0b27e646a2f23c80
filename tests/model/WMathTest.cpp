#include "WMath.h"
#include "FractionPrinting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace {

struct TCase {
    TFraction In, Out;
};

// The reduction by trial division, step by step as the readings were first defined with it.
TFraction TrialReduce(int64_t N, int64_t D) {
    const bool Negative = (N < 0) != (D < 0);
    N = std::llabs(N);
    D = std::llabs(D);
    if (N == D) {
        N = D = 1;
    } else {
        int64_t Limit = std::min(N, D), d = 1;
        while (Limit > d) {
            ++d;
            while (N % d == 0 && D % d == 0) {
                N /= d;
                D /= d;
                Limit = std::min(N, D);
            }
        }
    }
    if (Negative) N = -N;
    return {static_cast<int32_t>(N), static_cast<int32_t>(D)};
}

TEST(FracReduce, WorkedCases) {
    const TCase Cases[] = {
        {{12, 18}, {2, 3}}, {{-6, 4}, {-3, 2}}, {{6, -4}, {-3, 2}},
        {{-6, -4}, {3, 2}}, {{7, 7}, {1, 1}},   {{-7, 7}, {-1, 1}},
        {{0, 0}, {1, 1}},   {{0, 6}, {0, 6}},   {{5, 0}, {5, 0}},
        {{-5, 0}, {-5, 0}}, {{0, -6}, {0, 6}},  {{81920, 45927}, {81920, 45927}},
        {{1, -9}, {-1, 9}}, {{-9, 1}, {-9, 1}},
    };
    for (const TCase& C : Cases) {
        TFraction F = C.In;
        FracReduce(F);
        EXPECT_EQ(F, C.Out) << "reducing " << C.In.Num << "/" << C.In.Den;
    }
}

TEST(FracReduce, AgreesWithTrialDivisionOverSignedSweep) {
    for (int32_t N = -130; N <= 130; ++N)
        for (int32_t D = -130; D <= 130; ++D) {
            TFraction F{N, D};
            FracReduce(F);
            ASSERT_EQ(F, TrialReduce(N, D)) << N << "/" << D;
        }
    // Larger terms with shared prime powers and coprime neighbours.
    for (int32_t N : {1215, 1638400, 409600, 5103, 15309, 81920, 2147483646})
        for (int32_t D : {16, 729, -1701, 15309, 45927, 2, 1073741823}) {
            TFraction F{N, D};
            FracReduce(F);
            ASSERT_EQ(F, TrialReduce(N, D)) << N << "/" << D;
        }
}

TEST(FracMulDiv, WorkedCases) {
    EXPECT_EQ(FracMul({8, 9}, {9, 8}), (TFraction{1, 1}));
    EXPECT_EQ(FracMul({135, 2}, {4, 3}), (TFraction{90, 1}));
    EXPECT_EQ(FracDiv({80, 1}, {256, 243}), (TFraction{1215, 16}));
    EXPECT_EQ(FracDiv({256, 243}, {80, 1}), (TFraction{16, 1215}));
    EXPECT_EQ(FracMul({-3, 4}, {2, 3}), (TFraction{-1, 2}));
    EXPECT_EQ(FracDiv({3, 4}, {-3, 8}), (TFraction{-2, 1}));
}

TEST(FracMulDiv, ProductsBeyond32BitsReduceExactly) {
    // Both unreduced products exceed 2^31; the quotients are those of the Hypolydian octave.
    EXPECT_EQ(FracDiv({409600, 5103}, {1638400, 15309}), (TFraction{3, 4}));
    EXPECT_EQ(FracDiv({163840, 1701}, {1638400, 15309}), (TFraction{9, 10}));
    EXPECT_EQ(FracMul({1638400, 15309}, {15309, 1638400}), (TFraction{1, 1}));
    EXPECT_EQ(FracMul({65536, 59049}, {59049, 32768}), (TFraction{2, 1}));
    EXPECT_EQ(FracMul({-2147483647, 2}, {2, 2147483647}), (TFraction{-1, 1}));
}

TEST(FracMulDiv, AgreeWithTrialDivisionOfTheProducts) {
    for (int32_t a = -12; a <= 12; ++a)
        for (int32_t b = -12; b <= 12; ++b)
            for (int32_t c = -6; c <= 6; ++c)
                for (int32_t d = -6; d <= 6; ++d) {
                    ASSERT_EQ(FracMul({a, b}, {c, d}), TrialReduce(a * c, b * d));
                    ASSERT_EQ(FracDiv({a, b}, {c, d}), TrialReduce(a * d, b * c));
                }
}

TEST(FracMulDiv, ResultMayReplaceAnOperand) {
    TFraction A{1215, 16}, B{16, 9};
    const TFraction Elsewhere = FracMul(A, B);
    A = FracMul(A, B);
    EXPECT_EQ(A, Elsewhere);
    B = FracDiv(A, B);
    EXPECT_EQ(B, (TFraction{1215, 16}));
}

TEST(FracSplit, WholeAndRest) {
    struct {
        TFraction F;
        int32_t Whole;
        TFraction Rest;
    } const Cases[] = {
        {{1215, 16}, 75, {15, 16}}, {{810, 7}, 115, {5, 7}}, {{120, 1}, 120, {0, 1}},
        {{-7, 2}, -3, {-1, 2}},     {{1, 3}, 0, {1, 3}},
    };
    for (const auto& C : Cases) {
        int32_t Whole = 99;
        TFraction Rest{99, 99};
        FracSplit(C.F, Whole, Rest);
        EXPECT_EQ(Whole, C.Whole) << C.F.Num << "/" << C.F.Den;
        EXPECT_EQ(Rest, C.Rest) << C.F.Num << "/" << C.F.Den;
    }
}

TEST(FracSetMakeCopy, StoreWithoutReducing) {
    TFraction F{};
    FracSet(F, 12, 18);
    EXPECT_EQ(F, (TFraction{12, 18}));
    EXPECT_EQ(FracMake(-6, -4), (TFraction{-6, -4}));
    TFraction G{};
    FracCopy(G, F);
    EXPECT_EQ(G, F);
    EXPECT_EQ(FracToFloat({405, 4}), 101.25);
}

} // namespace
