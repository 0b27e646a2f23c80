// One refresh's model work: octave, every text and the interval list.

#include "Readings.h"

#include <benchmark/benchmark.h>

namespace {

// A spread of choices: the defaults, a folded start, the 64-bit products, an enharmonic octave
// with few intervals and the all-ratios list.
struct TSample {
    int32_t Tonos, Mixture, Start, Language;
    bool AllRatios;
};
constexpr TSample Samples[] = {
    {3, 3, 0, 0, false}, {6, 0, 1, 1, false},  {4, 8, 1, 0, false},
    {0, 5, 0, 1, false}, {2, 13, 1, 0, false}, {3, 3, 0, 1, true},
};

void BM_Refresh(benchmark::State& State) {
    const TSample& S = Samples[State.range(0)];
    TChoices Choices;
    Choices.Tonos = S.Tonos;
    Choices.Mixture = S.Mixture;
    Choices.Start = S.Start;
    Choices.Language = S.Language;
    Choices.AllRatios = S.AllRatios;
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    for (auto _ : State) {
        UpdateReadings(Choices, Mhkh, Readings);
        benchmark::DoNotOptimize(Readings);
    }
}
BENCHMARK(BM_Refresh)->DenseRange(0, 5)->Repetitions(10)->ReportAggregatesOnly(true);

// A fresh TReadings each time: the window's first refresh, every buffer allocated.
void BM_RefreshColdBuffers(benchmark::State& State) {
    TChoices Choices;
    TOctave Mhkh = MakeOctave();
    for (auto _ : State) {
        TReadings Readings;
        UpdateReadings(Choices, Mhkh, Readings);
        benchmark::DoNotOptimize(Readings);
    }
}
BENCHMARK(BM_RefreshColdBuffers)->Repetitions(10)->ReportAggregatesOnly(true);

// Every tonos, mixture and start point in both languages: 532 refreshes per iteration.
void BM_AllChoices(benchmark::State& State) {
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    TChoices C;
    for (auto _ : State) {
        for (C.Tonos = 0; C.Tonos < 7; ++C.Tonos)
            for (C.Mixture = 0; C.Mixture < 19; ++C.Mixture)
                for (C.Start = 0; C.Start < 2; ++C.Start)
                    for (C.Language = 0; C.Language < 2; ++C.Language) {
                        UpdateReadings(C, Mhkh, Readings);
                        benchmark::DoNotOptimize(Readings);
                    }
    }
    State.counters["per_refresh"] =
        benchmark::Counter(static_cast<double>(State.iterations()) * 532,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AllChoices)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
