#include "MidiOutFluid.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <set>

namespace {

// The audio thread logs too (underruns), hence the lock.
struct TSoundLog {
    std::mutex Lock;
    std::deque<std::string> Lines;
    std::set<std::string> Printed;
};

// Never destroyed: the platform output is a static too, and its teardown at exit still logs.
TSoundLog& Log() {
    static auto* L = new TSoundLog;
    return *L;
}

void Keep(std::string Line) {
    // Bounded: a failing driver retried at every key adds lines for the whole run.
    constexpr size_t MaxLines = 200;
    TSoundLog& L = Log();
    std::lock_guard Guard(L.Lock);
    // Each distinct line once, so the drum channel's "instrument substituted" note of every open
    // does not repeat; the set of printed lines is bounded too.
    constexpr size_t MaxPrinted = 1000;
    if (std::getenv("KELVARO_SOUND_LOG") && L.Printed.size() < MaxPrinted &&
        L.Printed.insert(Line).second)
        std::fprintf(stderr, "kelvaro sound: %s\n", Line.c_str());
    if (L.Lines.size() == MaxLines) L.Lines.pop_front();
    L.Lines.push_back(std::move(Line));
}

void FluidLog(int Level, const char* Message, void*) {
    static constexpr const char* Names[] = {"panic", "error", "warning", "info", "debug"};
    const char* Name = Level >= 0 && Level < LAST_LOG_LEVEL ? Names[Level] : "?";
    Keep(std::string("fluidsynth ") + Name + ": " + (Message ? Message : ""));
}

void AlsaLog(const char* File, int Line, const char* Function, int, const char* Format, ...) {
    char Text[512];
    va_list Args;
    va_start(Args, Format);
    std::vsnprintf(Text, sizeof Text, Format, Args);
    va_end(Args);
    Keep(std::string("alsa ") + (File ? File : "") + ":" + std::to_string(Line) + " " +
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
    Keep(std::string("glib ") + (Domain ? Domain : "") + ": " + (Message ? Message : ""));
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

std::vector<std::string> SoundLog() {
    std::lock_guard Guard(Log().Lock);
    return {Log().Lines.begin(), Log().Lines.end()};
}

void ClearSoundLog() {
    std::lock_guard Guard(Log().Lock);
    Log().Lines.clear();
}

FluidOptions FluidOptions::Defaults() {
    FluidOptions o;
    o.SoundFonts = {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                    "/usr/share/sounds/sf3/default-GM.sf3"};
    o.AudioDrivers = {"pulseaudio", "alsa"};
    return o;
}

FluidOptions FluidOptions::Offline(std::string SoundFont) {
    FluidOptions o;
    o.SystemSoundFont = false;
    o.SoundFonts = {std::move(SoundFont)};
    return o;
}

FluidMidiOut::FluidMidiOut(FluidOptions Options) : Options(std::move(Options)) {}

FluidMidiOut::~FluidMidiOut() {
    // The driver first: its thread renders from the synth.
    if (Driver) delete_fluid_audio_driver(Driver);
    if (Synth) delete_fluid_synth(Synth);
    if (Settings) delete_fluid_settings(Settings);
}

bool FluidMidiOut::MakeSynth() {
    if (Synth) return true;
    RouteLibraryLogs();
    if (!Settings) {
        Settings = new_fluid_settings();
        if (!Settings) return false;
        // Nothing outside the process reaches the synth: this object never makes a shell, a
        // server or a MIDI input driver, and FluidSynth starts none by itself.
        fluid_settings_setint(Settings, "synth.verbose", 0);
        fluid_settings_setnum(Settings, "synth.sample-rate", Options.SampleRate);
        fluid_settings_setint(Settings, "audio.period-size", Options.PeriodSize);
        fluid_settings_setint(Settings, "audio.periods", Options.Periods);
        fluid_settings_setstr(Settings, "audio.alsa.device", Options.AlsaDevice.c_str());
        if (!Options.PulseServer.empty())
            fluid_settings_setstr(Settings, "audio.pulseaudio.server", Options.PulseServer.c_str());
        fluid_settings_setstr(Settings, "audio.pulseaudio.media-role", "music");
    }
    Synth = new_fluid_synth(Settings);
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
            return true;
        }
    }
    return false;
}

bool FluidMidiOut::StartAudio() {
    if (Driver || Options.AudioDrivers.empty()) return true;
    if (!MakeSynth()) return false;
    for (const std::string& Name : Options.AudioDrivers) {
        // A driver that cannot start returns NULL at once (no hang, measured for every driver
        // with no sound card). Never "file": it would succeed by writing a WAV here.
        if (Name.empty() || Name == "file") continue;
        fluid_settings_setstr(Settings, "audio.driver", Name.c_str());
        Driver = new_fluid_audio_driver(Settings, Synth);
        if (Driver) {
            StartedDriver = Name;
            return true;
        }
    }
    return false;
}

bool FluidMidiOut::Open() {
    if (!Opened) Opened = MakeSynth() && LoadSoundFont() && StartAudio();
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
        fluid_synth_noteon(Synth, Channel, Data1, Data2); // velocity 0 is a note off
        break;
    case 0xA0:
        fluid_synth_key_pressure(Synth, Channel, Data1, Data2);
        break;
    case 0xB0:
        fluid_synth_cc(Synth, Channel, Data1, Data2);
        break;
    case 0xC0:
        fluid_synth_program_change(Synth, Channel, Data1);
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

double FluidMidiOut::ConfiguredLatencyMs() const {
    if (StartedDriver.empty()) return 0;
    const int Periods = StartedDriver == "pulseaudio" ? 1 : Options.Periods;
    return 1000.0 * Options.PeriodSize * Periods / Options.SampleRate;
}

MidiOut& PlatformMidiOut() {
    static FluidMidiOut Output(FluidOptions::Defaults());
    return Output;
}
