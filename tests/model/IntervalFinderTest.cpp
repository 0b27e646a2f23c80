#include "Readings.h"
#include "Tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

using TLines = std::vector<std::u16string>;

std::u16string Ascii(const std::string& Text) {
    return std::u16string(Text.begin(), Text.end());
}

class IntervalList : public testing::Test {
protected:
    TLines Find(int32_t t, int32_t m, int32_t Start, std::initializer_list<int> Marks = {},
                bool AllMarked = true, bool AllRatios = false) {
        TChoices C;
        C.Tonos = t;
        C.Mixture = m;
        C.Start = Start;
        C.AllRatios = AllRatios;
        if (!AllMarked) {
            C.Marked.fill(false);
            for (int r : Marks)
                C.Marked[r] = true;
        }
        UpdateReadings(C, Mhkh, Readings);
        return Readings.LBInt;
    }

    TOctave Mhkh = MakeOctave();
    TReadings Readings;
};

const TLines DefaultAllRatios = {
    u"1-2: 9/8",  u"1-3: 81/64",   u"1-4: 4/3",   u"1-5: 3/2",  u"1-6: 27/16", u"1-7: 27/14",
    u"1-8: 2/1",  u"2-3: 9/8",     u"2-4: 32/27", u"2-5: 4/3",  u"2-6: 3/2",   u"2-7: 12/7",
    u"2-8: 16/9", u"3-4: 256/243", u"3-5: 32/27", u"3-6: 4/3",  u"3-7: 32/21", u"3-8: 128/81",
    u"4-5: 9/8",  u"4-6: 81/64",   u"4-7: 81/56", u"4-8: 3/2",  u"5-6: 9/8",   u"5-7: 9/7",
    u"5-8: 4/3",  u"6-7: 8/7",     u"6-8: 32/27", u"7-8: 28/27"};

TEST_F(IntervalList, DefaultChoicesEveryIntervalMarked) {
    const TLines Want = {u"1-5: 3/2",       u"2-6: 3/2",       u"4-8: 3/2",       u"1-4: 4/3",
                         u"2-5: 4/3",       u"3-6: 4/3",       u"5-8: 4/3",       u"2-7: 12/7",
                         u"6-7: 8/7",       u"1-2: 9/8",       u"2-3: 9/8",       u"4-5: 9/8",
                         u"5-6: 9/8",       u"2-8: 16/9",      u"*1-3: 5/4 -22",  u"*4-6: 5/4 -22",
                         u"*3-8: 8/5 +22",  u"*2-4: 6/5 +22",  u"*3-5: 6/5 +22",  u"*6-8: 6/5 +22",
                         u"*1-6: 5/3 -22",  u"*1-2: 10/9 -22", u"*2-3: 10/9 -22", u"*4-5: 10/9 -22",
                         u"*5-6: 10/9 -22", u"*2-8: 9/5 +22"};
    EXPECT_EQ(Find(3, 3, 0), Want);
}

TEST_F(IntervalList, AllRatiosIgnoreTheMarks) {
    EXPECT_EQ(Find(3, 3, 0, {}, true, true), DefaultAllRatios);
    EXPECT_EQ(Find(3, 3, 0, {}, false, true), DefaultAllRatios);
    EXPECT_EQ(Find(3, 3, 0, {2, 5}, false, true), DefaultAllRatios);
}

TEST_F(IntervalList, OnlyTheMarkedIntervals) {
    EXPECT_EQ(Find(3, 3, 0, {0}, false), (TLines{u"1-5: 3/2", u"2-6: 3/2", u"4-8: 3/2"}));
    EXPECT_EQ(Find(3, 3, 0, {2}, false), (TLines{u"*1-3: 5/4 -22", u"*4-6: 5/4 -22"}));
    EXPECT_TRUE(Find(3, 3, 0, {}, false).empty());
}

TEST_F(IntervalList, ShrinksAndGrowsWithReusedBuffers) {
    EXPECT_EQ(Find(3, 3, 0).size(), 26u);
    EXPECT_TRUE(Find(3, 3, 0, {}, false).empty());
    EXPECT_EQ(Find(3, 3, 0, {}, true, true).size(), 28u);
    EXPECT_EQ(Find(6, 0, 1).size(), 20u);
}

TEST_F(IntervalList, HypodorianFromMese) {
    const TLines Want = {u"3-7: 3/2",       u"4-8: 3/2",       u"1-4: 4/3",       u"4-7: 4/3",
                         u"2-4: 7/6",       u"4-5: 7/6",       u"1-2: 8/7",       u"5-7: 8/7",
                         u"2-8: 7/4",       u"3-4: 9/8",       u"7-8: 9/8",       u"1-7: 16/9",
                         u"*2-6: 3/2 +18",  u"*1-3: 6/5 +22",  u"*3-8: 5/3 -22",  u"*6-8: 7/6 -18",
                         u"*1-6: 12/7 +18", u"*3-4: 10/9 -22", u"*7-8: 10/9 -22", u"*1-7: 9/5 +22"};
    EXPECT_EQ(Find(6, 0, 1), Want);
}

TEST_F(IntervalList, HypolydianProductsBeyond32Bits) {
    const TLines Lines = Find(4, 8, 1);
    ASSERT_EQ(Lines.size(), 21u);
    EXPECT_EQ(TLines(Lines.begin(), Lines.begin() + 5),
              (TLines{u"1-5: 3/2", u"2-5: 4/3", u"3-6: 4/3", u"4-7: 4/3", u"5-8: 4/3"}));
    EXPECT_EQ(Lines[19], u"*1-2: 10/9 -22");
    EXPECT_EQ(Lines[20], u"*2-8: 9/5 +22");
    const TLines Ratios = Find(4, 8, 1, {}, true, true);
    ASSERT_EQ(Ratios.size(), 28u);
    EXPECT_EQ(Ratios[20], u"4-7: 4/3");
    EXPECT_EQ(Ratios[25], u"6-7: 10/9");
}

// Every pair against every reference interval, measured from the lengths in long double: the
// list must hold exactly the exact matches and the near ones under 22 cents, exact first.
TEST_F(IntervalList, EveryChoiceListsExactlyTheMatches) {
    for (int32_t t = 0; t < 7; ++t)
        for (int32_t m = 0; m < 19; ++m)
            for (int32_t Start = 0; Start < 2; ++Start) {
                SCOPED_TRACE(testing::Message() << t << " " << m << " " << Start);
                EXPECT_EQ(Find(t, m, Start, {}, true, true).size(), 28u);
                const TLines Lines = Find(t, m, Start);
                EXPECT_GE(Lines.size(), 9u);
                EXPECT_LE(Lines.size(), 31u);

                TLines Exact, Near;
                for (int r = 0; r < 14; ++r)
                    for (int i = 0; i < 7; ++i)
                        for (int j = i + 1; j < 8; ++j) {
                            const TFraction A = Mhkh[i].Ratio, B = Mhkh[j].Ratio, I = Intervals[r];
                            const std::u16string Head =
                                Ascii(std::to_string(i + 1) + "-" + std::to_string(j + 1) + ": " +
                                      std::to_string(I.Num) + "/" + std::to_string(I.Den));
                            // B / A == I exactly, in integers.
                            if (int64_t{B.Num} * A.Den * I.Den == int64_t{A.Num} * B.Den * I.Num) {
                                Exact.push_back(Head);
                                continue;
                            }
                            const long double Cents =
                                1200 * std::log2((long double)I.Num / I.Den) -
                                1200 * std::log2(((long double)B.Num / B.Den) /
                                                 ((long double)A.Num / A.Den));
                            if (std::fabs(Cents) < 22) {
                                EXPECT_GT(std::fabs(Cents), 7.6L);
                                const long Rounded = std::lrint(static_cast<double>(Cents));
                                Near.push_back(
                                    u"*" + Head + u" " +
                                    Ascii((Rounded > 0 ? "+" : "") + std::to_string(Rounded)));
                            }
                        }
                TLines Want = Exact;
                Want.insert(Want.end(), Near.begin(), Near.end());
                EXPECT_EQ(Lines, Want);
            }
}

} // namespace
