#pragma once
// The synthesizer module: one instrument on all sixteen channels, notes of any frequency tuned
// by pitch bend. Module state is global, as the window and the keyboard logic share it.

#include "MidiOut.h"

#include <cstdint>

extern bool SynthOpened;
extern int32_t SynthNotes[16];
extern uint8_t Instrument; // General MIDI program used for playing, 24 at start
// The frequency of note 0 as the bends reckon it.
inline constexpr long double SynthNoteZeroHz = 8.176L;

// Routes the module to another output (tests use a recording one); nullptr restores the
// platform backend. Call only while closed.
void SynthUseOutput(MidiOut* Output);

void SynthOpen(uint8_t Program);
void SynthClose();
// Tells the output an instrument was chosen, ahead of its first note; sends no message.
void SynthPrepare(uint8_t Program);
void SynthProgram(uint8_t Channel, uint8_t Program);
void SynthPlay(uint8_t Channel, double Frequency);
void SynthStop(uint8_t Channel);
