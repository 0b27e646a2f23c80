#include "Octave.h"

#include "Tables.h"

namespace {

// 60 × Rest rounded to the nearest integer, an exact half to the even neighbour. Integer
// arithmetic makes the half exact (675/8 has the remainder 3/8, which gives 22, not 23).
int32_t Sixtieths(const TFraction& Rest) {
    const int64_t Scaled = int64_t{Rest.Num} * 60;
    int64_t Q = Scaled / Rest.Den;
    const int64_t Twice = 2 * (Scaled % Rest.Den);
    if (Twice > Rest.Den || (Twice == Rest.Den && Q % 2 != 0)) ++Q;
    return static_cast<int32_t>(Q);
}

} // namespace

void BuildOctave(TOctave& Mhkh, int32_t m, int32_t t, int32_t s, int32_t b) {
    if (s > 7) {
        s -= 7;
        b /= 2;
    }
    const TGenus& First = Genera[Mixtures[m].First];
    const TGenus& Second = Genera[Mixtures[m].Second];

    TFraction W[8];
    FracCopy(W[s], Tonoi[t].Ratio);
    W[s - 1] = FracMul(W[s], FracMake(8, 9));
    // Upwards: the tetrachord of Second from its lowest step, then that of First.
    for (int32_t c = s - 2; c >= 0; --c) {
        const int32_t j = s - 1 - c;
        const TGenus& G = j <= 3 ? Second : First;
        W[c] = FracDiv(W[c + 1], G.Ratios[(j - 1) % 3]);
    }
    // Downwards: the tetrachord of First from its highest step, then that of Second.
    for (int32_t e = s + 1; e <= 7; ++e) {
        const int32_t k = e - s;
        const TGenus& G = k <= 3 ? First : Second;
        W[e] = FracMul(W[e - 1], G.Ratios[2 - (k - 1) % 3]);
    }

    const TFraction Base = FracMake(b, 1);
    for (int32_t i = 0; i < 8; ++i) {
        TStringLength& L = Mhkh[i];
        FracReduce(W[i]);
        L.Ratio = FracMul(W[i], Base);
        FracReduce(L.Ratio);
        FracSplit(L.Ratio, L.Whole, L.Rest);
        L.Minutes = Sixtieths(L.Rest);
    }
}

TOctave MakeOctave() {
    TOctave Mhkh{};
    FracSet(Mhkh[8].Ratio, 135, 1);
    return Mhkh;
}
