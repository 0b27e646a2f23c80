#pragma once
// MIDI output through an embedded FluidSynth playing a General MIDI soundfont.
//
// The synth and its soundfont are made on the first successful open and kept until the object
// goes: a close only silences and marks the output closed, so a reopen costs nothing. The audio
// driver is kept too, as deleting a PulseAudio driver blocks for the sink's latency (about a
// second), which a close from a key press cannot afford.

#include "MidiOut.h"

#include <string>
#include <vector>

struct FluidOptions {
    // Try FluidSynth's synth.default-soundfont (the system's GM font) ahead of SoundFonts.
    bool SystemSoundFont = true;
    std::vector<std::string> SoundFonts;
    // FluidSynth audio drivers tried in order; empty renders offline (RenderFloat), no driver.
    std::vector<std::string> AudioDrivers;
    // Output latency: period size x periods / rate on ALSA; PulseAudio follows the period size.
    int PeriodSize = 128;
    int Periods = 2;
    double SampleRate = 44100;
    std::string AlsaDevice = "default";
    std::string PulseServer; // empty: the session's server

    // The program's choice: system GM font then known fallbacks, PulseAudio (also served by
    // PipeWire) then ALSA. Never the file driver: it writes a WAV into the working directory.
    static FluidOptions Defaults();
    // Offline rendering of one explicit soundfont, for tests and measurements.
    static FluidOptions Offline(std::string SoundFont);
};

// The library's own handle types, declared as <fluidsynth/types.h> does.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

class FluidMidiOut : public MidiOut {
public:
    explicit FluidMidiOut(FluidOptions Options);
    ~FluidMidiOut() override;
    FluidMidiOut(const FluidMidiOut&) = delete;
    FluidMidiOut& operator=(const FluidMidiOut&) = delete;

    bool Open() override;
    void ShortMsg(uint32_t Message) override;
    void Reset() override;
    void Close() override;

    bool IsOpen() const { return Opened; }
    // Renders frames of stereo audio from the synth (offline use: no driver pulls it); 0 on
    // success, -1 when no synth exists yet.
    int RenderFloat(float* Left, float* Right, int Frames);
    // The soundfont that loaded, empty before.
    const std::string& SoundFont() const { return LoadedFont; }
    // How many times a soundfont was loaded: once for the life of the object.
    int FontLoads() const { return Loads; }
    // The driver that started, empty when none (or offline).
    const std::string& AudioDriver() const { return StartedDriver; }
    // Output latency the driver was asked for, in milliseconds; 0 offline.
    double ConfiguredLatencyMs() const;

    // The steps of an open, callable one by one for measurements; each does nothing when done.
    bool MakeSynth();
    bool LoadSoundFont();
    bool StartAudio();

private:
    FluidOptions Options;
    fluid_settings_t* Settings = nullptr;
    fluid_synth_t* Synth = nullptr;
    fluid_audio_driver_t* Driver = nullptr;
    std::string LoadedFont;
    std::string StartedDriver;
    bool Opened = false;
    int Loads = 0;
};

// FluidSynth's and ALSA's library messages, kept here instead of going to stderr. Each distinct
// message is also written to stderr once when KELVARO_SOUND_LOG is set.
std::vector<std::string> SoundLog();
void ClearSoundLog();
