// The refresh of the real main window, and the program's start-up to its first paint beside
// that of an empty Qt Widgets window of the same size.
#include "Kelvaro01.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
// Tonos 3 and 2 alternate, so every refresh rewrites every column.
void Refresh(TSystemata& Window, QComboBox* Tonos, int64_t Step) {
    Tonos->setCurrentIndex(Step % 2 == 0 ? 3 : 2);
    QMetaObject::invokeMethod(&Window, "CBTonosClick");
}

void BM_UpdateDisplay(benchmark::State& State) {
    TSystemata Window;
    Window.show();
    auto* Tonos = Window.findChild<QComboBox*>(QStringLiteral("CBTonos"));
    int64_t Step = 0;
    for (auto _ : State)
        Refresh(Window, Tonos, Step++);
}
BENCHMARK(BM_UpdateDisplay)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Process start to first paint, measured on one clock: here before the spawn, in the probe after
// its first paint.
double StartToFirstPaint(const char* Program, const char* Mode) {
    int Pipe[2];
    if (pipe(Pipe) != 0) return -1;
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
    std::string Probe = Program;
    char* Args[] = {Probe.data(), const_cast<char*>(Mode), nullptr};
    const auto Start = std::chrono::steady_clock::now();
    pid_t Child = 0;
    const int Spawned = posix_spawn(&Child, Probe.c_str(), &Actions, nullptr, Args, environ);
    posix_spawn_file_actions_destroy(&Actions);
    close(Pipe[1]);
    std::string Out;
    char Buf[64];
    for (ssize_t n; Spawned == 0 && (n = read(Pipe[0], Buf, sizeof Buf)) > 0;)
        Out.append(Buf, static_cast<size_t>(n));
    close(Pipe[0]);
    int Status = 0;
    if (Spawned == 0) waitpid(Child, &Status, 0);
    if (Spawned != 0 || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0 || Out.empty()) return -1;
    const auto Painted = std::chrono::nanoseconds(std::strtoll(Out.c_str(), nullptr, 10));
    return std::chrono::duration<double>(Painted - Start.time_since_epoch()).count();
}

void BM_StartUp(benchmark::State& State, const char* Program, const char* Mode) {
    for (auto _ : State) {
        const double Seconds = StartToFirstPaint(Program, Mode);
        if (Seconds < 0) {
            State.SkipWithError("the start-up probe failed");
            break;
        }
        State.SetIterationTime(Seconds);
    }
}
void StartUpRuns(benchmark::internal::Benchmark* B) {
    B->UseManualTime()->Iterations(1)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(
        benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_StartUp, Kelvaro, KELVARO_STARTUP_PROBE, "real")->Apply(StartUpRuns);
BENCHMARK_CAPTURE(BM_StartUp, EmptyWindow, KELVARO_EMPTY_WINDOW, "")->Apply(StartUpRuns);
// References that split the difference: the empty window with one line of text, and the empty
// window inside the program's own binary, with the shared libraries the synthesizer brings.
BENCHMARK_CAPTURE(BM_StartUp, EmptyWindowOneLabel, KELVARO_EMPTY_WINDOW, "label")
    ->Apply(StartUpRuns);
BENCHMARK_CAPTURE(BM_StartUp, EmptyWindowSameLibraries, KELVARO_STARTUP_PROBE, "minimal")
    ->Apply(StartUpRuns);
} // namespace
