#include "sound/MidiOutFluid.h"
#include "sound/SynthSm.h"
#include "tests/support/Pitch.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

namespace {

constexpr const char* SmallFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr double Rate = 44100;

struct Stereo {
    std::vector<float> Left, Right;
    std::vector<float> Mono() const {
        std::vector<float> m(Left.size());
        for (size_t i = 0; i < m.size(); ++i)
            m[i] = 0.5f * (Left[i] + Right[i]);
        return m;
    }
};

Stereo Render(FluidMidiOut& Out, double Seconds) {
    const auto Frames = static_cast<int>(Seconds * Rate);
    Stereo s{std::vector<float>(Frames), std::vector<float>(Frames)};
    EXPECT_EQ(Out.RenderFloat(s.Left.data(), s.Right.data(), Frames), 0);
    return s;
}

double Rms(const std::vector<float>& x) {
    double Sum = 0;
    for (float v : x)
        Sum += double(v) * v;
    return x.empty() ? 0 : std::sqrt(Sum / double(x.size()));
}

// Under AddressSanitizer freed memory sits in its quarantine, so resident size says nothing
// about leaks there; LSan judges them instead.
constexpr bool ResidentSizeTellsLeaks = !KELVARO_SANITIZED;
constexpr size_t AllowedGrowth = size_t{1} << 20;

size_t ResidentBytes() {
    std::ifstream Statm("/proc/self/statm");
    size_t Pages = 0, Resident = 0;
    Statm >> Pages >> Resident;
    return Resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// The synthesizer module on an offline FluidSynth with the small GM font.
class OfflineSynth : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(SmallFont)) << "timgm6mb-soundfont is not installed";
        unsetenv("KELVARO_SOUND_LOG");
        SynthUseOutput(&Out);
        std::fill(std::begin(SynthNotes), std::end(SynthNotes), 0);
    }
    void TearDown() override {
        SynthClose();
        SynthUseOutput(nullptr);
    }
    // The pitch of a steady tone: the attack (first 250 ms) is skipped.
    double SoundingHz(const std::vector<float>& x) { return pitch::EstimateFundamental(x, Rate); }

    FluidMidiOut Out{FluidOptions::Offline(SmallFont)};
};

struct SoundCase {
    uint8_t Program;
    double Hz;
};

void PrintTo(const SoundCase& c, std::ostream* os) {
    *os << "program " << int(c.Program) << ", " << c.Hz << " Hz";
}

class RealSound : public OfflineSynth, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(RealSound, SoundsWithinFiveCents) {
    SynthOpen(GetParam().Program);
    ASSERT_TRUE(SynthOpened);
    SynthPlay(0, GetParam().Hz);
    Render(Out, 0.25);
    const double Hz = SoundingHz(Render(Out, 0.3).Mono());
    EXPECT_NEAR(pitch::CentsBetween(Hz, GetParam().Hz), 0, 5) << Hz << " Hz";
}

std::vector<SoundCase> SoundCases() {
    std::vector<SoundCase> Cases;
    for (uint8_t Program : {uint8_t{24}, uint8_t{79}})
        for (double Hz : {245.0 * 90 / 135 * 2 / 3, 245.0 * 90 / 135, 245.0, 440.0, 735.0, 1225.0})
            Cases.push_back({Program, Hz});
    return Cases;
}

INSTANTIATE_TEST_SUITE_P(NylonGuitarAndOcarina, RealSound, ::testing::ValuesIn(SoundCases()),
                         [](const auto& Info) {
                             return "Program" + std::to_string(Info.param.Program) + "_" +
                                    std::to_string(std::lround(Info.param.Hz * 1000)) + "mHz";
                         });

TEST_F(OfflineSynth, TwoChannelsEachSoundAtTheirOwnPitch) {
    SynthOpen(79);
    // Channel 0 hard left, channel 1 hard right, no effects: each side hears one channel.
    for (uint32_t Channel : {0u, 1u}) {
        Out.ShortMsg((0xB0 + Channel) | 10 << 8 | (Channel == 0 ? 0u : 127u) << 16);
        Out.ShortMsg((0xB0 + Channel) | 91 << 8);
        Out.ShortMsg((0xB0 + Channel) | 93 << 8);
    }
    SynthPlay(0, 245);
    SynthPlay(1, 245.0 * 90 / 135);
    Render(Out, 0.25);
    const Stereo s = Render(Out, 0.3);
    EXPECT_NEAR(pitch::CentsBetween(SoundingHz(s.Left), 245), 0, 5);
    EXPECT_NEAR(pitch::CentsBetween(SoundingHz(s.Right), 245.0 * 90 / 135), 0, 5);
}

// A bend of 4096 steps is one semitone: note n bent up by it sounds as note n + 1 unbent. Each
// note on a synth of its own, so nothing but the bend differs.
TEST(PitchWheel, FullBendIsExactlyOneSemitone) {
    for (uint32_t Note : {45u, 57u, 64u, 76u}) {
        const auto Sounding = [](uint32_t Key, uint32_t Bend) {
            FluidMidiOut Out(FluidOptions::Offline(SmallFont));
            EXPECT_TRUE(Out.Open());
            Out.ShortMsg(0xC0 | 24 << 8);
            Out.ShortMsg(0xE0 | (Bend & 0x7F) << 8 | (Bend >> 7) << 16);
            Out.ShortMsg(0x90 | Key << 8 | 127 << 16);
            Render(Out, 0.25);
            return pitch::EstimateFundamental(Render(Out, 0.5).Mono(), Rate);
        };
        const double Bent = Sounding(Note, 8192 + 4096);
        const double Next = Sounding(Note + 1, 8192);
        EXPECT_NEAR(pitch::CentsBetween(Bent, Next), 0, 0.05)
            << "note " << Note << ": " << Bent << " Hz bent, " << Next << " Hz unbent";
    }
}

TEST_F(OfflineSynth, CloseSilencesAndReopenKeepsFontAndBends) {
    SynthOpen(79);
    SynthPlay(0, 440);
    Render(Out, 0.3);
    SynthClose();
    EXPECT_FALSE(Out.IsOpen());
    Render(Out, 1.5); // release and reverb tail
    EXPECT_LT(Rms(Render(Out, 0.1).Mono()), 1e-4);

    // A reopen is the same synth: no second load, and the reset kept the channel's bend, so
    // a bare note on sounds 440 Hz, not note 68's 415.3 Hz.
    SynthOpen(79);
    EXPECT_TRUE(SynthOpened);
    EXPECT_EQ(Out.FontLoads(), 1);
    Out.ShortMsg(0x7F4490);
    Render(Out, 0.25);
    EXPECT_NEAR(pitch::CentsBetween(SoundingHz(Render(Out, 0.3).Mono()), 440), 0, 5);
}

TEST_F(OfflineSynth, ThousandOpenCloseCyclesDoNotGrow) {
    std::vector<float> Left(64), Right(64);
    const auto Cycle = [&] {
        SynthOpen(24);
        SynthPlay(0, 245);
        Out.RenderFloat(Left.data(), Right.data(), 64);
        SynthClose();
    };
    for (int i = 0; i < 50; ++i)
        Cycle();
    const size_t Before = ResidentBytes();
    for (int i = 0; i < 1000; ++i)
        Cycle();
    EXPECT_EQ(Out.FontLoads(), 1);
    if (ResidentSizeTellsLeaks) {
        EXPECT_LT(ResidentBytes() - std::min(Before, ResidentBytes()), AllowedGrowth);
    }
}

// Options that can reach no audio output anywhere, sound card or not. An unknown name is
// skipped: FluidSynth's "file" driver would write ./fluidsynth.wav.
FluidOptions NoAudioOutput() {
    FluidOptions o = FluidOptions::Offline(SmallFont);
    o.Outputs = {"pulseaudio", "file", "alsa"};
    o.AlsaDevice = "hw:CARD=KelvaroNoSuchCard";
    o.PulseServer = "unix:/nonexistent/kelvaro-pulse";
    return o;
}

// Failures arrive from the output's own thread.
bool Eventually(const std::function<bool()>& Condition) {
    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Condition()) {
        if (std::chrono::steady_clock::now() > Until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// ALSA's null device takes audio and drops it: the output runs from a wake, renders, and stops
// by itself once the render has said silence for the idle time.
TEST(AlsaOutput, RunsWhenWokenAndStopsAfterSilence) {
    std::atomic<int> Blocks{0};
    std::atomic<bool> Sounding{true};
    TAudioFormat Format;
    Format.IdleSeconds = 0.2;
    const auto Out = NewAlsaOutput(
        "null",
        [&](float* Interleaved, int Frames) {
            std::fill(Interleaved, Interleaved + 2 * Frames, 0.0f);
            ++Blocks;
            return Sounding.load();
        },
        Format);
    EXPECT_FALSE(Out->Running());
    Out->Wake();
    ASSERT_TRUE(Eventually([&] { return Out->Running() && Blocks > 10; }));
    Sounding = false;
    ASSERT_TRUE(Eventually([&] { return !Out->Running(); }));
    const int Stopped = Blocks;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Blocks, Stopped) << "rendering went on while idle";
    EXPECT_FALSE(Out->Failed());
    Sounding = true;
    Out->Wake();
    EXPECT_TRUE(Eventually([&] { return Out->Running() && Blocks > Stopped; }));
}

class QuietFailure : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("KELVARO_SOUND_LOG");
        ClearSoundLog();
        Dir =
            std::filesystem::temp_directory_path() / ("kelvaro-sound-" + std::to_string(getpid()));
        std::filesystem::create_directories(Dir);
        Previous = std::filesystem::current_path();
        std::filesystem::current_path(Dir);
    }
    void TearDown() override {
        std::filesystem::current_path(Previous);
        std::filesystem::remove_all(Dir);
    }
    std::filesystem::path Dir, Previous;
};

TEST_F(QuietFailure, NoSoundFontLeavesClosedAndPrintsNothing) {
    std::ofstream(Dir / "broken.sf2") << "RIFF, but not a soundfont";
    FluidOptions o = FluidOptions::Offline((Dir / "broken.sf2").string());
    o.SoundFonts.push_back("/nonexistent/kelvaro.sf2");
    FluidMidiOut Out(o);

    testing::internal::CaptureStderr();
    const bool Opened = Out.Open();
    Out.ShortMsg(0x7F3A90);
    Out.Reset();
    Out.Close();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(Opened);
    EXPECT_FALSE(Out.IsOpen());
    EXPECT_TRUE(Out.SoundFont().empty());
    EXPECT_FALSE(SoundLog().empty()) << "FluidSynth's complaint should be in our log";
}

// The synth opens without audio, silent; every note after a failure tries the next output, and
// nothing reaches stderr.
TEST_F(QuietFailure, NoAudioOutputStaysSilentAndEveryNoteTriesAgain) {
    FluidMidiOut Out(NoAudioOutput());
    SynthUseOutput(&Out);

    testing::internal::CaptureStderr();
    SynthOpen(24);
    EXPECT_TRUE(SynthOpened);
    std::set<std::string> Tried;
    for (int Note = 0; Note < 4; ++Note) {
        const int Attempts = Out.AudioAttempts();
        const bool Failed = Out.Audio()->Failed();
        SynthPlay(0, 245);
        EXPECT_EQ(Out.AudioAttempts(), Attempts + (Failed ? 1 : 0)) << "note " << Note;
        Tried.insert(Out.AudioOutput());
        EXPECT_TRUE(Eventually([&] { return Out.Audio()->Failed(); }));
    }
    SynthClose();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    SynthUseOutput(nullptr);

    EXPECT_EQ(Tried, (std::set<std::string>{"pulseaudio", "alsa"}));
    EXPECT_FALSE(Out.Audio()->WasReady());
    EXPECT_EQ(Out.SoundFont(), SmallFont);
    EXPECT_EQ(Out.FontLoads(), 1);
    EXPECT_FALSE(std::filesystem::exists(Dir / "fluidsynth.wav"));
    EXPECT_FALSE(SoundLog().empty());
}

TEST_F(QuietFailure, HundredsOfFailedOutputsDoNotGrow) {
    FluidMidiOut Out(NoAudioOutput());
    ASSERT_TRUE(Out.Open());
    const auto FailOnce = [&] {
        Out.ShortMsg(0x7F3A90);
        ASSERT_TRUE(Eventually([&] { return Out.Audio()->Failed(); }));
    };
    for (int i = 0; i < 20; ++i)
        FailOnce();
    const size_t Before = ResidentBytes();
    const int Attempts = Out.AudioAttempts();
    testing::internal::CaptureStderr();
    for (int i = 0; i < 300; ++i)
        FailOnce();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Out.AudioAttempts(), Attempts + 300);
    if (ResidentSizeTellsLeaks) {
        EXPECT_LT(ResidentBytes() - std::min(Before, ResidentBytes()), AllowedGrowth);
    }
}

TEST_F(QuietFailure, SynthsComeAndGoWithoutLeaks) {
    for (int i = 0; i < 10; ++i) {
        FluidMidiOut Out(FluidOptions::Offline(SmallFont));
        ASSERT_TRUE(Out.Open());
        Out.ShortMsg(0x7F3A90);
        Out.Close();
    }
}

// Channel 9 is the drum channel: the small font has no drum kit 79 (ocarina elsewhere), which
// FluidSynth notes at every open. With the log on, that note reaches stderr once, not once per
// open.
TEST_F(QuietFailure, DrumChannelNoteIsPrintedOnceWithTheLogOn) {
    FluidMidiOut Out(FluidOptions::Offline(SmallFont));
    SynthUseOutput(&Out);
    setenv("KELVARO_SOUND_LOG", "1", 1);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i)
        SynthOpen(79);
    const std::string Printed = testing::internal::GetCapturedStderr();
    unsetenv("KELVARO_SOUND_LOG");
    SynthClose();
    SynthUseOutput(nullptr);

    const auto Count = [](const std::string& Text) {
        size_t n = 0;
        for (size_t At = Text.find("channel 9"); At != std::string::npos;
             At = Text.find("channel 9", At + 1))
            ++n;
        return n;
    };
    std::string Kept;
    for (const std::string& Line : SoundLog())
        Kept += Line + "\n";
    EXPECT_EQ(Count(Kept), 3u);
    EXPECT_LE(Count(Printed), 1u);
}

// The program's own backend prints nothing raw, whether this machine can sound or not.
TEST_F(QuietFailure, PlatformOutputPrintsNothing) {
    SynthUseOutput(nullptr);
    testing::internal::CaptureStderr();
    SynthOpen(24);
    SynthPlay(0, 245);
    SynthStop(0);
    SynthClose();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(std::filesystem::exists(Dir / "fluidsynth.wav"));
}

} // namespace
