#include "WMath.h"

#include <cstdlib>
#include <numeric>

namespace {

// Lowest terms with the sign on the numerator. Equal magnitudes (0/0 included) give 1/1, and a
// zero term leaves the fraction unreduced: the rules of the trial division the readings were
// checked against, with Euclid's gcd giving the same lowest terms. 64 bits so that the products of
// FracMul and FracDiv are reduced before they are narrowed.
void Reduce(int64_t& N, int64_t& D) {
    const bool Negative = (N < 0) != (D < 0);
    N = std::llabs(N);
    D = std::llabs(D);
    if (N == D) {
        N = 1;
        D = 1;
    } else if (N > 1 && D > 1) {
        const int64_t G = std::gcd(N, D);
        N /= G;
        D /= G;
    }
    if (Negative) N = -N;
}

TFraction Narrow(int64_t N, int64_t D) {
    Reduce(N, D);
    return {static_cast<int32_t>(N), static_cast<int32_t>(D)};
}

} // namespace

void FracSet(TFraction& F, int32_t N, int32_t D) {
    F.Num = N;
    F.Den = D;
}

TFraction FracMake(int32_t N, int32_t D) {
    return {N, D};
}

void FracCopy(TFraction& Dest, const TFraction& Src) {
    Dest = Src;
}

void FracReduce(TFraction& F) {
    F = Narrow(F.Num, F.Den);
}

TFraction FracMul(TFraction A, TFraction B) {
    return Narrow(int64_t{A.Num} * B.Num, int64_t{A.Den} * B.Den);
}

TFraction FracDiv(TFraction A, TFraction B) {
    return Narrow(int64_t{A.Num} * B.Den, int64_t{A.Den} * B.Num);
}

void FracSplit(const TFraction& F, int32_t& Whole, TFraction& Rest) {
    // A zero denominator has no whole part; the fraction is kept as the remainder.
    const int64_t W = F.Den == 0 ? 0 : int64_t{F.Num} / F.Den;
    Rest = F;
    Rest.Num = static_cast<int32_t>(F.Num - int64_t{F.Den} * W);
    Whole = static_cast<int32_t>(W);
}

double FracToFloat(const TFraction& F) {
    return static_cast<double>(F.Num) / static_cast<double>(F.Den);
}
