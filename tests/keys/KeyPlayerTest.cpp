// Keyboard playing without a window: keys, modifiers and manners of playing against the bytes
// that reach a recording MIDI output.
#include "sound/KeyPlayer.h"
#include "sound/MidiOutRecording.h"
#include "sound/SynthSm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint16_t Key(int Digit) {
    return static_cast<uint16_t>(0x30 + Digit);
}
constexpr uint16_t OtherKey = 0x10; // any non-digit, e.g. Shift pressed alone

// The default octave (lengths 60 ... 120) and the fixed string of length 135.
class FakeSeam : public IPlayingSeam {
public:
    double Frequency(int32_t L) const override { return 22050.0 / Lengths[L]; }
    bool FromMese() const override { return Mese; }
    bool Melodic() const override { return MelodicOn; }

    double Lengths[9] = {60, 67.5, 1215.0 / 16, 80, 90, 405.0 / 4, 810.0 / 7, 120, 135};
    bool Mese = false;
    bool MelodicOn = false;
};

class KeyPlayerTest : public ::testing::Test {
protected:
    std::string Sent() { return Synth.Sent(); }

    RecordingSynth Synth;
    RecordingMidiOut& Out = Synth.Out;
    FakeSeam Seam;
    TKeyPlayer Player{Seam};
};

TEST_F(KeyPlayerTest, FirstPressOpensWithSixteenProgramsThenBendsAndStrikes) {
    Player.EPlayKeyDown(Key(1), {});
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", E8 7E 5A, 98 33 7F");
    Player.EPlayKeyUp(Key(1));
    EXPECT_EQ(Sent(), "88 33 00");
    EXPECT_FALSE(Player.TonEin()[8]);
}

struct MultiplierCase {
    const char* Name;
    TModifiers Modifiers;
    bool Mese;
    int Note;
    int Bend;
};

class KeyOneMultipliers : public KeyPlayerTest,
                          public ::testing::WithParamInterface<MultiplierCase> {};

TEST_P(KeyOneMultipliers, SoundsTheWorkedNoteAndBend) {
    const auto& C = GetParam();
    Seam.Mese = C.Mese;
    Player.EPlayKeyDown(Key(1), C.Modifiers);
    const auto Messages = Out.Messages();
    ASSERT_EQ(Messages.size(), 18u);
    EXPECT_EQ(Messages[16], 0xE8u | (C.Bend & 0x7F) << 8 | (C.Bend >> 7) << 16);
    EXPECT_EQ(Messages[17], 0x98u | static_cast<uint32_t>(C.Note) << 8 | 0x7Fu << 16);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, KeyOneMultipliers,
    ::testing::Values(MultiplierCase{"NeteNone", {}, false, 51, 11646},
                      MultiplierCase{"NeteShift", {true, false, false}, false, 70, 11726},
                      MultiplierCase{"NeteCapsLock", {false, true, false}, false, 70, 11726},
                      MultiplierCase{"NeteCtrl", {false, false, true}, false, 79, 11086},
                      MultiplierCase{"NeteCtrlShiftCaps", {true, true, true}, false, 79, 11086},
                      MultiplierCase{"MeseNone", {}, true, 44, 11566},
                      MultiplierCase{"MeseShift", {true, false, false}, true, 63, 11646},
                      MultiplierCase{"MeseCapsLock", {false, true, false}, true, 63, 11646},
                      MultiplierCase{"MeseCtrl", {false, false, true}, true, 72, 11006}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(KeyPlayerTest, DigitsMapToStringsFromKeyNineDown) {
    // Key 5 is string 4, length 90: 245 Hz, note 58 bent by 3534 on channel 4.
    Player.EPlayKeyDown(Key(5), {});
    Out.Clear();
    Player.EPlayKeyUp(Key(5));
    Player.EPlayKeyDown(Key(9), {}); // string 0, length 60: 367.5 Hz
    EXPECT_EQ(Sent(), "84 3A 00, E0 1F 5C, 90 41 7F");
    EXPECT_TRUE(Player.TonEin()[0]);
}

TEST_F(KeyPlayerTest, HeldKeyStrikesOnceThroughAutoRepeat) {
    Player.EPlayKeyDown(Key(5), {});
    Out.Clear();
    for (int Repeat = 0; Repeat < 3; ++Repeat)
        Player.EPlayKeyDown(Key(5), {}); // auto-repeat: the flag is already set
    EXPECT_EQ(Sent(), "");
    Player.EPlayKeyUp(Key(5));
    EXPECT_EQ(Sent(), "84 3A 00");
}

TEST_F(KeyPlayerTest, MelodicStopsAllNineThenStrikesEveryPressAndRingsOnRelease) {
    Seam.MelodicOn = true;
    Player.EPlayKeyDown(Key(5), {});
    Out.Clear();
    Player.EPlayKeyDown(Key(5), {}); // an auto-repeat press strikes anew
    EXPECT_EQ(Sent(), "80 00 00, 81 00 00, 82 00 00, 83 00 00, 84 3A 00, 85 00 00, 86 00 00, "
                      "87 00 00, 88 00 00, 84 3A 7F, E4 4E 5B, 94 3A 7F");
    Player.EPlayKeyUp(Key(5));
    EXPECT_EQ(Sent(), "");
    EXPECT_TRUE(Player.TonEin()[4]);
}

TEST_F(KeyPlayerTest, TwoHeldKeysSoundOnTheirOwnChannelsAndStopApart) {
    Player.EPlayKeyDown(Key(5), {});
    Player.EPlayKeyDown(Key(9), {});
    Out.Clear();
    Player.EPlayKeyUp(Key(9));
    EXPECT_EQ(Sent(), "80 41 00");
    EXPECT_TRUE(Player.TonEin()[4]);
    EXPECT_FALSE(Player.TonEin()[0]);
}

TEST_F(KeyPlayerTest, AnyOtherKeyClosesAndTheNextDigitReopensWithTheNewMultiplier) {
    Player.EPlayKeyDown(Key(5), {});
    Player.EPlayKeyDown(Key(3), {});
    Out.Clear();
    Player.EPlayKeyDown(OtherKey, {true, false, false}); // Shift pressed alone
    EXPECT_EQ(Sent(), "reset, close");
    EXPECT_FALSE(SynthOpened);
    for (bool On : Player.TonEin())
        EXPECT_FALSE(On);
    Player.EPlayKeyUp(Key(5)); // released while closed: nothing goes out
    EXPECT_EQ(Sent(), "");
    Player.EPlayKeyDown(Key(5), {true, false, false}); // 735 Hz on string 4
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", 84 3A 7F, E4 1F 5C, 94 4D 7F");
}

TEST_F(KeyPlayerTest, OtherKeyWhileClosedSendsNothing) {
    Player.EPlayKeyDown(OtherKey, {});
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Out.IgnoredCalls, 0);
}

TEST_F(KeyPlayerTest, InstrumentChangeSilencesAndTheNextKeyUsesTheNewProgram) {
    Player.EPlayKeyDown(Key(5), {});
    Out.Clear();
    Player.CBInstrumenteClick(79);
    EXPECT_EQ(Instrument, 79);
    EXPECT_EQ(Sent(), "reset, close");
    EXPECT_FALSE(Player.TonEin()[4]);
    Player.EPlayKeyDown(Key(5), {});
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(79) + ", 84 3A 7F, E4 4E 5B, 94 3A 7F");
}

TEST_F(KeyPlayerTest, FailedOpenLeavesNoStuckStringForTheNextPress) {
    Out.FailNextOpens(1);
    Player.EPlayKeyDown(Key(5), {});
    EXPECT_FALSE(SynthOpened);
    EXPECT_EQ(SynthNotes[4], 58); // the module still remembers what it would have played
    Player.EPlayKeyUp(Key(5));
    Out.Clear();
    Player.EPlayKeyDown(Key(5), {});
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", 84 3A 7F, E4 4E 5B, 94 3A 7F");
}

TEST_F(KeyPlayerTest, PlayingKeyHeldAcrossAnotherKeySoundsAgainAtOnce) {
    Player.EPlayKeyDown(Key(5), {});
    Player.EPlayKeyDown(OtherKey, {});
    Player.EPlayKeyUp(OtherKey);
    Player.EPlayKeyUp(Key(5));
    Out.Clear();
    Player.EPlayKeyDown(Key(5), {});
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", 84 3A 7F, E4 4E 5B, 94 3A 7F");
}

} // namespace
