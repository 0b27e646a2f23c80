#pragma once
// The octave as an aligned text table, with the interval list under it: what octave-table prints
// and what the window copies.

#include "Readings.h"

#include <string>

// Appends UTF-8. The frequencies carry the decimal separator the readings were made with.
void WriteTable(std::string& Out, const TChoices& Choices, const TReadings& Readings);
