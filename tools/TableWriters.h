#pragma once
// The two output forms of octave-table, appended as UTF-8.

#include "Readings.h"

#include <string>

// An aligned table of the eight strings with the interval list under it.
void WriteTable(std::string& Out, const TChoices& Choices, const TReadings& Readings);

// One JSON object on one line; Readings must have been made with "." as decimal separator.
void WriteJson(std::string& Out, const TChoices& Choices, const TOctave& Mhkh,
               const TReadings& Readings);
