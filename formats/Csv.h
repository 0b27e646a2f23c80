#pragma once
// The octave as comma-separated values (RFC 4180): a header row, then one row per string.

#include "Readings.h"

#include <string>

// Names as Readings has them; frequencies always with a full stop.
void WriteCsv(std::string& Out, const TOctave& Mhkh, const TReadings& Readings);
