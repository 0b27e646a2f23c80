#pragma once
// The eight string lengths of one octave, built from a tonos, a mixture and a start point.

#include "WMath.h"

#include <array>
#include <cstdint>

struct TStringLength {
    TFraction Ratio;
    int32_t Whole;
    TFraction Rest;
    int32_t Minutes;
};

// Index 0 is the highest and shortest string, 7 the lowest; 8 is the fixed string of length 135.
using TOctave = std::array<TStringLength, 9>;

// Zero-filled, with the fixed ninth string of length 135 in Mhkh[8].
TOctave MakeOctave();

// m: row of Mixtures, t: row of Tonoi, s: start index, b: base length. Writes Mhkh[0..7] only.
void BuildOctave(TOctave& Mhkh, int32_t m, int32_t t, int32_t s, int32_t b);
