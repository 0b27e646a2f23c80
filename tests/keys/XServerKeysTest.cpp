// Real key presses on a real X server (run under xvfb-run): xdotool types into the real window,
// so the native key codes, the release pairing and the Lock bit come from X itself.
#include "Kelvaro01.h"
#include "sound/MidiOutRecording.h"
#include "sound/SynthSm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace {

// Runs xdotool while the window keeps handling its events.
bool Xdotool(const QStringList& Arguments) {
    QProcess Tool;
    Tool.start(QStringLiteral("xdotool"), Arguments);
    if (!Tool.waitForStarted(5000)) return false;
    QElapsedTimer Clock;
    Clock.start();
    while (Tool.state() != QProcess::NotRunning && Clock.elapsed() < 20000)
        QTest::qWait(10);
    QTest::qWait(200); // the last events arrive after xdotool has sent them
    return Tool.exitStatus() == QProcess::NormalExit && Tool.exitCode() == 0;
}

// The real window on the X server, focused there, with a recording MIDI output.
class XServerKeys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
        Window.show();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window));
        ASSERT_TRUE(Xdotool({"windowfocus", "--sync", QString::number(Window.winId())}));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    }

    RecordingSynth Synth;
    TSystemata Window;
};

TEST_F(XServerKeys, DigitsShiftCapsLockCtrlAndKeypad) {
    ASSERT_TRUE(Xdotool({"key", "--delay", "40", "1", "shift+1", "Caps_Lock", "3", "Caps_Lock",
                         "ctrl+5", "KP_End"}));
    const std::string Open = "open, " + ProgramChangesText(24) + ", ";
    EXPECT_EQ(Synth.Out.Text(),
              // 1: string 8 at 163.3 Hz, then its release
              Open + "E8 7E 5A, 98 33 7F, 88 33 00, " +
                  // Shift closes; Shift+1 ("!") plays 490 Hz; the release is paired by key code
                  "reset, close, " + Open + "88 33 7F, E8 4E 5B, 98 46 7F, 88 46 00, " +
                  // Caps Lock closes; 3 with the Lock bit plays string 6 at 3 x 190.6 Hz
                  "reset, close, " + Open + "E6 02 51, 96 49 7F, 86 49 00, " +
                  // Caps Lock off closes; Ctrl is another key on a closed synth; Ctrl+5: 1225 Hz
                  "reset, close, " + Open + "E4 1E 57, 94 56 7F, 84 56 00, " +
                  // the keypad's 1 is not a playing key
                  "reset, close");
}

TEST_F(XServerKeys, HeldKeyStrikesOnceThroughAutoRepeat) {
    // Held past the X server's auto-repeat delay (660 ms): repeats arrive as release and press
    // pairs, and must neither stop nor strike the string again.
    ASSERT_TRUE(Xdotool({"keydown", "5", "sleep", "1.2", "keyup", "5"}));
    EXPECT_EQ(Synth.Out.Text(),
              "open, " + ProgramChangesText(24) + ", E4 4E 5B, 94 3A 7F, 84 3A 00");
}

} // namespace
