#include "MidiOutRecording.h"

#include "SynthSm.h"

#include <cstdio>

std::string MsgText(uint32_t Message) {
    char Text[9];
    std::snprintf(Text, sizeof Text, "%02X %02X %02X", Message & 0xFF, Message >> 8 & 0xFF,
                  Message >> 16 & 0xFF);
    return Text;
}

std::string ProgramChangesText(uint8_t Program) {
    std::string Text;
    for (uint32_t Channel = 0; Channel < 16; ++Channel) {
        if (Channel) Text += ", ";
        Text += MsgText((0xC0 + Channel) | uint32_t{Program} << 8);
    }
    return Text;
}

bool RecordingMidiOut::Open() {
    if (FailingOpens > 0) {
        --FailingOpens;
        Events.push_back({Event::OpenFailed});
        return false;
    }
    Opened = true;
    Events.push_back({Event::Open});
    return true;
}

void RecordingMidiOut::ShortMsg(uint32_t Message) {
    if (!Opened) {
        ++IgnoredCalls;
        return;
    }
    Events.push_back({Event::Msg, Message});
}

void RecordingMidiOut::Reset() {
    if (!Opened) {
        ++IgnoredCalls;
        return;
    }
    Events.push_back({Event::Reset});
}

void RecordingMidiOut::Close() {
    if (!Opened) {
        ++IgnoredCalls;
        return;
    }
    Opened = false;
    Events.push_back({Event::Close});
}

std::vector<uint32_t> RecordingMidiOut::Messages() const {
    std::vector<uint32_t> Result;
    for (const Event& e : Events)
        if (e.kind == Event::Msg) Result.push_back(e.msg);
    return Result;
}

std::vector<std::string> RecordingMidiOut::MessageTexts() const {
    std::vector<std::string> Result;
    for (uint32_t m : Messages())
        Result.push_back(MsgText(m));
    return Result;
}

std::string RecordingMidiOut::Text() const {
    static constexpr const char* Names[] = {"open", "open failed", "", "reset", "close"};
    std::string Result;
    for (const Event& e : Events) {
        if (!Result.empty()) Result += ", ";
        Result += e.kind == Event::Msg ? MsgText(e.msg) : Names[e.kind];
    }
    return Result;
}

void RecordingMidiOut::Clear() {
    Events.clear();
    IgnoredCalls = 0;
}

RecordingSynth::RecordingSynth() {
    // A closed output needs nothing: asking for the platform's would start its soundfont, audio
    // and calibration threads in the tests for nothing.
    if (SynthOpened) SynthClose();
    SynthUseOutput(&Out);
    Instrument = 24;
    for (auto& Note : SynthNotes)
        Note = 0;
}

RecordingSynth::~RecordingSynth() {
    SynthClose();
    SynthUseOutput(nullptr);
}

std::string RecordingSynth::Sent() {
    std::string Text = Out.Text();
    Out.Clear();
    return Text;
}
