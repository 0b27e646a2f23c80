#pragma once
// Reading UTF-8 as the user typed it: strict, so that overlong forms, surrogates and stray bytes
// are recognised as not being text.

#include <string_view>

// Decodes the code point at At into C and moves At past it. On a byte that does not start a valid
// sequence it returns false and moves At past that one byte.
inline bool NextCodePoint(std::string_view Text, size_t& At, char32_t& C) {
    const auto Byte = [&](size_t i) { return static_cast<unsigned char>(Text[i]); };
    const unsigned char B0 = Byte(At);
    size_t Length = 0;
    char32_t Min = 0;
    if (B0 < 0x80) {
        C = B0;
        ++At;
        return true;
    } else if (B0 >= 0xC2 && B0 <= 0xDF) {
        Length = 2;
        C = B0 & 0x1F;
        Min = 0x80;
    } else if (B0 >= 0xE0 && B0 <= 0xEF) {
        Length = 3;
        C = B0 & 0x0F;
        Min = 0x800;
    } else if (B0 >= 0xF0 && B0 <= 0xF4) {
        Length = 4;
        C = B0 & 0x07;
        Min = 0x10000;
    } else {
        ++At;
        return false;
    }
    if (At + Length > Text.size()) {
        ++At;
        return false;
    }
    for (size_t i = 1; i < Length; ++i) {
        if ((Byte(At + i) & 0xC0) != 0x80) {
            ++At;
            return false;
        }
        C = (C << 6) | (Byte(At + i) & 0x3F);
    }
    if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) {
        ++At;
        return false;
    }
    At += Length;
    return true;
}
