#pragma once
// The JSON form of octave-table: one object per line and choice, appended as UTF-8.

#include "Readings.h"

#include <string>

// Readings must have been made with "." as decimal separator.
void WriteJson(std::string& Out, const TChoices& Choices, const TOctave& Mhkh,
               const TReadings& Readings);
