// Windows: the keys are told apart by scan code, the key's place on the keyboard. The main-row
// digits are scan codes 0x02..0x0A on every layout and with any modifier, while their virtual-key
// codes follow the layout (several layouts move or remap the digit row) and the keypad digits
// have scan codes of their own.
#include "NativeKeys.h"

#include <QKeyEvent>
#include <windows.h>

namespace {
constexpr quint32 ScanCodeOfDigit1 = 0x02; // digits 1..9 are scan codes 0x02..0x0A
// Qt passes bit 8 for the extended keys, which share the low byte with other keys.
constexpr quint32 ScanCodeMask = 0x1FF;

class TWinKeyState final : public TKeyStateSource {
public:
    TModifiers Read(const QKeyEvent&) const override {
        return {GetKeyState(VK_SHIFT) < 0, (GetKeyState(VK_CAPITAL) & 1) != 0,
                GetKeyState(VK_CONTROL) < 0};
    }
};
} // namespace

uint16_t PlayingKey(const QKeyEvent& Event) {
    const quint32 Code = Event.nativeScanCode() & ScanCodeMask;
    if (Code < ScanCodeOfDigit1 || Code > ScanCodeOfDigit1 + 8) return 0;
    return static_cast<uint16_t>(TKeyPlayer::FirstKey + (Code - ScanCodeOfDigit1));
}

// Windows repeats a held key with presses alone.
bool IsAutoRepeatRelease(const QKeyEvent& Event) {
    return Event.isAutoRepeat();
}

const TKeyStateSource& PlatformKeyState() {
    static const TWinKeyState State;
    return State;
}
