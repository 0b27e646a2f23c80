// A key press on the real window (offscreen) until its MIDI messages are handed to the output,
// with the synthesizer already open.
#include "Kelvaro01.h"
#include "sound/MidiOut.h"
#include "sound/SynthSm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Counts what it is handed, so the measurement includes no recording of its own.
class CountingMidiOut : public MidiOut {
public:
    bool Open() override { return true; }
    void ShortMsg(uint32_t) override { ++Messages; }
    void Reset() override {}
    void Close() override {}
    long Messages = 0;
};

void KeyPressToMidi(benchmark::State& State) {
    CountingMidiOut Out;
    SynthUseOutput(&Out);
    {
        TSystemata Window;
        Window.show();
        constexpr quint32 KeyFive = 14; // X11 key code of the main-row 5
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, KeyFive, 0, 0, "5");
        QKeyEvent Release(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, KeyFive, 0, 0, "5");
        QCoreApplication::sendEvent(Window.windowHandle(), &Press); // opens the synthesizer
        QCoreApplication::sendEvent(Window.windowHandle(), &Release);
        for (auto _ : State) {
            const long Before = Out.Messages;
            const auto Start = std::chrono::steady_clock::now();
            QCoreApplication::sendEvent(Window.windowHandle(), &Press);
            const auto End = std::chrono::steady_clock::now();
            if (Out.Messages == Before) State.SkipWithError("the press sent nothing");
            State.SetIterationTime(std::chrono::duration<double>(End - Start).count());
            QCoreApplication::sendEvent(Window.windowHandle(), &Release);
        }
    }
    SynthClose();
    SynthUseOutput(nullptr);
}
BENCHMARK(KeyPressToMidi)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
