#include "Calibration.h"

#include "Pitch.h"

#include <fluidsynth.h>
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// FluidSynth's absolute cents count from this frequency (8.1758 Hz, key 0 at A = 440 Hz).
constexpr double FluidKeyZeroHz = 8.1757989156437073;

// A note's attack is left out (a low guitar string settles for half a second); the stretches
// after it are estimated one by one. Six are enough to tell how well their mean is known: the
// organ's two detuned layers make single stretches wander by a tenth of a cent, its mean is
// known to a few hundredths; a flute's vibrato moves them by cents.
constexpr double AttackSeconds = 0.5;
constexpr double StretchSeconds = 0.25;
constexpr int MeasuredStretches = 6;
// Checking a correction needs to tell whole cents apart only.
constexpr int CheckedStretches = 2;
constexpr double CheckTolerance = 0.2;
// Enough to find the period of a tone near its pitch; the refinement makes the precision.
constexpr size_t CoarsePeriods = 4;

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Sounding minus asked pitch of each stretch of one note, in cents, octaves folded back (a
// layered tone can read an octave off); empty when a stretch has no pitch.
std::vector<double> StretchCents(fluid_synth_t* Synth, int Key, double AskedHz, double Rate,
                                 int Stretches) {
    const auto Attack = static_cast<size_t>(AttackSeconds * Rate);
    const auto Stretch = static_cast<size_t>(StretchSeconds * Rate);
    const size_t Frames = Attack + static_cast<size_t>(Stretches) * Stretch;
    std::vector<float> Left(Frames), Right(Frames), Mono(Stretch);
    fluid_synth_noteon(Synth, 0, Key, 127);
    fluid_synth_write_float(Synth, static_cast<int>(Frames), Left.data(), 0, 1, Right.data(), 0, 1);
    fluid_synth_all_sounds_off(Synth, 0);
    std::vector<double> Cents;
    for (int s = 0; s < Stretches; ++s) {
        const size_t From = Attack + static_cast<size_t>(s) * Stretch;
        for (size_t i = 0; i < Stretch; ++i)
            Mono[i] = 0.5f * (Left[From + i] + Right[From + i]);
        // Around the asked pitch only, down to its lower octave: far less work than the whole
        // range, and the same answer for tones near their pitch.
        const double Hz =
            pitch::EstimateFundamental(Mono, Rate, AskedHz / 2.2, AskedHz * 1.3, CoarsePeriods);
        if (!(Hz > 0)) return {};
        const double c = pitch::CentsBetween(Hz, AskedHz);
        Cents.push_back(c - 1200 * std::nearbyint(c / 1200));
    }
    return Cents;
}

double Mean(const std::vector<double>& Cents) {
    double Sum = 0;
    for (double c : Cents)
        Sum += c;
    return Sum / static_cast<double>(Cents.size());
}

// The mean of the stretches; NaN when its standard error is over the precision asked.
double MeanWithin(const std::vector<double>& Cents, double Precision) {
    if (Cents.size() < 2) return NAN;
    const double m = Mean(Cents);
    double Squares = 0;
    for (double c : Cents)
        Squares += (c - m) * (c - m);
    const auto n = static_cast<double>(Cents.size());
    return std::sqrt(Squares / (n - 1) / n) <= Precision ? m : NAN;
}

void SetKeyTuning(fluid_synth_t* Synth, int Key, double Pitch) {
    fluid_synth_tune_notes(Synth, 0, 0, 1, &Key, &Pitch, 0);
}

} // namespace

TKeyCalibration MeasureKey(fluid_synth_t* Synth, int Key, double ReferenceHz, double Rate) {
    TKeyCalibration Result;
    Result.State = TKeyCalibration::Unsteady;
    const double AskedHz = ReferenceHz * std::exp2(Key / 12.0);
    // Nothing can be heard or estimated beyond these.
    if (AskedHz < 20 || AskedHz > Rate / 8) return Result;

    // The key as it sounds uncorrected: its tuning is the plain one, 100 cents a key.
    SetKeyTuning(Synth, Key, 100.0 * Key);
    const double Uncorrected = MeanWithin(
        StretchCents(Synth, Key, AskedHz, Rate, MeasuredStretches), CalibrationPrecision);
    if (std::isnan(Uncorrected) || std::fabs(Uncorrected) > 50) return Result;

    // The correction must do what it predicts: the whole cents it adds, no more (an instrument
    // whose scale tuning is not 100 cents a key, or one that rounds differently, would not).
    const double Tuning = 100.0 * Key + 0.5 - Uncorrected;
    SetKeyTuning(Synth, Key, Tuning);
    const std::vector<double> Checked = StretchCents(Synth, Key, AskedHz, Rate, CheckedStretches);
    SetKeyTuning(Synth, Key, 100.0 * Key);
    const double Predicted = Uncorrected + (std::floor(Tuning) - 100.0 * Key);
    if (Checked.empty() || std::fabs(Mean(Checked) - Predicted) > CheckTolerance) return Result;

    Result.State = TKeyCalibration::Steady;
    Result.Cents = Uncorrected;
    Result.Tuning = Tuning;
    return Result;
}

TCalibration::TCalibration(std::string SoundFont, double Rate, double ReferenceHz,
                           std::vector<int> Keys, bool SpareTime)
    : SoundFont(std::move(SoundFont)), Rate(Rate), ReferenceHz(ReferenceHz), Keys(std::move(Keys)),
      SpareTime(SpareTime) {
    Worker = std::thread([this] { Run(); });
}

TCalibration::~TCalibration() {
    {
        // Under the lock, so that a Wait between its test and its sleep cannot miss it.
        std::lock_guard Guard(Lock);
        Stopping = true;
    }
    Changed.notify_all();
    Requests.fetch_add(1);
    Requests.notify_all();
    Worker.join();
}

void TCalibration::Request(int Program) {
    if (Program < 0 || Program > 127) return;
    if (Asked[static_cast<size_t>(Program)].exchange(true)) return;
    Requests.fetch_add(1);
    Requests.notify_one();
}

bool TCalibration::TakeCorrections(int Program, std::vector<int>& KeysOut,
                                   std::vector<double>& Pitches) {
    if (Program < 0 || Program > 127) return false;
    const uint64_t Now = Published.load(std::memory_order_acquire);
    if (Now == TakenAt[static_cast<size_t>(Program)]) return false;
    // The measuring thread runs only in spare time: if it holds the lock now, it may not run
    // again for long. The note does not wait for it; a later one takes what it published.
    std::unique_lock Guard(Lock, std::try_to_lock);
    if (!Guard.owns_lock()) return false;
    TakenAt[static_cast<size_t>(Program)] = Now;
    auto Found = Untaken.find(Program);
    if (Found == Untaken.end() || Found->second.empty()) return false;
    const TInstrumentCalibration& Known = Results[Program];
    KeysOut.clear();
    Pitches.clear();
    for (int Key : Found->second) {
        KeysOut.push_back(Key);
        Pitches.push_back(Known.Keys[static_cast<size_t>(Key)].Tuning);
    }
    Found->second.clear();
    return true;
}

TInstrumentCalibration TCalibration::Result(int Program) const {
    std::lock_guard Guard(Lock);
    auto Found = Results.find(Program);
    return Found == Results.end() ? TInstrumentCalibration{} : Found->second;
}

bool TCalibration::Wait(int Program) const {
    if (Program < 0 || Program > 127 || !Asked[static_cast<size_t>(Program)]) return false;
    std::unique_lock Guard(Lock);
    Changed.wait(Guard, [&] {
        auto Found = Results.find(Program);
        return Stopping || (Found != Results.end() && Found->second.Done);
    });
    return !Stopping;
}

void TCalibration::Run() {
    // Only spare time: the window, the audio output and every other program come first.
    if (SpareTime) {
        sched_param Idle{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &Idle);
    }

    fluid_settings_t* Settings = new_fluid_settings();
    fluid_synth_t* Synth = nullptr;
    if (Settings) {
        fluid_settings_setint(Settings, "synth.verbose", 0);
        fluid_settings_setnum(Settings, "synth.sample-rate", Rate);
        // The dry voice alone: the effects add nothing to its pitch but disturb its estimate.
        fluid_settings_setint(Settings, "synth.reverb.active", 0);
        fluid_settings_setint(Settings, "synth.chorus.active", 0);
        fluid_settings_setint(Settings, "synth.polyphony", 32);
        Synth = new_fluid_synth(Settings);
    }
    bool Loaded = false;
    std::array<bool, 128> Started{};
    while (!Stopping) {
        const uint64_t Seen = Requests.load();
        int Program = -1;
        for (size_t p = 0; p < Started.size() && Program < 0; ++p)
            if (Asked[p] && !Started[p]) Program = static_cast<int>(p);
        if (Program < 0) {
            Requests.wait(Seen);
            continue;
        }
        Started[static_cast<size_t>(Program)] = true;
        // The font is read on the first request only, and never by the thread that plays.
        if (!Loaded && Synth)
            Loaded = fluid_synth_sfload(Synth, SoundFont.c_str(), 1) != FLUID_FAILED;
        if (Loaded) MeasureProgram(Synth, Program);
        {
            std::lock_guard Guard(Lock);
            Results[Program].Done = true;
        }
        Changed.notify_all();
    }
    if (Synth) delete_fluid_synth(Synth);
    if (Settings) delete_fluid_settings(Settings);
}

void TCalibration::MeasureProgram(fluid_synth_t* Synth, int Program) {
    const auto WallStart = std::chrono::steady_clock::now();
    const double CpuStart = ThreadCpuSeconds();
    fluid_synth_program_change(Synth, 0, Program);
    std::array<double, 128> Plain{};
    for (size_t k = 0; k < Plain.size(); ++k)
        Plain[k] = 100.0 * static_cast<double>(k);
    fluid_synth_activate_key_tuning(Synth, 0, 0, "calibration", Plain.data(), 0);
    fluid_synth_activate_tuning(Synth, 0, 0, 0, 0);
    for (int Key : Keys) {
        if (Key < 0 || Key > 127) continue;
        const TKeyCalibration Measured = MeasureKey(Synth, Key, ReferenceHz, Rate);
        const double Wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - WallStart).count();
        {
            if (Stopping) return;
            std::lock_guard Guard(Lock);
            TInstrumentCalibration& Known = Results[Program];
            Known.Keys[static_cast<size_t>(Key)] = Measured;
            Known.WallSeconds = Wall;
            Known.CpuSeconds = ThreadCpuSeconds() - CpuStart;
            if (Measured.State == TKeyCalibration::Steady) {
                Untaken[Program].push_back(Key);
                Published.fetch_add(1, std::memory_order_release);
            }
        }
    }
    fluid_synth_deactivate_tuning(Synth, 0, 0);
}
