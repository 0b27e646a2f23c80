#pragma once
// A MIDI output for tests: behaves like a device (messages count only while open) and keeps
// every operation it saw in order. It can be told to refuse the next opens.

#include "MidiOut.h"

#include <cstdint>
#include <string>
#include <vector>

// "C0 18 00": the three bytes of a short message, status first.
std::string MsgText(uint32_t Message);
// The sixteen program changes an open sends: "C0 18 00, C1 18 00, ..., CF 18 00".
std::string ProgramChangesText(uint8_t Program);

class RecordingMidiOut : public MidiOut {
public:
    struct Event {
        enum Kind { Open, OpenFailed, Msg, Reset, Close } kind;
        uint32_t msg = 0; // only for Msg
        bool operator==(const Event&) const = default;
    };

    bool Open() override;
    void ShortMsg(uint32_t Message) override;
    void Reset() override;
    void Close() override;

    // The next n opens fail (then they succeed again).
    void FailNextOpens(int n) { FailingOpens = n; }
    bool IsOpen() const { return Opened; }

    // The messages that reached the open device, in order.
    std::vector<uint32_t> Messages() const;
    std::vector<std::string> MessageTexts() const;
    // Every event in one line: "open, C0 18 00, E0 7E 5A, reset, close".
    std::string Text() const;
    // Forgets the events; the open state stays.
    void Clear();

    // Every open attempt, success or failure, and every operation on the open device.
    std::vector<Event> Events;
    // Sends, resets and closes while closed: they had no effect and are not in Events.
    int IgnoredCalls = 0;

private:
    bool Opened = false;
    int FailingOpens = 0;
};

// Routes the synthesizer module to a recording output, from the module's start state (closed,
// no remembered notes, instrument 24), for as long as it lives; then closes and restores the
// platform output.
class RecordingSynth {
public:
    RecordingSynth();
    ~RecordingSynth();
    RecordingSynth(const RecordingSynth&) = delete;
    RecordingSynth& operator=(const RecordingSynth&) = delete;

    // What the output saw since the last call, in one line; then forgets it.
    std::string Sent();

    RecordingMidiOut Out;
};
