#pragma once
// A key's physical identity and the modifier state at the moment of a key event, read from the
// platform's native event data. One implementation file per platform.

#include "sound/KeyPlayer.h"

#include <cstdint>

class QKeyEvent;

// 0x31..0x39 for the digits 1..9 of the main keyboard row, whatever the layout and the
// modifiers; 0 for every other key, the numeric keypad included.
uint16_t PlayingKey(const QKeyEvent& Event);

// True when a key release belongs to the keyboard's auto-repeat rather than to the user lifting
// the key: the key is still held.
bool IsAutoRepeatRelease(const QKeyEvent& Event);

class TKeyStateSource {
public:
    virtual ~TKeyStateSource() = default;
    virtual TModifiers Read(const QKeyEvent& Event) const = 0;
};

// The platform's key-state source.
const TKeyStateSource& PlatformKeyState();
