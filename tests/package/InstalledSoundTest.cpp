// The installed program as a listener gets it: started from a clean system (KELVARO_PROGRAM, see
// clean-system), against a private PulseAudio server on a private X server. Key 5 must sound the
// frequency the window gives for string 5, read from the table it copies on Ctrl+C.
#include "Harness.h"
#include "tests/support/Pitch.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include <iostream>
#include <optional>

namespace {

using namespace harness;

// The Hz column of one string's row: the number before the nearest pitch, which ends the row.
std::optional<double> ShownHz(const QString& Table, int String) {
    const QRegularExpression Row(
        QStringLiteral("^%1\\s.*\\s(\\d+)[.,](\\d)\\s+\\S+\\s*$").arg(String),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch Match = Row.match(Table);
    if (!Match.hasMatch()) return std::nullopt;
    return Match.captured(1).toDouble() + Match.captured(2).toDouble() / 10;
}

// The clipboard's text once it holds a table, or empty after TimeoutMs.
QString ClipboardTable(int TimeoutMs) {
    QElapsedTimer Clock;
    Clock.start();
    while (Clock.elapsed() < TimeoutMs) {
        const QString Text = QGuiApplication::clipboard()->text();
        if (Text.contains(QStringLiteral("Hz"))) return Text;
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
    return {};
}

TEST(InstalledProgram, KeyFiveSoundsTheShownFrequency) {
    TPulseServer Server;
    ASSERT_TRUE(Server.Start()) << "pulseaudio did not start";
    TCapture Capture(Server);
    ASSERT_TRUE(Capture.Start()) << "parec did not start";
    TProgram Program(Server);
    ASSERT_TRUE(Program.Start()) << Program.Log().toStdString();

    ASSERT_TRUE(Program.Xdotool({"key", "ctrl+c"}));
    const QString Table = ClipboardTable(20000);
    ASSERT_FALSE(Table.isEmpty()) << "nothing copied; " << Program.Log().toStdString();
    const std::optional<double> Expected = ShownHz(Table, 5);
    ASSERT_TRUE(Expected.has_value()) << Table.toStdString();

    const size_t From = Capture.Frames();
    ASSERT_TRUE(Program.Xdotool({"keydown", "5", "sleep", "1.5", "keyup", "5", "sleep", "0.5"}));
    // On a loaded machine the capture may lag behind the keys: wait until it covers them.
    QElapsedTimer Clock;
    Clock.start();
    while (Capture.Frames() < From + 2 * Rate && Clock.elapsed() < 10000)
        QThread::msleep(50);
    const std::vector<float> Heard = Capture.Samples();
    const std::vector<float> Part(Heard.begin() + static_cast<long>(From), Heard.end());
    const std::vector<size_t> Notes = Onsets(Part, 0.01f);
    ASSERT_FALSE(Notes.empty()) << "silent: loudest " << Peak(Part, 0, Part.size()) << "; "
                                << Program.Log().toStdString();
    // The steady part of the note: after its attack, half a second.
    const size_t Start = Notes.front() + Rate / 4;
    ASSERT_LE(Start + Rate / 2, Part.size());
    const std::vector<float> Steady(Part.begin() + static_cast<long>(Start),
                                    Part.begin() + static_cast<long>(Start + Rate / 2));
    const double Hz = pitch::EstimateFundamental(Steady, Rate);
    RecordProperty("heard_hz", std::to_string(Hz));
    std::cerr << "string 5: heard " << Hz << " Hz, the window gives " << *Expected << " Hz\n";
    // The table rounds to 0.1 Hz, under a cent here; the soundfont's samples add up to 3.
    EXPECT_NEAR(pitch::CentsBetween(Hz, *Expected), 0, 5) << Hz << " Hz against " << *Expected;

    Program.Close();
    EXPECT_TRUE(Program.WaitExitMs(10000).has_value()) << "still running after the close";
}

} // namespace

int main(int argc, char* argv[]) {
    // The clipboard needs a connection to the X server that the program runs on.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication Application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
