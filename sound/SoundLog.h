#pragma once
// The sound libraries' messages (FluidSynth, ALSA, GLib, PulseAudio), kept here instead of going
// to stderr. Each distinct message is also written to stderr once when KELVARO_SOUND_LOG is set.
// Safe from any thread: the audio threads log too.

#include <string>
#include <vector>

void KeepSoundLog(std::string Line);
std::vector<std::string> SoundLog();
void ClearSoundLog();
