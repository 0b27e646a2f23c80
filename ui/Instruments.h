#pragma once
// The General MIDI instrument names, a resource of the program numbered 1 to 128: resource k + 1
// names program k.

#include <QString>

inline constexpr int InstrumentCount = 128;

// Empty for a number outside 1..128.
QString InstrumentName(int Number);
