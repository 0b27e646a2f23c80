#pragma once
// UTF-16 to UTF-8, code point by code point: no normalisation, a lone surrogate becomes U+FFFD.

#include <string>
#include <string_view>

inline void AppendUtf8(std::string& Out, std::u16string_view Text) {
    for (size_t i = 0; i < Text.size(); ++i) {
        char32_t C = Text[i];
        if (C >= 0xD800 && C <= 0xDBFF && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 &&
            Text[i + 1] <= 0xDFFF) {
            C = 0x10000 + ((C - 0xD800) << 10) + (Text[++i] - 0xDC00);
        } else if (C >= 0xD800 && C <= 0xDFFF) {
            C = 0xFFFD;
        }
        if (C < 0x80) {
            Out += static_cast<char>(C);
        } else if (C < 0x800) {
            Out += static_cast<char>(0xC0 | (C >> 6));
            Out += static_cast<char>(0x80 | (C & 0x3F));
        } else if (C < 0x10000) {
            Out += static_cast<char>(0xE0 | (C >> 12));
            Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
            Out += static_cast<char>(0x80 | (C & 0x3F));
        } else {
            Out += static_cast<char>(0xF0 | (C >> 18));
            Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
            Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
            Out += static_cast<char>(0x80 | (C & 0x3F));
        }
    }
}

inline std::string ToUtf8(std::u16string_view Text) {
    std::string Out;
    AppendUtf8(Out, Text);
    return Out;
}
