// The General MIDI soundfonts side by side: time to load, resident memory, and the tuning error
// of four instruments against exact frequencies, before and after the calibration (rendered
// offline, one note at a time, the bend as the synthesizer module sends it). For the fonts not
// installed the row is skipped.
#include "model/Readings.h"
#include "sound/MidiOutFluid.h"
#include "sound/Pitch.h"
#include "sound/SynthSm.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

namespace {

constexpr double Rate = 44100;

size_t ResidentBytes() {
    std::ifstream Statm("/proc/self/statm");
    size_t Pages = 0, Resident = 0;
    Statm >> Pages >> Resident;
    return Resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// Every note the window's keys make: the nine strings plain, with Shift (third harmonic) and
// with Ctrl (fifth), over the 266 choices, as TKeyPlayer reckons them; each distinct frequency
// once.
std::vector<double> WindowFrequencies() {
    std::set<double> Hz;
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    TChoices C;
    for (C.Tonos = 0; C.Tonos < 7; ++C.Tonos)
        for (C.Mixture = 0; C.Mixture < 19; ++C.Mixture)
            for (C.Start = 0; C.Start < 2; ++C.Start) {
                UpdateReadings(C, Mhkh, Readings);
                for (int32_t L = 0; L <= 8; ++L)
                    for (int m : {1, 3, 5}) {
                        double f = GetFrequency(Mhkh, L) * m;
                        if (C.Start == 1) {
                            f = f * 2;
                            f = f / 3;
                        }
                        Hz.insert(f);
                    }
            }
    return {Hz.begin(), Hz.end()};
}

int ModuleKey(double Hz) {
    return static_cast<int>(12 * std::log2(Hz / static_cast<double>(SynthNoteZeroHz)));
}

// Sounding minus exact pitch of each note, in cents, one note at a time through the module.
std::vector<double> Measure(FluidMidiOut& Out, uint8_t Program, const std::vector<double>& Notes) {
    std::vector<double> Cents;
    std::vector<float> Left(static_cast<size_t>(Rate)), Right(Left.size()), Mono(Left.size() / 2);
    SynthUseOutput(&Out);
    for (double Hz : Notes) {
        SynthOpen(Program);
        SynthPlay(0, Hz);
        Out.RenderFloat(Left.data(), Right.data(), static_cast<int>(Left.size()));
        for (size_t i = 0; i < Mono.size(); ++i)
            Mono[i] = 0.5f * (Left[Mono.size() + i] + Right[Mono.size() + i]);
        const double Sounding = pitch::EstimateFundamental(Mono, Rate, Hz / 2.2, Hz * 1.3, 4);
        SynthClose();
        // Let the voice end before the next note.
        Out.RenderFloat(Left.data(), Right.data(), static_cast<int>(Left.size()));
        // Layered tones (the organ) can read an octave off: folded back, as an octave error is
        // the estimator's, not the font's.
        const double c = Sounding > 0 ? pitch::CentsBetween(Sounding, Hz) : NAN;
        Cents.push_back(c - 1200 * std::nearbyint(c / 1200));
    }
    SynthUseOutput(nullptr);
    return Cents;
}

void Report(benchmark::State& State, const std::string& Name, std::vector<double> Cents) {
    std::erase_if(Cents, [](double c) { return std::isnan(c); });
    if (Cents.empty()) return;
    std::sort(Cents.begin(), Cents.end());
    const auto At = [&](double q) {
        return Cents[static_cast<size_t>(std::lround(q * static_cast<double>(Cents.size() - 1)))];
    };
    State.counters[Name + "_min"] = Cents.front();
    State.counters[Name + "_median"] = At(0.5);
    State.counters[Name + "_p95"] = At(0.95);
    State.counters[Name + "_max"] = Cents.back();
    State.counters[Name + "_absmax"] = std::max(-Cents.front(), Cents.back());
}

// Load time (the timed part) and resident growth of one font.
void BM_Load(benchmark::State& State, const char* Path) {
    if (!std::filesystem::exists(Path)) {
        State.SkipWithError("not installed");
        return;
    }
    double Growth = 0; // the first load's: later ones reuse the pages the last one freed
    for (auto _ : State) {
        State.PauseTiming();
        const size_t Before = ResidentBytes();
        auto Out = std::make_unique<FluidMidiOut>(FluidOptions::Offline(Path));
        State.ResumeTiming();
        benchmark::DoNotOptimize(Out->Open());
        State.PauseTiming();
        Growth = std::max(Growth, static_cast<double>(ResidentBytes() - Before) / 1e6);
        State.counters["resident_MB"] = Growth;
        State.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(Path)) / 1e6;
        Out.reset();
        State.ResumeTiming();
    }
}

// Tuning error in cents (sounding minus exact) of one font and program over every note of the
// window, before (FluidSynth as it is) and after the calibration; the calibration's own time and
// processor use, the keys it found steady and those left uncorrected, and the notes on keys it
// does not measure.
void BM_Tuning(benchmark::State& State, const char* Path, uint8_t Program) {
    if (!std::filesystem::exists(Path)) {
        State.SkipWithError("not installed");
        return;
    }
    const std::vector<double> Notes = WindowFrequencies();
    FluidMidiOut Plain(FluidOptions::Offline(Path));
    FluidOptions Options = FluidOptions::Offline(Path);
    Options.CalibratedKeys = FluidOptions::WindowKeys();
    Options.FirstProgram = Program;
    FluidMidiOut Calibrated(Options);
    Plain.Open();
    Calibrated.Open();
    std::vector<double> Before, After;
    for (auto _ : State) {
        Before = Measure(Plain, Program, Notes);
        Calibrated.Calibration()->Wait(Program);
        After = Measure(Calibrated, Program, Notes);
    }
    Report(State, "before", Before);
    Report(State, "after", After);
    const TInstrumentCalibration Known = Calibrated.Calibration()->Result(Program);
    State.counters["calibration_s"] = Known.WallSeconds;
    State.counters["calibration_cpu_s"] = Known.CpuSeconds;
    int Steady = 0, Unsteady = 0;
    for (int Key : FluidOptions::WindowKeys())
        (Known.Keys[static_cast<size_t>(Key)].State == TKeyCalibration::Steady ? Steady
                                                                               : Unsteady)++;
    State.counters["keys_steady"] = Steady;
    State.counters["keys_uncorrected"] = Unsteady;
    const std::vector<int> Keys = FluidOptions::WindowKeys();
    State.counters["notes"] = static_cast<double>(Notes.size());
    State.counters["notes_off_keys"] =
        static_cast<double>(std::count_if(Notes.begin(), Notes.end(), [&](double Hz) {
            return std::find(Keys.begin(), Keys.end(), ModuleKey(Hz)) == Keys.end();
        }));
}

constexpr const char* Tim = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* MuseScore = "/usr/share/sounds/sf3/MuseScore_General_Lite.sf3";
constexpr const char* Fluid = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

BENCHMARK_CAPTURE(BM_Load, TimGM6mb, Tim)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Load, MuseScoreGeneralLite, MuseScore)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Load, FluidR3, Fluid)->Unit(benchmark::kMillisecond)->Iterations(1);

// The default instrument, the church organ, the flute and the harpsichord.
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_NylonGuitar, Tim, 24)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_ChurchOrgan, Tim, 19)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_Flute, Tim, 73)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_Harpsichord, Tim, 6)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, MuseScore_NylonGuitar, MuseScore, 24)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, FluidR3_NylonGuitar, Fluid, 24)->Iterations(1);

} // namespace
