#include "sound/SynthSm.h"
#include "sound/MidiOutRecording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

class SynthSmTest : public ::testing::Test {
protected:
    void SetUp() override {
        SynthUseOutput(&Out);
        SynthClose();
        // Other tests of this program choose instruments.
        Instrument = 24;
        std::fill(std::begin(SynthNotes), std::end(SynthNotes), 0);
        Out.Clear();
    }
    void TearDown() override {
        SynthClose();
        SynthUseOutput(nullptr);
    }
    // What the device saw since the last call, then forgets it.
    std::string Sent() {
        std::string Text = Out.Text();
        Out.Clear();
        return Text;
    }
    void OpenQuietly(uint8_t Program = 24) {
        SynthOpen(Program);
        Out.Clear();
    }

    RecordingMidiOut Out;
};

constexpr const char* SixteenPrograms24 =
    "open, C0 18 00, C1 18 00, C2 18 00, C3 18 00, C4 18 00, "
    "C5 18 00, C6 18 00, C7 18 00, C8 18 00, C9 18 00, "
    "CA 18 00, CB 18 00, CC 18 00, CD 18 00, CE 18 00, CF 18 00";

struct PlayCase {
    const char* Name;
    double Hz;
    const char* Sent;  // after channel 0 last played 245 Hz (note 58, 0x3A)
    int32_t NoteAfter; // SynthNotes[0] afterwards
};

// Every row starts from a sounding 245 Hz note, so each also checks the note off ahead.
constexpr PlayCase PlayCases[] = {
    {"Hz108_888", 245.0 * 90 / 135 * 2 / 3, "80 3A 7F, E0 2E 5A, 90 2C 7F", 44},
    {"Hz163_333", 245.0 * 90 / 135, "80 3A 7F, E0 7E 5A, 90 33 7F", 51},
    {"Hz245", 245, "80 3A 7F, E0 4E 5B, 90 3A 7F", 58},
    {"Hz440NotNote69", 440, "80 3A 7F, E0 7E 5F, 90 44 7F", 68},
    {"Hz735", 245.0 * 3, "80 3A 7F, E0 1F 5C, 90 4D 7F", 77},
    {"Hz1225", 245.0 * 5, "80 3A 7F, E0 1E 57, 90 56 7F", 86},
    // The reference itself: note 0 without bend.
    {"ReferenceIsNote0", 8.176, "80 3A 7F, E0 00 40, 90 00 7F", 0},
    // x = 127.99990: the fraction rounds up to a whole semitone on the truncated note.
    {"RoundsUpTo12288", 13290.0, "80 3A 7F, E0 00 60, 90 7F 7F", 127},
    // x >= 128: only the note off; the channel stays silent.
    {"AtLimit", 13290.08, "80 3A 7F", 0},
    {"AboveLimit", 20000, "80 3A 7F", 0},
    // Below note 0 no upward bend reaches the pitch: treated like the upper limit.
    {"BelowReference", 4, "80 3A 7F", 0},
    {"Zero", 0, "80 3A 7F", 0},
    {"Negative", -440, "80 3A 7F", 0},
    {"NotANumber", std::numeric_limits<double>::quiet_NaN(), "80 3A 7F", 0},
    {"Infinite", std::numeric_limits<double>::infinity(), "80 3A 7F", 0},
};

void PrintTo(const PlayCase& c, std::ostream* os) {
    *os << c.Name;
}

class SynthPlayTable : public SynthSmTest, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(SynthPlayTable, SendsNoteOffBendThenNoteOn) {
    OpenQuietly();
    SynthPlay(0, 245);
    Out.Clear();
    SynthPlay(0, GetParam().Hz);
    EXPECT_EQ(Sent(), GetParam().Sent);
    EXPECT_EQ(SynthNotes[0], GetParam().NoteAfter);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, SynthPlayTable, ::testing::ValuesIn(PlayCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(SynthSmTest, OpenSendsSixteenProgramChangesAndNothingElse) {
    SynthOpen(Instrument);
    EXPECT_TRUE(SynthOpened);
    EXPECT_EQ(Sent(), SixteenPrograms24);
}

TEST_F(SynthSmTest, ProgramAboveSevenBitsKeepsDataByteClear) {
    OpenQuietly();
    SynthProgram(3, 0x85);
    EXPECT_EQ(Sent(), "C3 05 00");
}

TEST_F(SynthSmTest, ChannelPast15SendsNothing) {
    OpenQuietly();
    SynthPlay(16, 245);
    SynthStop(16);
    SynthProgram(16, 24);
    EXPECT_EQ(Sent(), "");
}

TEST_F(SynthSmTest, OpenWhileOpenResetsClosesAndReopensWithNewProgram) {
    OpenQuietly();
    SynthOpen(79);
    EXPECT_EQ(Sent(), "reset, close, open, C0 4F 00, C1 4F 00, C2 4F 00, C3 4F 00, C4 4F 00, "
                      "C5 4F 00, C6 4F 00, C7 4F 00, C8 4F 00, C9 4F 00, CA 4F 00, CB 4F 00, "
                      "CC 4F 00, CD 4F 00, CE 4F 00, CF 4F 00");
    EXPECT_TRUE(SynthOpened);
}

TEST_F(SynthSmTest, StopLeavesNoteSoReplaySendsSecondNoteOff) {
    OpenQuietly();
    SynthPlay(0, 245);
    SynthStop(0);
    SynthStop(0);
    SynthPlay(0, 245);
    EXPECT_EQ(Sent(), "E0 4E 5B, 90 3A 7F, 80 3A 00, 80 3A 00, 80 3A 7F, E0 4E 5B, 90 3A 7F");
}

TEST_F(SynthSmTest, StopOnChannelThatNeverPlayedSendsNoteOffForNote0) {
    OpenQuietly();
    SynthStop(5);
    EXPECT_EQ(Sent(), "85 00 00");
    EXPECT_EQ(SynthNotes[5], 0);
}

TEST_F(SynthSmTest, ChannelsKeepTheirOwnNotesAndBends) {
    OpenQuietly();
    SynthPlay(8, 245.0 * 90 / 135);
    SynthPlay(4, 245);
    SynthStop(8);
    EXPECT_EQ(Sent(), "E8 7E 5A, 98 33 7F, E4 4E 5B, 94 3A 7F, 88 33 00");
    EXPECT_EQ(SynthNotes[8], 51);
    EXPECT_EQ(SynthNotes[4], 58);
}

TEST_F(SynthSmTest, CloseResetsAndClosesButKeepsNotesForTheNextOpen) {
    OpenQuietly();
    SynthPlay(2, 440);
    SynthClose();
    EXPECT_FALSE(SynthOpened);
    SynthClose(); // while closed: no effect
    EXPECT_EQ(Sent(), "E2 7E 5F, 92 44 7F, reset, close");
    EXPECT_EQ(SynthNotes[2], 68);

    OpenQuietly();
    SynthPlay(2, 440);
    EXPECT_EQ(Sent(), "82 44 7F, E2 7E 5F, 92 44 7F");
}

TEST_F(SynthSmTest, FailedOpenSendsNothingButPlayingStillTracksNotes) {
    Out.FailNextOpens(1);
    SynthOpen(24);
    EXPECT_FALSE(SynthOpened);
    SynthPlay(1, 245);
    SynthStop(1);
    EXPECT_EQ(SynthNotes[1], 58);
    EXPECT_EQ(Sent(), "open failed");

    // The next attempt succeeds, and the note remembered while closed is stopped first.
    SynthOpen(24);
    EXPECT_TRUE(SynthOpened);
    SynthPlay(1, 735);
    EXPECT_EQ(Sent(), std::string(SixteenPrograms24) + ", 81 3A 7F, E1 1F 5C, 91 4D 7F");
}

} // namespace
