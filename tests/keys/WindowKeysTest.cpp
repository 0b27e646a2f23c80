// Keyboard playing through the real window: key events take the path a person's keys take (to the
// top-level QWindow, with native key codes and modifier state), and the bytes that reach a
// recording MIDI output are checked.
#include "Kelvaro01.h"
#include "NativeKeyCodes.h"
#include "NativeKeys.h"
#include "RadioGroup.h"
#include "sound/MidiOutRecording.h"
#include "sound/SynthSm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class FakeKeyState : public TKeyStateSource {
public:
    TModifiers Read(const QKeyEvent&) const override { return State; }
    TModifiers State;
};

class WindowKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        Window = std::make_unique<TSystemata>();
        Window->SetKeyStateSource(&Keys);
        Window->show();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Out.Clear();
    }
    void TearDown() override { Window.reset(); }

    void Send(QEvent::Type Type, int Key, TNativeKey Code, Qt::KeyboardModifiers Mods = {},
              const QString& Text = {}, bool AutoRepeat = false, quint32 NativeMods = 0) {
        QKeyEvent Event(Type, Key, Mods, Code.ScanCode, Code.VirtualKey, NativeMods, Text,
                        AutoRepeat);
        QCoreApplication::sendEvent(Window->windowHandle(), &Event);
    }
    void Press(int Digit, Qt::KeyboardModifiers Mods = {}, bool AutoRepeat = false) {
        Send(QEvent::KeyPress, Qt::Key_0 + Digit, NativeDigit(Digit), Mods, QString::number(Digit),
             AutoRepeat);
    }
    void Release(int Digit, Qt::KeyboardModifiers Mods = {}, bool AutoRepeat = false) {
        Send(QEvent::KeyRelease, Qt::Key_0 + Digit, NativeDigit(Digit), Mods,
             QString::number(Digit), AutoRepeat);
    }
    std::string Sent() { return Synth.Sent(); }
    template <typename T> T* Control(const char* Name) {
        auto* Found = Window->findChild<T*>(QString::fromLatin1(Name));
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }

    RecordingSynth Synth;
    RecordingMidiOut& Out = Synth.Out;
    FakeKeyState Keys;
    std::unique_ptr<TSystemata> Window;
};

TEST_F(WindowKeysTest, KeyOneFirstPressAndRelease) {
    Press(1);
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", E8 7E 5A, 98 33 7F");
    Release(1);
    EXPECT_EQ(Sent(), "88 33 00");
}

struct KeyOneCase {
    const char* Name;
    TModifiers Modifiers;
    bool Mese;
    const char* Bytes; // pitch bend and note on
};

class WindowKeyOne : public WindowKeysTest, public ::testing::WithParamInterface<KeyOneCase> {};

TEST_P(WindowKeyOne, SoundsTheWorkedExample) {
    const auto& C = GetParam();
    if (C.Mese) {
        Control<TRadioGroup>("RGApo")->setItemIndex(1);
        Out.Clear();
    }
    Keys.State = C.Modifiers;
    Press(1, C.Modifiers.Shift ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", " + C.Bytes);
}

// Note and bend for key 1 (string 8, channel 8): 163.3 Hz times 1, 3 or 5, times 2/3 from mese.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, WindowKeyOne,
    ::testing::Values(KeyOneCase{"NeteNone", {}, false, "E8 7E 5A, 98 33 7F"},
                      KeyOneCase{"NeteShift", {true, false, false}, false, "E8 4E 5B, 98 46 7F"},
                      KeyOneCase{"NeteCapsLock", {false, true, false}, false, "E8 4E 5B, 98 46 7F"},
                      KeyOneCase{"NeteCtrl", {false, false, true}, false, "E8 4E 56, 98 4F 7F"},
                      KeyOneCase{"MeseNone", {}, true, "E8 2E 5A, 98 2C 7F"},
                      KeyOneCase{"MeseShift", {true, false, false}, true, "E8 7E 5A, 98 3F 7F"},
                      KeyOneCase{"MeseCtrl", {false, false, true}, true, "E8 7E 55, 98 48 7F"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(WindowKeysTest, PlatformKeyStateReadsShiftAndTheNativeLockBit) {
    if (NativeCapsLockBit() == 0) GTEST_SKIP() << "this platform reads the real keyboard's state";
    Window->SetKeyStateSource(nullptr);
    // Shift+1 on a US layout arrives as "!"; the release comes as "1" once Shift is up.
    Send(QEvent::KeyPress, Qt::Key_Exclam, NativeDigit(1), Qt::ShiftModifier, "!");
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", E8 4E 5B, 98 46 7F");
    Send(QEvent::KeyRelease, Qt::Key_1, NativeDigit(1), Qt::NoModifier, "1");
    EXPECT_EQ(Sent(), "88 46 00");
    // Caps Lock on: the Lock bit of the native modifier state.
    Send(QEvent::KeyPress, Qt::Key_1, NativeDigit(1), Qt::NoModifier, "1", false,
         NativeCapsLockBit());
    EXPECT_EQ(Sent(), "88 46 7F, E8 4E 5B, 98 46 7F");
}

TEST_F(WindowKeysTest, HeldKeyIgnoresAutoRepeatAndStopsOnTheRealRelease) {
    Press(5);
    Out.Clear();
    for (int Repeat = 0; Repeat < 3; ++Repeat) {
        Release(5, {}, true); // X11 sends auto-repeat as release and press pairs
        Press(5, {}, true);
    }
    EXPECT_EQ(Sent(), "");
    Release(5);
    EXPECT_EQ(Sent(), "84 3A 00");
}

TEST_F(WindowKeysTest, MelodicRestrikesOnAutoRepeatAndRingsOnAfterRelease) {
    Control<QCheckBox>("CBMelodic")->setChecked(true);
    Press(5);
    Out.Clear();
    Release(5, {}, true);
    Press(5, {}, true);
    EXPECT_EQ(Sent(), "80 00 00, 81 00 00, 82 00 00, 83 00 00, 84 3A 00, 85 00 00, 86 00 00, "
                      "87 00 00, 88 00 00, 84 3A 7F, E4 4E 5B, 94 3A 7F");
    Release(5);
    EXPECT_EQ(Sent(), "");
}

TEST_F(WindowKeysTest, TwoHeldKeysStopApart) {
    Press(5);
    Press(9);
    Out.Clear();
    Release(9);
    EXPECT_EQ(Sent(), "80 41 00");
    Release(5);
    EXPECT_EQ(Sent(), "84 3A 00");
}

TEST_F(WindowKeysTest, KeypadDigitClosesLikeAnyOtherKey) {
    Press(5);
    Out.Clear();
    const Qt::KeyboardModifiers NumLockOnAndOff[] = {Qt::KeypadModifier,
                                                     Qt::KeypadModifier | Qt::ShiftModifier};
    for (const auto Mods : NumLockOnAndOff) {
        Send(QEvent::KeyPress, Qt::Key_1, NativeKey(TKey::KeypadOne), Mods, "1");
        Send(QEvent::KeyRelease, Qt::Key_1, NativeKey(TKey::KeypadOne), Mods, "1");
    }
    EXPECT_EQ(Sent(), "reset, close");
    EXPECT_FALSE(SynthOpened);
}

TEST_F(WindowKeysTest, ModifierAloneSilencesAndTheNextDigitUsesIt) {
    Press(5);
    Out.Clear();
    Keys.State = {true, false, false};
    Send(QEvent::KeyPress, Qt::Key_Shift, NativeKey(TKey::Shift), Qt::ShiftModifier);
    EXPECT_EQ(Sent(), "reset, close");
    Press(5, Qt::ShiftModifier);
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", 84 3A 7F, E4 1F 5C, 94 4D 7F");
}

TEST_F(WindowKeysTest, InstrumentChosenWhileSoundingSilencesAndTheNextKeyUsesIt) {
    Press(5);
    auto* Instruments = Control<QComboBox>("CBInstrumente");
    Instruments->setFocus();
    Out.Clear();
    // The Down key first reaches keyboard playing as another key, then chooses program 25.
    Send(QEvent::KeyPress, Qt::Key_Down, NativeKey(TKey::Down));
    Send(QEvent::KeyRelease, Qt::Key_Down, NativeKey(TKey::Down));
    EXPECT_EQ(Instruments->currentIndex(), 25);
    EXPECT_EQ(Instrument, 25);
    EXPECT_EQ(Sent(), "reset, close");
    Release(5);
    Press(5);
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(25) + ", 84 3A 7F, E4 4E 5B, 94 3A 7F");
}

TEST_F(WindowKeysTest, ProgrammaticInstrumentSelectionDoesNotClose) {
    Press(5);
    Out.Clear();
    Control<QComboBox>("CBInstrumente")->setCurrentIndex(40);
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Instrument, 24);
}

TEST_F(WindowKeysTest, LosingActivationSilencesHeldStrings) {
    Press(5);
    Press(9);
    Out.Clear();
    QWidget Other;
    Other.show();
    Other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Other));
    EXPECT_EQ(Sent(), "reset, close");
    // Their releases go to the other window; back here, the key strikes at once.
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    Press(5);
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", 84 3A 7F, E4 4E 5B, 94 3A 7F");
}

// An open drop-down list is a popup window of its own, and a key released there must still
// reach the key preview, once; so must a press, and the list still gets both.
TEST_F(WindowKeysTest, KeysOnAnOpenDropDownListReachThePreviewOnce) {
    auto* Tonos = Control<QComboBox>("CBTonos");
    Press(5);
    Tonos->showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QWindow* List = QApplication::activePopupWidget()->windowHandle();
    ASSERT_NE(List, nullptr);
    ASSERT_NE(List, Window->windowHandle()) << "the list should be a window of its own";
    ASSERT_EQ(List->type(), Qt::Popup);
    Out.Clear();

    QKeyEvent Up(QEvent::KeyRelease, Qt::Key_5, {}, NativeDigit(5).ScanCode,
                 NativeDigit(5).VirtualKey, 0, "5");
    QCoreApplication::sendEvent(List, &Up);
    EXPECT_EQ(Sent(), "84 3A 00");
    QKeyEvent Down(QEvent::KeyPress, Qt::Key_Down, {}, NativeKey(TKey::Down).ScanCode,
                   NativeKey(TKey::Down).VirtualKey, 0, {});
    QCoreApplication::sendEvent(List, &Down);
    EXPECT_EQ(Sent(), "reset, close");
    QKeyEvent Again(QEvent::KeyPress, Qt::Key_7, {}, NativeDigit(7).ScanCode,
                    NativeDigit(7).VirtualKey, 0, "7");
    QCoreApplication::sendEvent(List, &Again);
    EXPECT_EQ(Sent(), "open, " + ProgramChangesText(24) + ", E2 5E 59, 92 3D 7F");
    Tonos->hidePopup();
}

TEST_F(WindowKeysTest, KeysStillReachTheFocusedControl) {
    auto* Melodic = Control<QCheckBox>("CBMelodic");
    Melodic->setFocus();
    Send(QEvent::KeyPress, Qt::Key_Space, NativeKey(TKey::Space), {}, " ");
    Send(QEvent::KeyRelease, Qt::Key_Space, NativeKey(TKey::Space), {}, " ");
    EXPECT_TRUE(Melodic->isChecked());
}

TEST_F(WindowKeysTest, ClosingTheWindowWhileAStringSoundsSilencesIt) {
    Press(5);
    Out.Clear();
    Window.reset();
    EXPECT_EQ(Sent(), "reset, close");
}

} // namespace
