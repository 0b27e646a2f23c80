#pragma once
// Number texts: signed integers, Greek alphabetic numerals, cents and pitch names.
// Texts are UTF-16 and are never Unicode-normalised.

#include <cstdint>
#include <string>
#include <string_view>

std::u16string IfThenStr(bool Condition, std::u16string_view WhenTrue,
                         std::u16string_view WhenFalse);
int32_t IfThenInt(bool Condition, int32_t WhenTrue, int32_t WhenFalse);
std::u16string SignedIntText(int32_t Value);
std::u16string GreekNumeral(int32_t Value);
std::u16string GreekNumeralOrZero(int32_t Value);
double RatioToCents(double Ratio);
std::u16string FreqToPitchName(double Frequency);

// The same texts appended to a buffer, so that a refresh can reuse its strings.
void AppendDecimal(std::u16string& Out, int64_t Value);
void AppendSignedInt(std::u16string& Out, int32_t Value);
void AppendGreekNumeral(std::u16string& Out, int32_t Value);
void AppendGreekNumeralOrZero(std::u16string& Out, int32_t Value);
void AppendPitchName(std::u16string& Out, double Frequency);
