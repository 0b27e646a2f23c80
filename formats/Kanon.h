#pragma once
// A printable kanon: the string at true size with a bridge mark for every string of the octave and
// for the fixed string of length 135, cut into A4 portrait pages that are glued end to end.

#include "Readings.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int64_t KanonShortest = 100 * 100; // hundredths of a millimetre
inline constexpr int64_t KanonLongest = 5000 * 100;

// Distance of a bridge mark from the fixed end, in hundredths of a millimetre rounded to the
// nearest (halves up): Length × KanonLength / 135.
int64_t KanonMarkHundredths(TFraction Length, int64_t KanonHundredths);

// One SVG document per page, 210 × 297 mm, one user unit a millimetre. Inside each page the group
// with id "strip" is translated so that its y coordinates are distances from the fixed end.
std::vector<std::string> KanonPages(const TChoices& Choices, const TOctave& Mhkh,
                                    const TReadings& Readings, int64_t KanonHundredths);
