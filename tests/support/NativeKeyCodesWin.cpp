// Windows: set-1 scan codes, with bit 8 for the extended keys as Qt passes them, and virtual keys.
#include "NativeKeyCodes.h"

namespace {
// In the order of TKey.
constexpr TNativeKey Codes[] = {
    {0x02, 0x31},  // Digit1
    {0x03, 0x32},  // Digit2
    {0x04, 0x33},  // Digit3
    {0x05, 0x34},  // Digit4
    {0x06, 0x35},  // Digit5
    {0x07, 0x36},  // Digit6
    {0x08, 0x37},  // Digit7
    {0x09, 0x38},  // Digit8
    {0x0A, 0x39},  // Digit9
    {0x4F, 0x61},  // KeypadOne
    {0x2A, 0x10},  // Shift
    {0x1D, 0x11},  // Control
    {0x3B, 0x70},  // F1
    {0x150, 0x28}, // Down
    {0x2E, 0x43},  // C
    {0x39, 0x20},  // Space
};
} // namespace

TNativeKey NativeKey(TKey Key) {
    return Codes[static_cast<int>(Key)];
}

// The Windows layer reads Caps Lock with GetKeyState, from the real keyboard.
quint32 NativeCapsLockBit() {
    return 0;
}
