#pragma once
// The octave as comma-separated values (RFC 4180): a header row, then one row per string.

#include "Readings.h"

#include <string>
#include <string_view>

// Names as Readings has them; frequencies always with a full stop.
void WriteCsv(std::string& Out, const TOctave& Mhkh, const TReadings& Readings);

// One field: quoted, with its double quotes doubled, only when it holds a comma, a double quote or
// a line break.
void AppendCsvField(std::string& Out, std::string_view Field);
