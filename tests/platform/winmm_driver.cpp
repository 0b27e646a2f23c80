// Drives the synthesizer module on the winmm output, so that the cross build links every
// operation it uses.
#include "sound/SynthSm.h"

#include <cstdio>

int main() {
    SynthOpen(Instrument);
    SynthPlay(0, 440);
    SynthStop(0);
    const bool Opened = SynthOpened;
    SynthClose();
    std::printf("MIDI mapper %s\n", Opened ? "opened" : "not available");
    return 0;
}
