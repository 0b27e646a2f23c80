#pragma once
// MIDI output through an embedded FluidSynth playing a General MIDI soundfont.
//
// The synth and its soundfont are made on the first successful open (or ahead of it, see
// Prepare) and kept until the object goes: a close only silences and marks the output closed,
// so a reopen costs nothing. The synth lives on the caller's side; the audio output pulls from
// it on a thread of its own and is never waited on (AudioOutput.h). A dead output is replaced
// at the next note.

#include "AudioOutput.h"
#include "Calibration.h"
#include "MidiOut.h"
#include "SoundLog.h"

#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct FluidOptions {
    // Try FluidSynth's synth.default-soundfont (the system's GM font) ahead of SoundFonts.
    bool SystemSoundFont = true;
    std::vector<std::string> SoundFonts;
    // Audio outputs tried in turn, "pulseaudio" and "alsa"; empty renders offline (RenderFloat).
    std::vector<std::string> Outputs;
    TAudioFormat Format;
    std::string AlsaDevice = "default";
    std::string PulseServer; // empty: the session's server
    // Loads the soundfont and connects the audio output on a thread from construction on, so
    // that the first note finds both ready.
    bool Prepare = false;
    // Keys whose pitch is measured and corrected for each instrument played, in this order;
    // empty: none (the synth plays as FluidSynth makes it). See Calibration.h.
    std::vector<int> CalibratedKeys;
    // The instrument measured as soon as the soundfont is loaded; -1 for none.
    int FirstProgram = -1;
    // Measure only while the processors would be idle otherwise (the program); else at normal
    // priority (tests and measurements that wait for the results).
    bool CalibrateInSpareTime = false;

    // The program's choice: system GM font then known fallbacks, PulseAudio (also served by
    // PipeWire) then ALSA, prepared ahead, the keys of the window calibrated.
    static FluidOptions Defaults();
    // Offline rendering of one explicit soundfont, for tests and measurements.
    static FluidOptions Offline(std::string SoundFont);
    // The keys the window can strike (its nine strings, their third and fifth harmonics, from
    // nete or from mese, over every choice), those of the plain strings first.
    static std::vector<int> WindowKeys();
};

// The library's own handle types, declared as <fluidsynth/types.h> does.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

class FluidMidiOut : public MidiOut {
public:
    explicit FluidMidiOut(FluidOptions Options);
    ~FluidMidiOut() override;
    FluidMidiOut(const FluidMidiOut&) = delete;
    FluidMidiOut& operator=(const FluidMidiOut&) = delete;

    // True once the synth and its soundfont are ready; the audio output connects on its own
    // thread and is tried again at every note while it cannot play.
    bool Open() override;
    void ShortMsg(uint32_t Message) override;
    void Reset() override;
    void Close() override;
    // Starts measuring Program's pitch when the calibration is ready; sends nothing.
    void Prepare(uint8_t Program) override;

    bool IsOpen() const { return Opened; }
    // Renders frames of stereo audio from the synth (offline use: no output pulls it); 0 on
    // success, -1 when no synth exists yet.
    int RenderFloat(float* Left, float* Right, int Frames);
    // The soundfont that loaded, empty before.
    const std::string& SoundFont() const { return LoadedFont; }
    // How many times a soundfont was loaded: once for the life of the object.
    int FontLoads() const { return Loads; }
    // The audio output in use ("pulseaudio", "alsa"), empty when none (or offline).
    std::string AudioOutput() const;
    const TAudioOutput* Audio() const { return Output.get(); }
    // How many audio outputs were made: one more after each failure.
    int AudioAttempts() const { return Attempts; }

    // The steps of an open, callable one by one for measurements; each does nothing when done.
    bool MakeSynth();
    bool LoadSoundFont();
    // Makes an audio output when there is none or the last one failed; never waits on it.
    void StartAudio();
    // The measurements of this soundfont's instruments; null without calibration or before the
    // soundfont is loaded.
    const TCalibration* Calibration() const { return Calibrator.get(); }

private:
    // False while the preparing thread still works, unless told to wait for it.
    bool FinishPreparing(bool Wait);
    std::unique_ptr<TAudioOutput> MakeOutput(const std::string& Name);
    bool RenderInterleaved(float* Interleaved, int Frames);
    void ProgramChanged(int Channel, int Program);
    // Brings the key tuning of the channel's instrument up to what is measured so far.
    void ApplyCorrections(int Channel);

    FluidOptions Options;
    fluid_settings_t* Settings = nullptr;
    fluid_synth_t* Synth = nullptr;
    std::unique_ptr<TAudioOutput> Output;
    size_t OutputIndex = 0;
    int Attempts = 0;
    std::string LoadedFont;
    bool Opened = false;
    int Loads = 0;
    std::unique_ptr<TCalibration> Calibrator;
    // The instrument on each channel as far as this object set it, -1 before.
    std::array<int, 16> ChannelProgram;
    // Whether the synth holds a key tuning (bank 0, the program's number) for the instrument.
    std::array<bool, 128> TuningMade{};
    std::vector<int> TakenKeys;
    std::vector<double> TakenPitches;
    // The preparing thread is detached, so that one nobody waits for (the program's output,
    // never destroyed, may see no key) leaves nothing behind; it says it is done under the lock.
    std::mutex PreparingLock;
    std::condition_variable PreparingDone;
    bool Prepared = true;
};
