#include "Escape.h"

#include "Utf8Decode.h"

#include <cstdint>

namespace {

void AppendHex(std::string& Out, uint32_t Value, int Digits) {
    constexpr char Hex[] = "0123456789ABCDEF";
    for (int d = Digits - 1; d >= 0; --d)
        Out += Hex[(Value >> (4 * d)) & 15];
}

bool Unsafe(char32_t C) {
    return C < 0x20 || (C >= 0x7F && C <= 0x9F) || C == 0x061C || C == 0x200E || C == 0x200F ||
           (C >= 0x2028 && C <= 0x202E) || (C >= 0x2066 && C <= 0x2069) || C == 0xFEFF;
}

} // namespace

std::string Escaped(std::string_view Text) {
    std::string Out;
    size_t At = 0;
    while (At < Text.size()) {
        const size_t Start = At;
        char32_t C = 0;
        if (!NextCodePoint(Text, At, C)) {
            Out += "\\x";
            AppendHex(Out, static_cast<unsigned char>(Text[Start]), 2);
        } else if (C == '\\' || C == '"') {
            Out += '\\';
            Out += static_cast<char>(C);
        } else if (Unsafe(C)) {
            Out += "\\u";
            AppendHex(Out, C, 4);
        } else {
            Out.append(Text.substr(Start, At - Start));
        }
    }
    return Out;
}
