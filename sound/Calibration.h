#pragma once
// The pitch each key of an instrument really sounds in FluidSynth, measured offline, and the key
// tuning that corrects it.
//
// FluidSynth 2.3 turns a voice's pitch into a phase increment through a table of whole cents,
// truncating the sum of key tuning, bend and modulators: a key's pitch can only move in steps of
// one cent, and a fractional key tuning is cut off with the rest. What it cannot cut off is the
// sample's own error (a loop that is not a whole number of periods). So a key sounds whole cents
// plus its own fixed error e, and the best it can do is the whole cent nearest the asked pitch:
// key tuning 100 key + 1/2 - e turns the truncation into rounding, within half a cent of every
// bend.
//
// The measurement runs on a thread of its own with a synth and a copy of the soundfont of its
// own, so it never touches the synth that plays. It publishes results under a mutex; the owner
// takes them when it likes (the player applies them at the next note).

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

typedef struct _fluid_synth_t fluid_synth_t;

// One key of one instrument.
struct TKeyCalibration {
    enum TState : uint8_t {
        Pending,  // not measured yet: plays uncorrected
        Steady,   // measured to the precision asked: corrected
        Unsteady, // no steady pitch (percussive, vibrato) or no agreement: stays uncorrected
    };
    TState State = Pending;
    // Sounding minus asked pitch of the unbent key, in cents (Steady only).
    double Cents = 0;
    // The key tuning that corrects it, in cents over FluidSynth's key 0 (Steady only).
    double Tuning = 0;
};

struct TInstrumentCalibration {
    std::array<TKeyCalibration, 128> Keys{};
    bool Done = false;
    // The measurement's own cost, on its thread.
    double WallSeconds = 0, CpuSeconds = 0;
};

// How well a key's pitch must be known to be corrected: the standard error of its estimate, in
// cents.
inline constexpr double CalibrationPrecision = 0.05;

// Measures one key of the program on channel 0 of Synth, whose channel 0 has key tuning bank 0,
// program 0 active: notes at velocity 127, unbent, first with the plain tuning, then corrected
// to check that the correction does what it predicts. Synth is one of the caller's own (its
// channel 0 is played and silenced); ReferenceHz is the frequency the player means by key 0.
TKeyCalibration MeasureKey(fluid_synth_t* Synth, int Key, double ReferenceHz, double Rate);

class TCalibration {
public:
    // Measures Keys, in that order, of each program asked for; ReferenceHz is the frequency the
    // player means by key 0. In spare time, the thread is scheduled only when the processors
    // would idle otherwise (SCHED_IDLE).
    TCalibration(std::string SoundFont, double Rate, double ReferenceHz, std::vector<int> Keys,
                 bool SpareTime);
    ~TCalibration();
    TCalibration(const TCalibration&) = delete;
    TCalibration& operator=(const TCalibration&) = delete;

    // Asks for Program (0..127) unless it was asked for already; never waits (an atomic flag).
    void Request(int Program);
    // Keys of Program measured Steady since the last call, as FluidSynth tuning pitches (for
    // fluid_synth_tune_notes); false when there is none, or when the measurement holds the lock
    // (never waits). For the owner's thread.
    bool TakeCorrections(int Program, std::vector<int>& Keys, std::vector<double>& Pitches);
    // A copy of what is known of Program now.
    TInstrumentCalibration Result(int Program) const;
    // Waits until Program is done (tests and measurements); false when it was never asked for.
    bool Wait(int Program) const;

private:
    void Run();
    void MeasureProgram(fluid_synth_t* Synth, int Program);

    const std::string SoundFont;
    const double Rate, ReferenceHz;
    const std::vector<int> Keys;
    const bool SpareTime;

    // The programs asked for, and a count the measuring thread sleeps on until there are more.
    std::array<std::atomic<bool>, 128> Asked{};
    std::atomic<uint64_t> Requests{0};
    std::atomic<bool> Stopping{false};

    // Results and Untaken; Changed tells Wait that a program is done.
    mutable std::mutex Lock;
    mutable std::condition_variable Changed;
    std::map<int, TInstrumentCalibration> Results;
    // Per program, the keys measured Steady that the owner has not taken yet.
    std::map<int, std::vector<int>> Untaken;
    // Read by the owner before it locks, so that a note with nothing new costs no lock.
    std::atomic<uint64_t> Published{0};
    std::array<uint64_t, 128> TakenAt{}; // the owner's own
    std::thread Worker;
};
