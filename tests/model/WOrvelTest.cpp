#include "WOrvel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(GreekNumeral, Values) {
    // Written with U+0374 GREEK NUMERAL SIGN and U+0375 GREEK LOWER NUMERAL SIGN.
    const struct {
        int32_t Value;
        std::u16string_view Text;
    } Cases[] = {
        {1, u"α\u0374"},
        {6, u"\u03DA\u0374"},
        {9, u"θ\u0374"},
        {10, u"ι\u0374"},
        {90, u"\u03DE\u0374"},
        {99, u"\u03DEθ\u0374"},
        {100, u"ρ\u0374"},
        {135, u"ρλε\u0374"},
        {900, u"\u03E0\u0374"},
        {999, u"\u03E0\u03DEθ\u0374"},
        {1000, u"α\u0375"},
        {1001, u"α\u0375α\u0374"},
        {1234, u"α\u0375σλδ\u0374"},
        {10000, u"ι\u0375"},
        {1000000, u"α\u0375"},
        {1000001, u"α\u0375α\u0374"},
        {2147483647, u"β\u0375ρμζ\u0375υπγ\u0375χμζ\u0374"},
        {0, u""},
        {-5, u""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(GreekNumeral(C.Value), C.Text) << C.Value;
}

TEST(GreekNumeral, SignIsTheNumeralSignNotModifierPrime) {
    // U+02B9 is what normalisation makes of U+0374; the texts are never normalised.
    const std::u16string Text = GreekNumeral(135);
    ASSERT_EQ(Text.size(), 4u);
    EXPECT_EQ(static_cast<uint32_t>(Text[3]), 0x0374u);
    EXPECT_EQ(Text.find(u'\u02B9'), std::u16string::npos);
}

TEST(GreekNumeral, OrZero) {
    EXPECT_EQ(GreekNumeralOrZero(0), u"\u03BF");
    EXPECT_EQ(GreekNumeralOrZero(-5), u"");
    EXPECT_EQ(GreekNumeralOrZero(60), u"ξ\u0374");
}

TEST(TextHelpers, SignedIntAndChoices) {
    EXPECT_EQ(SignedIntText(5), u"+5");
    EXPECT_EQ(SignedIntText(0), u"0");
    EXPECT_EQ(SignedIntText(-3), u"-3");
    EXPECT_EQ(SignedIntText(-2147483647 - 1), u"-2147483648");
    EXPECT_EQ(SignedIntText(1234567), u"+1234567");
    EXPECT_EQ(IfThenStr(true, u"a", u"b"), u"a");
    EXPECT_EQ(IfThenStr(false, u"a", u"b"), u"b");
    EXPECT_EQ(IfThenInt(true, 1, 2), 1);
    EXPECT_EQ(IfThenInt(false, 1, 2), 2);
}

TEST(RatioToCents, KnownIntervals) {
    EXPECT_DOUBLE_EQ(RatioToCents(2), 1200);
    EXPECT_DOUBLE_EQ(RatioToCents(1), 0);
    EXPECT_NEAR(RatioToCents(1.5), 701.955, 1e-3);
    EXPECT_NEAR(RatioToCents(9.0 / 8), 203.910, 1e-3);
    EXPECT_NEAR(RatioToCents(81.0 / 80), 21.506, 1e-3);
    EXPECT_DOUBLE_EQ(RatioToCents(0.5), -1200);
}

TEST(FreqToPitchName, Frequencies) {
    const struct {
        double Hz;
        std::u16string_view Text;
    } Cases[] = {
        {440, u"A+0"},
        {880, u"A+0"},
        {220, u"A+0"},
        {466.1637615, u"A#+0"},
        {245, u"B-14"},
        {22050.0 / 135, u"E-16"},
        {367.5, u"F#-12"},
        {261.6255653, u"C+0"},
        {1, u"C-38"},
        {1000, u"B+21"},
        {0, u"--"},
        {-1, u"--"},
        {std::nan(""), u"--"},
        {std::numeric_limits<double>::infinity(), u"--"},
        // 50 cents above A after rounding names the upper semitone.
        {440 * std::pow(2.0, 50.2 / 1200), u"A#-50"},
        {440 * std::pow(2.0, 49.4 / 1200), u"A+49"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FreqToPitchName(C.Hz), C.Text) << C.Hz;
}

} // namespace
