#pragma once
// The native codes a real keyboard gives the program on this platform (one implementation file
// per platform), so that test key events take the path of a person's keys: to the top-level
// window, with the scan code and virtual key the platform layer reads.

#include <QtGlobal>

struct TNativeKey {
    quint32 ScanCode;
    quint32 VirtualKey;
};

enum class TKey {
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    KeypadOne,
    Shift,
    Control,
    F1,
    Down,
    C,
    Space
};

TNativeKey NativeKey(TKey Key);
// The main-row digit 1..9.
inline TNativeKey NativeDigit(int Digit) {
    return NativeKey(static_cast<TKey>(static_cast<int>(TKey::Digit1) + Digit - 1));
}
// The native modifier bit that says Caps Lock is on, where the key event carries it; 0 where the
// platform layer asks the system for the key state instead.
quint32 NativeCapsLockBit();
