#include "SynthSm.h"

#include <cmath>

bool SynthOpened = false;
int32_t SynthNotes[16] = {};
uint8_t Instrument = 24;

namespace {

MidiOut* Routed = nullptr;

MidiOut& Out() {
    return Routed ? *Routed : PlatformMidiOut();
}

constexpr uint32_t Pack(uint32_t Status, uint32_t Data1, uint32_t Data2) {
    return Status | Data1 << 8 | Data2 << 16;
}

// Channels past 15 would index SynthNotes out of range and turn the status byte into another
// kind of message.
constexpr bool ValidChannel(uint8_t Channel) {
    return Channel < 16;
}

uint32_t RememberedNote(uint8_t Channel) {
    return static_cast<uint32_t>(SynthNotes[Channel]) & 0xFF;
}

} // namespace

void SynthUseOutput(MidiOut* Output) {
    Routed = Output;
}

void SynthClose() {
    // No test of SynthOpened: a closed output ignores both.
    Out().Reset();
    Out().Close();
    SynthOpened = false;
}

void SynthPrepare(uint8_t Program) {
    Out().Prepare(Program);
}

void SynthOpen(uint8_t Program) {
    if (SynthOpened) SynthClose();
    SynthOpened = Out().Open();
    if (!SynthOpened) return;
    for (uint8_t Channel = 0; Channel < 16; ++Channel)
        SynthProgram(Channel, Program);
}

void SynthProgram(uint8_t Channel, uint8_t Program) {
    if (!ValidChannel(Channel)) return;
    // A data byte with bit 7 set would read as a status byte.
    Out().ShortMsg(Pack(0xC0u + Channel, Program & 0x7Fu, 0));
}

void SynthPlay(uint8_t Channel, double Frequency) {
    if (!ValidChannel(Channel)) return;
    if (SynthNotes[Channel] > 0) {
        Out().ShortMsg(Pack(0x80u + Channel, RememberedNote(Channel), 127));
        SynthNotes[Channel] = 0;
    }
    // Extended intermediates, the product by 12 ahead of the division: this decides the last
    // step of the bend for frequencies near a rounding boundary.
    const long double Ratio = static_cast<long double>(Frequency) / SynthNoteZeroHz;
    const double x = static_cast<double>(12.0L * std::log(Ratio) / std::log(2.0L));
    // Below note 0 (under 8.176 Hz, zero, negative, NaN) no upward bend reaches the pitch, and the
    // truncation of -inf would be undefined: treated like the upper limit.
    if (!(x >= 0.0 && x < 128.0)) return;
    const auto Note = static_cast<int32_t>(x);
    SynthNotes[Channel] = Note;
    // nearbyint rounds half to even in the default rounding mode.
    const auto Amount = static_cast<uint32_t>(std::nearbyint((x - Note) * 4096.0));
    const uint32_t Bend = 8192 + Amount;
    Out().ShortMsg(Pack(0xE0u + Channel, Bend & 0x7F, Bend >> 7));
    Out().ShortMsg(Pack(0x90u + Channel, static_cast<uint32_t>(Note), 127));
}

void SynthStop(uint8_t Channel) {
    if (!ValidChannel(Channel)) return;
    Out().ShortMsg(Pack(0x80u + Channel, RememberedNote(Channel), 0));
}
