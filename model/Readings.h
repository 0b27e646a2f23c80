#pragma once
// Everything the window shows for one choice, as a pure function of the choice and the octave.

#include "Octave.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int IntervalCount = 14;

struct TChoices {
    int32_t Tonos = 3;    // row of Tonoi
    int32_t Mixture = 3;  // row of Mixtures
    int32_t Start = 0;    // selection of the start point: 1 is from mese, anything else from nete
    int32_t Language = 0; // 0 Greek, 1 English
    std::array<bool, IntervalCount> Marked{true, true, true, true, true, true, true,
                                           true, true, true, true, true, true, true};
    bool AllRatios = false;
    char16_t DecimalSeparator = u'.';
};

struct TReadings {
    int32_t Kithara = -1; // matching row of KitharaTunings, -1 for none
    std::u16string LTetra;
    std::array<std::u16string, 8> LBQesei, LBFusei, LBArab, LBGreek, LBNotes, MFreq, MNotesAbs;
    std::array<std::u16string, 7> LBCent;
    std::vector<std::u16string> LBInt;
};

// Builds Mhkh[0..7] for the choice and fills every text. Tonos and Mixture must be rows of their
// tables; a Language other than 1 reads Greek. Reusing one TReadings keeps its
// buffers, so a refresh allocates only where a text outgrows them.
void UpdateReadings(const TChoices& Choices, TOctave& Mhkh, TReadings& Out);

int32_t MatchingKithara(int32_t Mixture, int32_t Tonos);

// Start index s and base length b for BuildOctave, and o, the row of NoteNames that names
// string 1 by position.
struct TStart {
    int32_t s, b, o;
};
TStart StartParameters(int32_t Tonos, int32_t Start);

std::u16string RatioText(TFraction F);
std::u16string GenusText(int32_t Genus);
std::u16string MixtureName(int32_t Mixture, int32_t Language);
std::u16string IntervalText(int32_t Row); // "3 / 2"

// The interval list: exact and near matches of the marked reference intervals, or all ratios.
void FindIntervals(const TOctave& Mhkh, const std::array<bool, IntervalCount>& Marked,
                   bool AllRatios, std::vector<std::u16string>& Out);

// Frequency in hertz of string L (0..8), as close to 22050 * Den / Num as a double allows.
double GetFrequency(const TOctave& Mhkh, int32_t L);
// The exact frequency rounded to one decimal, halves away from zero, e.g. "330.8".
std::u16string FrequencyText(const TFraction& Length, char16_t DecimalSeparator);

// The same texts appended to a buffer, so that a refresh can reuse its strings.
void AppendRatioText(std::u16string& Out, TFraction F);
void AppendGenusText(std::u16string& Out, int32_t Genus);
void AppendFrequencyText(std::u16string& Out, const TFraction& Length, char16_t DecimalSeparator);
