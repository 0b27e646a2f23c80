#pragma once
// The four operations the synthesizer module needs of a MIDI output. Sending, resetting or
// closing while not open does nothing.

#include <cstdint>

class MidiOut {
public:
    virtual ~MidiOut() = default;
    // Opens the default General MIDI output; true on success.
    virtual bool Open() = 0;
    // One short message: status in bits 0-7, first data byte in 8-15, second in 16-23.
    virtual void ShortMsg(uint32_t Message) = 0;
    // Turns every note on every channel off; programs and bends stay.
    virtual void Reset() = 0;
    virtual void Close() = 0;
    // An instrument is about to be played: a backend may get ready for it. Sends nothing.
    virtual void Prepare(uint8_t /*Program*/) {}
};

// The backend of this platform, chosen at build time (one source file per platform).
MidiOut& PlatformMidiOut();
