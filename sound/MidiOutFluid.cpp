#include "MidiOutFluid.h"

#include "SynthSm.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

void FluidLog(int Level, const char* Message, void*) {
    static constexpr const char* Names[] = {"panic", "error", "warning", "info", "debug"};
    const char* Name = Level >= 0 && Level < LAST_LOG_LEVEL ? Names[Level] : "?";
    KeepSoundLog(std::string("fluidsynth ") + Name + ": " + (Message ? Message : ""));
}

void AlsaLog(const char* File, int Line, const char* Function, int, const char* Format, ...) {
    char Text[512];
    va_list Args;
    va_start(Args, Format);
    std::vsnprintf(Text, sizeof Text, Format, Args);
    va_end(Args);
    KeepSoundLog(std::string("alsa ") + (File ? File : "") + ":" + std::to_string(Line) + " " +
                 (Function ? Function : "") + ": " + Text);
}

// Process-wide hooks, taken before the first FluidSynth or ALSA call can print.
void RouteLibraryLogs() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        for (int Level = FLUID_PANIC; Level < LAST_LOG_LEVEL; ++Level)
            fluid_set_log_function(Level, FluidLog, nullptr);
        snd_lib_error_set_handler(AlsaLog);
    });
}

void GlibLog(const gchar* Domain, GLogLevelFlags, const gchar* Message, gpointer) {
    KeepSoundLog(std::string("glib ") + (Domain ? Domain : "") + ": " + (Message ? Message : ""));
}

// FluidSynth's DLS loader (libinstpatch) logs through GLib, straight to stderr, when a file is
// neither SF2 nor DLS. The handlers are held only while a font loads, so no other user of GLib
// in the process is affected.
class TGlibLogRoute {
public:
    TGlibLogRoute() {
        for (size_t i = 0; i < std::size(Domains); ++i)
            Ids[i] = g_log_set_handler(Domains[i], G_LOG_LEVEL_MASK, GlibLog, nullptr);
    }
    ~TGlibLogRoute() {
        for (size_t i = 0; i < std::size(Domains); ++i)
            g_log_remove_handler(Domains[i], Ids[i]);
    }
    TGlibLogRoute(const TGlibLogRoute&) = delete;
    TGlibLogRoute& operator=(const TGlibLogRoute&) = delete;

private:
    static constexpr const char* Domains[] = {nullptr, "libInstPatch", "GLib-GObject"};
    guint Ids[std::size(Domains)] = {};
};

std::string SettingString(fluid_settings_t* Settings, const char* Name) {
    char* Value = nullptr;
    if (fluid_settings_dupstr(Settings, Name, &Value) != FLUID_OK || !Value) return {};
    std::string Result = Value;
    fluid_free(Value);
    return Result;
}

} // namespace

FluidOptions FluidOptions::Defaults() {
    FluidOptions o;
    // After the system's own choice, TimGM6mb: a 6 MB package that loads in a few tens of
    // milliseconds, against FluidR3 (148 MB, over a second, 150 MB resident) and MuseScore
    // General Lite (40 MB, seconds to decode, 210 MB resident), with the same tuning: nylon guitar
    // 0 to +3 cents against their -3 to +0.4 (kelvaro-soundfont-bench).
    o.SoundFonts = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                    "/usr/share/sounds/sf3/default-GM.sf3"};
    o.Outputs = {"pulseaudio", "alsa"};
    o.Prepare = true;
    o.CalibratedKeys = WindowKeys();
    o.FirstProgram = Instrument;
    o.CalibrateInSpareTime = true;
    return o;
}

std::vector<int> FluidOptions::WindowKeys() {
    // Over the 266 choices the plain strings strike keys 44 to 66 (108.8 to 367.5 Hz), their
    // harmonics up to 94 (1902.8 Hz); kelvaro-soundfont-bench counts any note outside.
    constexpr int Low = 44, Middle = 55, PlainHigh = 66, High = 94;
    std::vector<int> Keys{Middle};
    for (int d = 1; Middle - d >= Low || Middle + d <= PlainHigh; ++d) {
        if (Middle + d <= PlainHigh) Keys.push_back(Middle + d);
        if (Middle - d >= Low) Keys.push_back(Middle - d);
    }
    for (int Key = PlainHigh + 1; Key <= High; ++Key)
        Keys.push_back(Key);
    return Keys;
}

FluidOptions FluidOptions::Offline(std::string SoundFont) {
    FluidOptions o;
    o.SystemSoundFont = false;
    o.SoundFonts = {std::move(SoundFont)};
    return o;
}

FluidMidiOut::FluidMidiOut(FluidOptions Options) : Options(std::move(Options)) {
    ChannelProgram.fill(-1);
    if (!this->Options.Prepare) return;
    Prepared = false;
    std::thread([this] {
        if (MakeSynth() && LoadSoundFont()) StartAudio();
        // Nothing of the object is touched after the lock is let go: the destructor may run.
        const std::lock_guard Guard(PreparingLock);
        Prepared = true;
        PreparingDone.notify_all();
    }).detach();
}

FluidMidiOut::~FluidMidiOut() {
    FinishPreparing(true);
    // The output first: its thread renders from the synth.
    Output.reset();
    Calibrator.reset();
    if (Synth) delete_fluid_synth(Synth);
    if (Settings) delete_fluid_settings(Settings);
}

bool FluidMidiOut::FinishPreparing(bool Wait) {
    // A large soundfont takes seconds to load (and holds the synth's lock meanwhile): a key
    // before then finds the output not open yet, as a busy device, and the next key tries again.
    std::unique_lock Guard(PreparingLock);
    if (Wait) PreparingDone.wait(Guard, [this] { return Prepared; });
    return Prepared;
}

namespace {

// The SF2 default pitch-wheel modulator maps the full wheel over 12700 cents per 128 semitones
// of sensitivity, so a bend of 4096 steps at the default sensitivity of 2 is 99.22 cents. 12800
// makes it exactly one semitone, as General MIDI means it.
void TuneThePitchWheel(fluid_synth_t* Synth) {
    fluid_mod_t* Wheel = new_fluid_mod();
    if (!Wheel) return;
    fluid_mod_set_source1(Wheel, FLUID_MOD_PITCHWHEEL,
                          FLUID_MOD_GC | FLUID_MOD_LINEAR | FLUID_MOD_BIPOLAR | FLUID_MOD_POSITIVE);
    fluid_mod_set_source2(Wheel, FLUID_MOD_PITCHWHEELSENS,
                          FLUID_MOD_GC | FLUID_MOD_LINEAR | FLUID_MOD_UNIPOLAR |
                              FLUID_MOD_POSITIVE);
    fluid_mod_set_dest(Wheel, GEN_FINETUNE); // where FluidSynth 2 keeps its own wheel modulator
    fluid_mod_set_amount(Wheel, 12800);
    fluid_synth_add_default_mod(Synth, Wheel, FLUID_SYNTH_OVERWRITE);
    delete_fluid_mod(Wheel);
}

} // namespace

bool FluidMidiOut::MakeSynth() {
    if (Synth) return true;
    RouteLibraryLogs();
    if (!Settings) {
        Settings = new_fluid_settings();
        if (!Settings) return false;
        // Nothing outside the process reaches the synth: this object never makes a shell, a
        // server, a MIDI input or an audio driver of FluidSynth's, and FluidSynth starts none by
        // itself.
        fluid_settings_setint(Settings, "synth.verbose", 0);
        fluid_settings_setnum(Settings, "synth.sample-rate", Options.Format.Rate);
    }
    Synth = new_fluid_synth(Settings);
    if (Synth) TuneThePitchWheel(Synth);
    return Synth != nullptr;
}

bool FluidMidiOut::LoadSoundFont() {
    if (!LoadedFont.empty()) return true;
    if (!MakeSynth()) return false;
    std::vector<std::string> Candidates;
    if (Options.SystemSoundFont) {
        std::string Default = SettingString(Settings, "synth.default-soundfont");
        if (!Default.empty()) Candidates.push_back(std::move(Default));
    }
    Candidates.insert(Candidates.end(), Options.SoundFonts.begin(), Options.SoundFonts.end());
    std::error_code Ignored;
    const TGlibLogRoute Route;
    for (const std::string& Path : Candidates) {
        // A missing candidate is the usual case for the fallbacks: skip it without a log line.
        if (Path.empty() || !std::filesystem::is_regular_file(Path, Ignored)) continue;
        if (fluid_synth_sfload(Synth, Path.c_str(), 1) != FLUID_FAILED) {
            ++Loads;
            LoadedFont = Path;
            if (!Options.CalibratedKeys.empty()) {
                Calibrator = std::make_unique<TCalibration>(
                    Path, Options.Format.Rate, static_cast<double>(SynthNoteZeroHz),
                    Options.CalibratedKeys, Options.CalibrateInSpareTime);
                if (Options.FirstProgram >= 0) Calibrator->Request(Options.FirstProgram);
            }
            return true;
        }
    }
    return false;
}

std::unique_ptr<TAudioOutput> FluidMidiOut::MakeOutput(const std::string& Name) {
    TRender Render = [this](float* Interleaved, int Frames) {
        return RenderInterleaved(Interleaved, Frames);
    };
    if (Name == "pulseaudio")
        return NewPulseOutput(Options.PulseServer, std::move(Render), Options.Format);
    if (Name == "alsa") return NewAlsaOutput(Options.AlsaDevice, std::move(Render), Options.Format);
    return nullptr;
}

void FluidMidiOut::StartAudio() {
    if (Options.Outputs.empty() || !Synth) return;
    if (Output && !Output->Failed()) return;
    // After a working output died (server restarted, device removed) the first choice again;
    // after one that never worked, the next.
    size_t Next = 0;
    if (Output) Next = Output->WasReady() ? 0 : OutputIndex + 1;
    Output.reset();
    for (size_t Tried = 0; Tried < Options.Outputs.size() && !Output; ++Tried) {
        OutputIndex = (Next + Tried) % Options.Outputs.size();
        Output = MakeOutput(Options.Outputs[OutputIndex]);
    }
    if (Output) ++Attempts;
}

std::string FluidMidiOut::AudioOutput() const {
    return Output ? Options.Outputs[OutputIndex] : std::string();
}

bool FluidMidiOut::RenderInterleaved(float* Interleaved, int Frames) {
    fluid_synth_write_float(Synth, Frames, Interleaved, 0, 2, Interleaved, 1, 2);
    // Voices that ended leave the reverb's tail: silent means under -100 dB as well.
    float Peak = 0;
    for (int i = 0; i < 2 * Frames; ++i)
        Peak = std::max(Peak, std::fabs(Interleaved[i]));
    return Peak > 1e-5f || fluid_synth_get_active_voice_count(Synth) > 0;
}

bool FluidMidiOut::Open() {
    if (!FinishPreparing(false)) return false;
    if (!Opened) Opened = MakeSynth() && LoadSoundFont();
    if (Opened) StartAudio();
    return Opened;
}

void FluidMidiOut::ShortMsg(uint32_t Message) {
    if (!Opened) return;
    const int Channel = static_cast<int>(Message & 0x0F);
    const int Data1 = static_cast<int>(Message >> 8 & 0x7F);
    const int Data2 = static_cast<int>(Message >> 16 & 0x7F);
    switch (Message & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(Synth, Channel, Data1);
        break;
    case 0x90:
        if (Data2 > 0) ApplyCorrections(Channel);
        fluid_synth_noteon(Synth, Channel, Data1, Data2); // velocity 0 is a note off
        if (Data2 > 0) {
            // Every note gets a live output: a failed one is replaced here.
            StartAudio();
            if (Output) Output->Wake();
        }
        break;
    case 0xA0:
        fluid_synth_key_pressure(Synth, Channel, Data1, Data2);
        break;
    case 0xB0:
        fluid_synth_cc(Synth, Channel, Data1, Data2);
        break;
    case 0xC0:
        fluid_synth_program_change(Synth, Channel, Data1);
        ProgramChanged(Channel, Data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(Synth, Channel, Data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(Synth, Channel, Data1 | Data2 << 7);
        break;
    default:
        break; // system messages: not short channel messages
    }
}

void FluidMidiOut::Prepare(uint8_t Program) {
    if (FinishPreparing(false) && Calibrator) Calibrator->Request(Program & 0x7F);
}

void FluidMidiOut::ProgramChanged(int Channel, int Program) {
    // The drum channel plays a kit whatever the program: nothing measured applies there.
    if (!Calibrator || Channel == 9) return;
    ChannelProgram[static_cast<size_t>(Channel)] = Program;
    Calibrator->Request(Program);
    // Another instrument's corrections must not stay on the channel.
    if (TuningMade[static_cast<size_t>(Program)])
        fluid_synth_activate_tuning(Synth, Channel, 0, Program, 0);
    else
        fluid_synth_deactivate_tuning(Synth, Channel, 0);
}

void FluidMidiOut::ApplyCorrections(int Channel) {
    const int Program = ChannelProgram[static_cast<size_t>(Channel)];
    if (!Calibrator || Program < 0) return;
    // Costs one atomic load when nothing new was measured; never waits on the measurement,
    // which publishes under a lock held only to store a key.
    if (!Calibrator->TakeCorrections(Program, TakenKeys, TakenPitches)) return;
    bool& Made = TuningMade[static_cast<size_t>(Program)];
    if (!Made) {
        // Keys not measured (yet) keep FluidSynth's own pitch: 100 cents a key.
        std::array<double, 128> Plain{};
        for (size_t k = 0; k < Plain.size(); ++k)
            Plain[k] = 100.0 * static_cast<double>(k);
        Made = fluid_synth_activate_key_tuning(Synth, 0, Program, "calibrated", Plain.data(), 0) ==
               FLUID_OK;
        if (!Made) return;
    }
    fluid_synth_tune_notes(Synth, 0, Program, static_cast<int>(TakenKeys.size()), TakenKeys.data(),
                           TakenPitches.data(), 0);
    // The notes already sounding keep their pitch (apply 0); the next ones are corrected.
    for (int c = 0; c < 16; ++c)
        if (ChannelProgram[static_cast<size_t>(c)] == Program)
            fluid_synth_activate_tuning(Synth, c, 0, Program, 0);
}

void FluidMidiOut::Reset() {
    // As a device reset: notes off on every channel; programs and bends stay (a GM system reset
    // would zero them).
    if (Opened) fluid_synth_all_notes_off(Synth, -1);
}

void FluidMidiOut::Close() {
    if (!Opened) return;
    fluid_synth_all_notes_off(Synth, -1);
    Opened = false;
}

int FluidMidiOut::RenderFloat(float* Left, float* Right, int Frames) {
    if (!Synth) return -1;
    return fluid_synth_write_float(Synth, Frames, Left, 0, 1, Right, 0, 1) == FLUID_OK ? 0 : -1;
}

MidiOut& PlatformMidiOut() {
    // Never destroyed: the end of the process waits for nothing (a soundfont still loading, a
    // stream to a hung server), and closing the process closes the connection.
    static auto* Output = new FluidMidiOut(FluidOptions::Defaults());
    return *Output;
}
