#pragma once
// Every choice of the window, and the exact values the formats must carry, computed here in 64-bit
// integers and extended precision rather than by the writers' helpers.

#include "Readings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>

struct TExactRatio {
    int64_t Num, Den;
    bool operator==(const TExactRatio&) const = default;
};

inline TExactRatio Reduced(int64_t Num, int64_t Den) {
    const int64_t G = std::gcd(Num, Den);
    return {Num / G, Den / G};
}

// Length of the lowest string (string 8) over the length of string k + 1.
inline TExactRatio LowestOver(const TOctave& Mhkh, size_t k) {
    return Reduced(int64_t{Mhkh[7].Ratio.Num} * Mhkh[k].Ratio.Den,
                   int64_t{Mhkh[7].Ratio.Den} * Mhkh[k].Ratio.Num);
}

// Hertz of string k + 1: length 90 sounds at 245 Hz.
inline long double ExactHertz(const TOctave& Mhkh, size_t k) {
    return 22050.0L * Mhkh[k].Ratio.Den / Mhkh[k].Ratio.Num;
}

// Cents above MIDI note 0 of the A = 440 Hz tuning.
inline long double CentsAboveNoteZero(long double Hertz) {
    return 6900 + 1200 * std::log2(Hertz / 440.0L);
}

// Calls Check for each of the 7 × 19 × 2 choices in Greek and in English, until a check fails.
template <typename F> void ForEachChoice(F&& Check, bool BothLanguages = true) {
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    TChoices C;
    for (C.Language = BothLanguages ? 0 : 1; C.Language < 2; ++C.Language)
        for (C.Tonos = 0; C.Tonos < 7; ++C.Tonos)
            for (C.Mixture = 0; C.Mixture < 19; ++C.Mixture)
                for (C.Start = 0; C.Start < 2; ++C.Start) {
                    UpdateReadings(C, Mhkh, Readings);
                    SCOPED_TRACE("tonos " + std::to_string(C.Tonos) + ", mixture " +
                                 std::to_string(C.Mixture) + ", start " + std::to_string(C.Start) +
                                 ", language " + std::to_string(C.Language));
                    Check(C, Mhkh, Readings);
                    if (::testing::Test::HasFailure()) return;
                }
}
