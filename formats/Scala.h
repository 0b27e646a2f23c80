#pragma once
// The octave as a Scala scale (.scl) and the keyboard mapping (.kbm) that sounds it at Kelvaro's
// frequencies.

#include "Readings.h"

#include <string>

// The ratio of the lowest string's length (string 8) to the length of string k + 1, in lowest
// terms: 2/1 for string 1, greater than 1 for every other string of the octave.
TFraction RatioToLowest(const TOctave& Mhkh, int32_t k);

// Readings must be those of Choices and Mhkh; their names go into the file.
void WriteScl(std::string& Out, const TChoices& Choices, const TOctave& Mhkh,
              const TReadings& Readings);

// A linear mapping: string 8 on MIDI note 60 at its frequency, GetFrequency(Mhkh, 7).
void WriteKbm(std::string& Out, const TChoices& Choices, const TOctave& Mhkh,
              const TReadings& Readings);

// The options of octave-table that give this choice, for the comment lines of the files.
std::string ChoiceOptions(const TChoices& Choices);
