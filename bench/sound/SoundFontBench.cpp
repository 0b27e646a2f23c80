// The General MIDI soundfonts side by side: time to load, resident memory, and the tuning error
// of three instruments against exact frequencies (rendered offline, one note at a time, the
// bend as the synthesizer module sends it). For the fonts not installed the row is skipped.
// The error is split in two: what FluidSynth's whole-cent pitch resolution takes (computed from
// the bend sent) and what is left, the samples' own tuning.
#include "sound/MidiOutFluid.h"
#include "sound/SynthSm.h"
#include "tests/support/Pitch.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr double Rate = 44100;

size_t ResidentBytes() {
    std::ifstream Statm("/proc/self/statm");
    size_t Pages = 0, Resident = 0;
    Statm >> Pages >> Resident;
    return Resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// Frequencies spread over the keyboard's range (about 100 Hz to 2 kHz), none on a whole note.
std::vector<double> Frequencies(int Count) {
    std::vector<double> Hz;
    for (int i = 0; i < Count; ++i)
        Hz.push_back(100.0 * std::pow(20.0, (i + 0.37) / Count));
    return Hz;
}

// The pitch FluidSynth is asked for, in cents over note 0 of the module (8.176 Hz), after the
// 1/4096-semitone bend and its truncation to whole cents.
double QuantisedCents(double Hz) {
    const double x = 12 * std::log2(Hz / 8.176);
    const double Note = std::floor(x);
    const double Bend = std::nearbyint((x - Note) * 4096);
    return std::floor(Note * 100 + Bend * 100 / 4096);
}

struct TErrors {
    std::vector<double> Total, Resolution;
};

TErrors Measure(FluidMidiOut& Out, uint8_t Program, int Count) {
    TErrors E;
    std::vector<float> Left(static_cast<size_t>(Rate)), Right(Left.size()), Mono(Left.size() / 2);
    SynthUseOutput(&Out);
    for (double Hz : Frequencies(Count)) {
        SynthOpen(Program);
        SynthPlay(0, Hz);
        Out.RenderFloat(Left.data(), Right.data(), static_cast<int>(Left.size()));
        for (size_t i = 0; i < Mono.size(); ++i)
            Mono[i] = 0.5f * (Left[Mono.size() + i] + Right[Mono.size() + i]);
        const double Sounding = pitch::EstimateFundamental(Mono, Rate);
        SynthClose();
        // Let the voice end before the next note.
        Out.RenderFloat(Left.data(), Right.data(), static_cast<int>(Left.size()));
        if (Sounding <= 0) continue;
        // Layered tones (the organ) can read an octave off: folded back, as an octave error is
        // the estimator's, not the font's.
        const double Cents = pitch::CentsBetween(Sounding, Hz);
        E.Total.push_back(Cents - 1200 * std::nearbyint(Cents / 1200));
        const double Exact = 1200 * std::log2(Hz / 8.176);
        E.Resolution.push_back(QuantisedCents(Hz) - Exact);
    }
    SynthUseOutput(nullptr);
    return E;
}

void Report(benchmark::State& State, const char* Name, std::vector<double> Cents) {
    if (Cents.empty()) return;
    std::sort(Cents.begin(), Cents.end());
    State.counters[std::string(Name) + "_min"] = Cents.front();
    State.counters[std::string(Name) + "_median"] = Cents[Cents.size() / 2];
    State.counters[std::string(Name) + "_max"] = Cents.back();
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

// Tuning error in cents (sounding minus exact) for one font and program.
void BM_Tuning(benchmark::State& State, const char* Path, uint8_t Program, int Count) {
    if (!std::filesystem::exists(Path)) {
        State.SkipWithError("not installed");
        return;
    }
    FluidMidiOut Out(FluidOptions::Offline(Path));
    Out.Open();
    TErrors E;
    for (auto _ : State)
        E = Measure(Out, Program, Count);
    Report(State, "cents", E.Total);
    Report(State, "resolution", E.Resolution);
    std::vector<double> Samples;
    for (size_t i = 0; i < E.Total.size(); ++i)
        Samples.push_back(E.Total[i] - E.Resolution[i]);
    Report(State, "samples", Samples);
}

constexpr const char* Tim = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr const char* MuseScore = "/usr/share/sounds/sf3/MuseScore_General_Lite.sf3";
constexpr const char* Fluid = "/usr/share/sounds/sf2/FluidR3_GM.sf2";

BENCHMARK_CAPTURE(BM_Load, TimGM6mb, Tim)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Load, MuseScoreGeneralLite, MuseScore)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Load, FluidR3, Fluid)->Unit(benchmark::kMillisecond)->Iterations(1);

// The default instrument over 200 choices; the others over 40.
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_NylonGuitar200, Tim, 24, 200)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_ChurchOrgan, Tim, 19, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, TimGM6mb_Flute, Tim, 73, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, MuseScore_NylonGuitar, MuseScore, 24, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, MuseScore_ChurchOrgan, MuseScore, 19, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, MuseScore_Flute, MuseScore, 73, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, FluidR3_NylonGuitar, Fluid, 24, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, FluidR3_ChurchOrgan, Fluid, 19, 40)->Iterations(1);
BENCHMARK_CAPTURE(BM_Tuning, FluidR3_Flute, Fluid, 73, 40)->Iterations(1);

} // namespace
