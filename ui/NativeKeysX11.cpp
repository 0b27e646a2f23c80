// X11 and Wayland (through xkb): key codes are evdev codes plus 8, and the Lock modifier is bit 1.
#include "NativeKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <xcb/xcb.h>

#include <cstdlib>

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

bool IsAutoRepeatRelease(const QKeyEvent& Event) {
    if (Event.isAutoRepeat()) return true;
    // X repeats a held key as release and press pairs, and Qt flags the release only when the
    // press is already queued behind it. Otherwise the server knows whether the key is still
    // down. Not on X (Wayland, offscreen), repeats come flagged.
    const auto* X11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* Connection = X11 ? X11->connection() : nullptr;
    if (!Connection) return false; // the offscreen platform answers without a connection
    xcb_query_keymap_reply_t* Keymap =
        xcb_query_keymap_reply(Connection, xcb_query_keymap(Connection), nullptr);
    if (!Keymap) return false;
    const quint32 Code = Event.nativeScanCode();
    const bool Down = Code < 256 && (Keymap->keys[Code / 8] >> (Code % 8) & 1) != 0;
    std::free(Keymap);
    return Down;
}

const TKeyStateSource& PlatformKeyState() {
    static const TX11KeyState State;
    return State;
}
