// What the synthesizer module sends for the window's keys, byte for byte: the stream every
// backend gets (the recording one here, winmm on Windows). Whatever an embedded synth makes of
// it, the stream itself must stay as it is.
#include "model/Readings.h"
#include "sound/KeyPlayer.h"
#include "sound/MidiOutRecording.h"
#include "sound/SynthSm.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

class TChoiceSeam : public IPlayingSeam {
public:
    double Frequency(int32_t L) const override { return GetFrequency(Mhkh, L); }
    bool FromMese() const override { return Choices.Start == 1; }
    bool Melodic() const override { return false; }

    TChoices Choices;
    TOctave Mhkh = MakeOctave();
};

// FNV-1a over the bytes of every operation, taken a choice at a time (the events of all of them
// would grow the heap of the tests after this one, which watch it).
struct TFingerprint {
    void Take(RecordingMidiOut& Out) {
        for (const auto& e : Out.Events) {
            Add(static_cast<uint32_t>(e.kind));
            for (int Shift : {0, 8, 16})
                Add(e.msg >> Shift);
        }
        Count += Out.Events.size();
        Out.Clear();
    }
    void Add(uint32_t Byte) {
        Hash ^= Byte & 0xFF;
        Hash *= 1099511628211ull;
    }
    uint64_t Hash = 14695981039346656037ull;
    size_t Count = 0;
};

// Every key plain, with Shift and with Ctrl, pressed and released, over the 266 choices, with
// an instrument chosen now and then: 16,483 operations whose fingerprint was taken before the
// embedded synth was calibrated.
TEST(MidiStream, WindowKeysSendTheSameBytesAsBefore) {
    RecordingSynth Synth;
    TChoiceSeam Seam;
    TKeyPlayer Player(Seam);
    TReadings Readings;
    TFingerprint Sent;
    int Choice = 0;
    for (TChoices& C = Seam.Choices; C.Tonos < 7; ++C.Tonos)
        for (C.Mixture = 0; C.Mixture < 19; ++C.Mixture)
            for (C.Start = 0; C.Start < 2; ++C.Start, ++Choice) {
                UpdateReadings(C, Seam.Mhkh, Readings);
                if (Choice % 50 == 49) Player.CBInstrumenteClick(Choice % 128);
                for (uint16_t Key = TKeyPlayer::FirstKey; Key <= TKeyPlayer::LastKey; ++Key)
                    for (const TModifiers m : {TModifiers{}, TModifiers{true, false, false},
                                               TModifiers{false, false, true}}) {
                        Player.EPlayKeyDown(Key, m);
                        Player.EPlayKeyUp(Key);
                    }
                Sent.Take(Synth.Out);
            }
    Player.Silence();
    Sent.Take(Synth.Out);
    EXPECT_EQ(Sent.Count, 16483u);
    EXPECT_EQ(Sent.Hash, 5873312676322673889ull);
}

} // namespace
