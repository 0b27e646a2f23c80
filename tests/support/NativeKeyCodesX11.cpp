// X11: key codes are evdev codes plus 8; virtual keys are keysyms; Lock is modifier bit 1.
#include "NativeKeyCodes.h"

namespace {
// In the order of TKey.
constexpr TNativeKey Codes[] = {
    {10, 0x31},    // Digit1
    {11, 0x32},    // Digit2
    {12, 0x33},    // Digit3
    {13, 0x34},    // Digit4
    {14, 0x35},    // Digit5
    {15, 0x36},    // Digit6
    {16, 0x37},    // Digit7
    {17, 0x38},    // Digit8
    {18, 0x39},    // Digit9
    {87, 0xffb1},  // KeypadOne
    {50, 0xffe1},  // Shift
    {37, 0xffe3},  // Control
    {67, 0xffbe},  // F1
    {116, 0xff54}, // Down
    {54, 0x63},    // C
    {65, 0x20},    // Space
};
} // namespace

TNativeKey NativeKey(TKey Key) {
    return Codes[static_cast<int>(Key)];
}

quint32 NativeCapsLockBit() {
    return 0x2;
}
