#include "WOrvel.h"

#include <charconv>
#include <cmath>

namespace {

// Units 1..9, tens 10..18, hundreds 19..27; the archaic letters are the capital forms.
constexpr char16_t GreekDigits[28] = {u'\u00FF', u'α', u'β', u'γ', u'δ',      u'ε', u'\u03DA',
                                      u'ζ',      u'η', u'θ', u'ι', u'κ',      u'λ', u'μ',
                                      u'ν',      u'ξ', u'ο', u'π', u'\u03DE', u'ρ', u'σ',
                                      u'τ',      u'υ', u'φ', u'χ', u'ψ',      u'ω', u'\u03E0'};

constexpr char16_t NumeralSign = u'\u0374';
constexpr char16_t LowerNumeralSign = u'\u0375';
constexpr char16_t Zero = u'\u03BF';

constexpr std::u16string_view PitchLetters = u"AaBCcDdEFfGg";

} // namespace

std::u16string IfThenStr(bool Condition, std::u16string_view WhenTrue,
                         std::u16string_view WhenFalse) {
    return std::u16string(Condition ? WhenTrue : WhenFalse);
}

int32_t IfThenInt(bool Condition, int32_t WhenTrue, int32_t WhenFalse) {
    return Condition ? WhenTrue : WhenFalse;
}

void AppendDecimal(std::u16string& Out, int64_t Value) {
    // to_chars ignores the global locale, so no grouping or foreign digits creep in.
    char Digits[24];
    const auto End = std::to_chars(Digits, Digits + sizeof Digits, Value).ptr;
    Out.append(Digits, End);
}

void AppendSignedInt(std::u16string& Out, int32_t Value) {
    if (Value > 0) Out += u'+';
    AppendDecimal(Out, Value);
}

std::u16string SignedIntText(int32_t Value) {
    std::u16string Text;
    AppendSignedInt(Text, Value);
    return Text;
}

void AppendGreekNumeral(std::u16string& Out, int32_t Value) {
    if (Value <= 0) return;
    // Groups of three digits from the low end; each is written with its sign after it, the
    // highest first. A group of three zeros writes nothing, not even a sign.
    int32_t Groups[4]{};
    int Count = 0;
    for (int32_t N = Value; N > 0; N /= 1000)
        Groups[Count++] = N % 1000;
    for (int G = Count - 1; G >= 0; --G) {
        const int32_t Hundreds = Groups[G] / 100, Tens = Groups[G] / 10 % 10,
                      Units = Groups[G] % 10;
        if (Groups[G] == 0) continue;
        if (Hundreds > 0) Out += GreekDigits[18 + Hundreds];
        if (Tens > 0) Out += GreekDigits[9 + Tens];
        if (Units > 0) Out += GreekDigits[Units];
        Out += G == 0 ? NumeralSign : LowerNumeralSign;
    }
}

std::u16string GreekNumeral(int32_t Value) {
    std::u16string Text;
    AppendGreekNumeral(Text, Value);
    return Text;
}

void AppendGreekNumeralOrZero(std::u16string& Out, int32_t Value) {
    if (Value == 0)
        Out += Zero;
    else
        AppendGreekNumeral(Out, Value);
}

std::u16string GreekNumeralOrZero(int32_t Value) {
    std::u16string Text;
    AppendGreekNumeralOrZero(Text, Value);
    return Text;
}

double RatioToCents(double Ratio) {
    return static_cast<double>(1200.0L * std::log(static_cast<long double>(Ratio)) /
                               std::log(2.0L));
}

void AppendPitchName(std::u16string& Out, double Frequency) {
    // An infinite frequency has no pitch either; the negated test also catches NaN.
    if (!(Frequency > 0) || std::isinf(Frequency)) {
        Out += u"--";
        return;
    }
    double C = RatioToCents(Frequency / 440);
    while (C < 0)
        C += 1200;
    const int64_t R = std::llrint(C + 50);
    const char16_t Letter = PitchLetters[static_cast<size_t>(R % 1200 / 100)];
    if (Letter >= u'a') {
        Out += static_cast<char16_t>(Letter - u'a' + u'A');
        Out += u'#';
    } else {
        Out += Letter;
    }
    const int32_t Deviation = static_cast<int32_t>(R % 100) - 50;
    if (Deviation >= 0) Out += u'+';
    AppendDecimal(Out, Deviation);
}

std::u16string FreqToPitchName(double Frequency) {
    std::u16string Text;
    AppendPitchName(Text, Frequency);
    return Text;
}
