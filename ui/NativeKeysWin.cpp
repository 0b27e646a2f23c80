// Windows: the virtual-key codes of the main-row digits are 0x31..0x39 on every layout; the
// keypad digits have codes of their own.
#include "NativeKeys.h"

#include <QKeyEvent>
#include <windows.h>

namespace {
class TWinKeyState final : public TKeyStateSource {
public:
    TModifiers Read(const QKeyEvent&) const override {
        return {GetKeyState(VK_SHIFT) < 0, (GetKeyState(VK_CAPITAL) & 1) != 0,
                GetKeyState(VK_CONTROL) < 0};
    }
};
} // namespace

uint16_t PlayingKey(const QKeyEvent& Event) {
    const quint32 Vk = Event.nativeVirtualKey();
    if (Vk < TKeyPlayer::FirstKey || Vk > TKeyPlayer::LastKey) return 0;
    return static_cast<uint16_t>(Vk);
}

// Windows repeats a held key with presses alone.
bool IsAutoRepeatRelease(const QKeyEvent& Event) {
    return Event.isAutoRepeat();
}

const TKeyStateSource& PlatformKeyState() {
    static const TWinKeyState State;
    return State;
}
