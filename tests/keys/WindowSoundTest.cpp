// End to end: a key press in the real window, the embedded synthesizer rendering offline, and the
// pitch that comes out against the frequency the window shows for that string.
#include "Kelvaro01.h"
#include "ReadOnlyText.h"
#include "sound/MidiOutFluid.h"
#include "sound/SynthSm.h"
#include "tests/support/Pitch.h"

#include <QKeyEvent>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double Rate = 44100;

struct KeyCase {
    const char* Name;
    int Digit; // string 9 - Digit
    bool Shift;
};

class WindowSound : public ::testing::TestWithParam<KeyCase> {};

TEST_P(WindowSound, FundamentalMatchesTheShownFrequency) {
    const auto& C = GetParam();
    FluidMidiOut Out(FluidOptions::Offline("/usr/share/sounds/sf2/TimGM6mb.sf2"));
    SynthUseOutput(&Out);
    {
        TSystemata Window;
        Window.show();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));

        const auto Mods = C.Shift ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent Press(QEvent::KeyPress, Qt::Key_0 + C.Digit, Mods,
                        static_cast<quint32>(9 + C.Digit), 0, 0, QString::number(C.Digit));
        QCoreApplication::sendEvent(Window.windowHandle(), &Press);
        ASSERT_TRUE(SynthOpened) << "the soundfont did not load";

        const int Line = 9 - C.Digit;
        const QStringList Shown =
            Window.findChild<TReadOnlyText*>(QStringLiteral("MFreq"))->toPlainText().split(u'\n');
        ASSERT_EQ(Shown.size(), 8);
        bool Ok = false;
        const double ShownHz = QLocale().toDouble(Shown[Line], &Ok) * (C.Shift ? 3 : 1);
        ASSERT_TRUE(Ok) << Shown[Line].toStdString();

        const int Skip = static_cast<int>(Rate / 4), Frames = static_cast<int>(Rate / 2);
        std::vector<float> Left(Skip + Frames), Right(Skip + Frames);
        ASSERT_EQ(Out.RenderFloat(Left.data(), Right.data(), Skip + Frames), 0);
        const std::vector<float> Steady(Left.begin() + Skip, Left.end());
        const double Hz = pitch::EstimateFundamental(Steady, Rate);
        // The shown text is rounded to 0.1 Hz: under 1 cent at these pitches.
        EXPECT_NEAR(pitch::CentsBetween(Hz, ShownHz), 0, 5) << Hz << " Hz against " << ShownHz;
    }
    SynthClose();
    SynthUseOutput(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, WindowSound,
                         ::testing::Values(KeyCase{"Key5At245Hz", 5, false},
                                           KeyCase{"Key7", 7, false},
                                           KeyCase{"ShiftKey9ThirdHarmonic", 9, true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
