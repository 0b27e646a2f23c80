#include "KeyPlayer.h"

#include "SynthSm.h"

namespace {
bool IsPlayingKey(uint16_t Key) {
    return Key >= TKeyPlayer::FirstKey && Key <= TKeyPlayer::LastKey;
}
} // namespace

void TKeyPlayer::EPlayKeyDown(uint16_t Key, TModifiers Modifiers) {
    int m = 1;
    if (Modifiers.Shift || Modifiers.CapsLock) m = 3;
    if (Modifiers.Ctrl) m = 5;

    if (!IsPlayingKey(Key)) {
        Silence();
        return;
    }
    const auto L = static_cast<uint8_t>(LastKey - Key);
    double f = Seam.Frequency(L) * m;
    if (Seam.FromMese()) {
        // Doubled, then divided by 3, each rounded to a double: it can decide the last bend step.
        f = f * 2;
        f = f / 3;
    }
    if (!SynthOpened) SynthOpen(Instrument);
    if (Seam.Melodic())
        for (uint8_t s = 0; s <= 8; ++s)
            StopString(s);
    if (!Ton[L]) SynthPlay(L, f);
    Ton[L] = true;
}

void TKeyPlayer::EPlayKeyUp(uint16_t Key) {
    if (Seam.Melodic() || !IsPlayingKey(Key)) return;
    const auto L = static_cast<uint8_t>(LastKey - Key);
    if (SynthOpened)
        StopString(L);
    else
        Ton[L] = false; // nothing sounds, but the next press must strike again
}

void TKeyPlayer::StopString(uint8_t L) {
    SynthStop(L);
    Ton[L] = false;
}

void TKeyPlayer::CBInstrumenteClick(int32_t SelectedIndex) {
    Instrument = static_cast<uint8_t>(SelectedIndex);
    SynthClose();
    SynthPrepare(Instrument);
    Ton.fill(false);
}

void TKeyPlayer::Silence() {
    if (SynthOpened) SynthClose();
    // Cleared even when closed: after a failed open a stale flag would keep the next successful
    // open from striking the string.
    Ton.fill(false);
}
