// The real program as a listener gets it (run under xvfb-run): a private PulseAudio server with
// a null sink, its monitor captured, keys from xdotool. Figures are counters, in milliseconds or
// percent of a core; the timed part says nothing.
#include "Harness.h"

#include <QCoreApplication>
#include <QThread>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace harness;

constexpr float Onset = 0.012f;

void WaitMs(int Ms) {
    QThread::msleep(static_cast<unsigned long>(Ms));
}

void Spread(benchmark::State& State, const std::string& Name, std::vector<double> Values) {
    if (Values.empty()) return;
    std::sort(Values.begin(), Values.end());
    State.counters[Name + "_min"] = Values.front();
    State.counters[Name + "_median"] = Median(Values);
    State.counters[Name + "_max"] = Values.back();
}

std::vector<size_t> OnsetsSince(const TCapture& Capture, size_t From) {
    const std::vector<float> All = Capture.Samples();
    if (From >= All.size()) return {};
    return Onsets(std::vector<float>(All.begin() + static_cast<long>(From), All.end()), Onset);
}

// How much later the first note after start begins than later ones, over five starts
// (negative: sooner): three notes a second apart by one xdotool command, the gap after the
// first against the gap after the second (xdotool's own time per note cancels).
void BM_FirstNoteAfterStart(benchmark::State& State) {
    TPulseServer Server;
    TCapture Capture(Server);
    if (!Server.Start() || !Capture.Start()) {
        State.SkipWithError("no PulseAudio server");
        return;
    }
    std::vector<double> Later;
    for (auto _ : State) {
        for (int Start = 0; Start < 5; ++Start) {
            TProgram Program(Server);
            if (!Program.Start()) continue;
            const size_t From = Capture.Frames();
            Program.Xdotool(QString("keydown 5 sleep 0.15 keyup 5 sleep 0.85 keydown 5 sleep 0.15 "
                                    "keyup 5 sleep 0.85 keydown 5 sleep 0.15 keyup 5")
                                .split(' '));
            WaitMs(800);
            const std::vector<size_t> Notes = OnsetsSince(Capture, From);
            if (Notes.size() >= 3)
                Later.push_back(1000 *
                                (static_cast<double>(Notes[2] - Notes[1]) -
                                 static_cast<double>(Notes[1] - Notes[0])) /
                                Rate);
            Program.Close();
            Program.WaitExitMs(10000);
        }
    }
    Spread(State, "first_note_later_ms", Later);
}
BENCHMARK(BM_FirstNoteAfterStart)->Iterations(1)->Unit(benchmark::kSecond);

// Key to sound: ten notes whose keys are 400 ms apart (plus xdotool's own time per note); the
// spread of the gaps between their onsets around their median is the spread of the key-to-sound
// time. The time from the start of xdotool to the first onset is the whole path, xdotool's own
// start included: an upper bound.
void BM_KeyToSound(benchmark::State& State) {
    TPulseServer Server;
    TCapture Capture(Server);
    TProgram Program(Server);
    if (!Server.Start() || !Capture.Start() || !Program.Start()) {
        State.SkipWithError("no PulseAudio server or no program");
        return;
    }
    std::vector<double> GapError, Whole;
    for (auto _ : State) {
        QStringList Keys;
        for (int Note = 0; Note < 10; ++Note)
            Keys << "keydown"
                 << "5"
                 << "sleep"
                 << "0.1"
                 << "keyup"
                 << "5"
                 << "sleep"
                 << "0.3";
        const size_t From = Capture.Frames();
        Program.Xdotool(Keys);
        WaitMs(600);
        const std::vector<size_t> Notes = OnsetsSince(Capture, From);
        std::vector<double> Gaps;
        for (size_t i = 1; i < Notes.size(); ++i)
            Gaps.push_back(1000 * static_cast<double>(Notes[i] - Notes[i - 1]) / Rate);
        const double Typical = Median(Gaps);
        for (double Gap : Gaps)
            GapError.push_back(Gap - Typical);
        if (!Notes.empty()) Whole.push_back(1000 * static_cast<double>(Notes[0]) / Rate);
    }
    Spread(State, "gap_error_ms", GapError);
    Spread(State, "xdotool_to_sound_ms", Whole);
}
BENCHMARK(BM_KeyToSound)->Iterations(3)->Unit(benchmark::kSecond);

// Processor use of the program and of the server after one note, two seconds after its sound
// ended; the capture is stopped first, as it would keep the server busy by itself.
void BM_IdleAfterANote(benchmark::State& State) {
    TPulseServer Server;
    TCapture Capture(Server);
    TProgram Program(Server);
    if (!Server.Start() || !Capture.Start() || !Program.Start()) {
        State.SkipWithError("no PulseAudio server or no program");
        return;
    }
    Capture.Stop();
    std::vector<double> Own, ServerUse;
    for (auto _ : State) {
        Program.Xdotool({"key", "5"});
        WaitMs(3000); // a second of tail, then two of silence
        const double Before = Program.CpuSeconds(), ServerBefore = ProcessCpuSeconds(Server.Pid());
        WaitMs(5000);
        Own.push_back(100 * (Program.CpuSeconds() - Before) / 5);
        ServerUse.push_back(100 * (ProcessCpuSeconds(Server.Pid()) - ServerBefore) / 5);
    }
    Spread(State, "program_cpu_percent", Own);
    Spread(State, "server_cpu_percent", ServerUse);
}
BENCHMARK(BM_IdleAfterANote)->Iterations(2)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication Application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
