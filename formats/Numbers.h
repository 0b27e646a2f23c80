#pragma once
// Numbers in files, the same bytes whatever the locale: std::to_chars and integer arithmetic only.

#include <cstdint>
#include <string>

void AppendInt(std::string& Out, int64_t Value);

// Value / 100 with a full stop and no trailing zeros: 12345 reads "123.45", 12340 "123.4", 12300
// "123".
void AppendHundredths(std::string& Out, int64_t Hundredths);

// Value / 10 with exactly one decimal: 12345 reads "1234.5", 10 reads "1.0".
void AppendTenths(std::string& Out, int64_t Tenths);

// The shortest decimal that reads back as the same double, never in exponent notation.
void AppendShortest(std::string& Out, double Value);

// Value rounded to Decimals places, never in exponent notation.
void AppendFixed(std::string& Out, double Value, int Decimals);

// N / D rounded to the nearest integer, halves away from zero; D > 0.
int64_t RoundedQuotient(int64_t N, int64_t D);
