// MIDI output through the Windows multimedia library: the MIDI mapper, opened without a
// callback, so no system thread calls back into the program.
#include "MidiOut.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

class WinmmMidiOut : public MidiOut {
public:
    bool Open() override {
        if (!Opened)
            Opened = midiOutOpen(&Handle, MIDI_MAPPER, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;
        return Opened;
    }
    void ShortMsg(uint32_t Message) override {
        if (Opened) midiOutShortMsg(Handle, Message);
    }
    void Reset() override {
        if (Opened) midiOutReset(Handle);
    }
    void Close() override {
        if (!Opened) return;
        midiOutClose(Handle);
        Opened = false;
    }

private:
    HMIDIOUT Handle = nullptr;
    bool Opened = false;
};

} // namespace

MidiOut& PlatformMidiOut() {
    static WinmmMidiOut Output;
    return Output;
}
