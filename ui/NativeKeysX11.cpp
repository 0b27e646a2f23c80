// X11 and Wayland (through xkb): key codes are evdev codes plus 8, and the Lock modifier is bit 1.
#include "NativeKeys.h"

#include <QKeyEvent>

namespace {
constexpr quint32 KeyCodeOfDigit1 = 10; // digits 1..9 are key codes 10..18
constexpr quint32 LockMask = 0x2;

class TX11KeyState final : public TKeyStateSource {
public:
    TModifiers Read(const QKeyEvent& Event) const override {
        const auto Mods = Event.modifiers();
        return {Mods.testFlag(Qt::ShiftModifier), (Event.nativeModifiers() & LockMask) != 0,
                Mods.testFlag(Qt::ControlModifier)};
    }
};
} // namespace

uint16_t PlayingKey(const QKeyEvent& Event) {
    const quint32 Code = Event.nativeScanCode();
    if (Code < KeyCodeOfDigit1 || Code > KeyCodeOfDigit1 + 8) return 0;
    return static_cast<uint16_t>(TKeyPlayer::FirstKey + (Code - KeyCodeOfDigit1));
}

const TKeyStateSource& PlatformKeyState() {
    static const TX11KeyState State;
    return State;
}
