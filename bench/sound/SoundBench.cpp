// Speed of the synthesizer module on the FluidSynth output: first open (synth, small soundfont:
// each step on its own), reopen after close, and one SynthPlay.
#include "sound/MidiOutFluid.h"
#include "sound/SynthSm.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr const char* SmallFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Cold first open without audio: a new synth and the small soundfont.
void BM_FirstOpenOffline(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto Out = std::make_unique<FluidMidiOut>(FluidOptions::Offline(SmallFont));
        State.ResumeTiming();
        benchmark::DoNotOptimize(Out->Open());
        State.PauseTiming();
        Out.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpenOffline)->Unit(benchmark::kMillisecond);

// The program's own options, first open: system GM font and the start of an audio output,
// which connects on its own thread.
void BM_FirstOpenDefaults(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto Out = std::make_unique<FluidMidiOut>(FluidOptions::Defaults());
        State.ResumeTiming();
        benchmark::DoNotOptimize(Out->Open());
        State.PauseTiming();
        State.counters["opened"] = Out->IsOpen();
        Out.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpenDefaults)->Unit(benchmark::kMillisecond);

// The steps of a first open one by one.
void BM_StepMakeSynth(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto Out = std::make_unique<FluidMidiOut>(FluidOptions::Offline(SmallFont));
        State.ResumeTiming();
        benchmark::DoNotOptimize(Out->MakeSynth());
        State.PauseTiming();
        Out.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_StepMakeSynth)->Unit(benchmark::kMillisecond);

void BM_StepLoadSmallFont(benchmark::State& State) {
    for (auto _ : State) {
        State.PauseTiming();
        auto Out = std::make_unique<FluidMidiOut>(FluidOptions::Offline(SmallFont));
        Out->MakeSynth();
        State.ResumeTiming();
        benchmark::DoNotOptimize(Out->LoadSoundFont());
        State.PauseTiming();
        Out.reset();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_StepLoadSmallFont)->Unit(benchmark::kMillisecond);

// SynthClose then SynthOpen: reset, close, open, sixteen program changes.
void BM_Reopen(benchmark::State& State) {
    FluidMidiOut Out(FluidOptions::Offline(SmallFont));
    SynthUseOutput(&Out);
    SynthOpen(24);
    for (auto _ : State) {
        SynthClose();
        SynthOpen(24);
    }
    SynthClose();
    SynthUseOutput(nullptr);
}
BENCHMARK(BM_Reopen)->Unit(benchmark::kMicrosecond);

// One SynthPlay (note off, bend, note on) on an open synth. A little audio is rendered between
// plays, untimed, so that released voices end as they would with a driver pulling audio.
void BM_SynthPlay(benchmark::State& State) {
    FluidMidiOut Out(FluidOptions::Offline(SmallFont));
    SynthUseOutput(&Out);
    SynthOpen(24);
    std::vector<float> Left(64), Right(64);
    const double Hz[] = {108.888, 163.333, 245, 440, 735, 1225};
    size_t i = 0;
    for (auto _ : State) {
        SynthPlay(0, Hz[i++ % 6]);
        State.PauseTiming();
        Out.RenderFloat(Left.data(), Right.data(), 64);
        State.ResumeTiming();
    }
    SynthClose();
    SynthUseOutput(nullptr);
}
BENCHMARK(BM_SynthPlay)->Unit(benchmark::kMicrosecond);

} // namespace
