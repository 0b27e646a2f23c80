#include "Numbers.h"

#include <charconv>

void AppendInt(std::string& Out, int64_t Value) {
    char Digits[24];
    Out.append(Digits, std::to_chars(Digits, Digits + sizeof Digits, Value).ptr);
}

void AppendHundredths(std::string& Out, int64_t Hundredths) {
    if (Hundredths < 0) {
        Out += '-';
        Hundredths = -Hundredths;
    }
    AppendInt(Out, Hundredths / 100);
    const int64_t Fraction = Hundredths % 100;
    if (Fraction == 0) return;
    Out += '.';
    Out += static_cast<char>('0' + Fraction / 10);
    if (Fraction % 10 != 0) Out += static_cast<char>('0' + Fraction % 10);
}

void AppendTenths(std::string& Out, int64_t Tenths) {
    if (Tenths < 0) {
        Out += '-';
        Tenths = -Tenths;
    }
    AppendInt(Out, Tenths / 10);
    Out += '.';
    Out += static_cast<char>('0' + Tenths % 10);
}

void AppendShortest(std::string& Out, double Value) {
    char Digits[400];
    Out.append(Digits,
               std::to_chars(Digits, Digits + sizeof Digits, Value, std::chars_format::fixed).ptr);
}

void AppendFixed(std::string& Out, double Value, int Decimals) {
    char Digits[400];
    Out.append(Digits, std::to_chars(Digits, Digits + sizeof Digits, Value,
                                     std::chars_format::fixed, Decimals)
                           .ptr);
}

int64_t RoundedQuotient(int64_t N, int64_t D) {
    const int64_t Half = N >= 0 ? D / 2 : -(D / 2);
    // An odd D has no exact half; an even one rounds its half away from zero.
    return (N + Half) / D;
}
