#pragma once
// The octave as an AnaMark tuning file (.tun): all 128 MIDI notes, string 8 on note 60 at its
// frequency, the octave repeated up and down the keyboard.

#include "Readings.h"

#include <string>

// Cents of MIDI note Note (0..127) above 8.1757989156437 Hz, the A = 440 Hz tuning's note 0.
double TunCents(const TOctave& Mhkh, int32_t Note);

// A [Tuning] section in whole cents, as the format's first version has it, and the same tuning in
// an [Exact Tuning] section to a millionth of a cent.
void WriteTun(std::string& Out, const TChoices& Choices, const TOctave& Mhkh,
              const TReadings& Readings);
