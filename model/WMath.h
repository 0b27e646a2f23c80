#pragma once
// Exact ratios of two 32-bit integers.

#include <cstdint>

struct TFraction {
    int32_t Num;
    int32_t Den;
};

void FracSet(TFraction& F, int32_t N, int32_t D);
TFraction FracMake(int32_t N, int32_t D);
void FracCopy(TFraction& Dest, const TFraction& Src);
void FracReduce(TFraction& F);
TFraction FracMul(TFraction A, TFraction B);
TFraction FracDiv(TFraction A, TFraction B);
void FracSplit(const TFraction& F, int32_t& Whole, TFraction& Rest);
double FracToFloat(const TFraction& F);
