#include "NameMatch.h"

#include "Utf8Decode.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr char32_t Drop = 0;   // a mark: accent, breathing, iota subscript
constexpr char32_t Blank = 32; // punctuation and spaces

struct TFold {
    char32_t First, Last, Base;
};

// Sorted ranges of code points and what they fold to. Letters outside the table stay as they are,
// after ASCII upper case is lowered.
constexpr TFold Folds[] = {
    {0x00, 0x2F, Blank},
    {0x3A, 0x40, Blank},
    {0x5B, 0x60, Blank},
    {0x7B, 0xBF, Blank},
    {0xC0, 0xC5, U'a'},
    {0xC7, 0xC7, U'c'},
    {0xC8, 0xCB, U'e'},
    {0xCC, 0xCF, U'i'},
    {0xD1, 0xD1, U'n'},
    {0xD2, 0xD6, U'o'},
    {0xD7, 0xD7, Blank},
    {0xD8, 0xD8, U'o'},
    {0xD9, 0xDC, U'u'},
    {0xDD, 0xDD, U'y'},
    {0xE0, 0xE5, U'a'},
    {0xE7, 0xE7, U'c'},
    {0xE8, 0xEB, U'e'},
    {0xEC, 0xEF, U'i'},
    {0xF1, 0xF1, U'n'},
    {0xF2, 0xF6, U'o'},
    {0xF7, 0xF7, Blank},
    {0xF8, 0xF8, U'o'},
    {0xF9, 0xFC, U'u'},
    {0xFD, 0xFD, U'y'},
    {0xFF, 0xFF, U'y'},
    {0x100, 0x105, U'a'},
    {0x106, 0x10D, U'c'},
    {0x10E, 0x111, U'd'},
    {0x112, 0x11B, U'e'},
    {0x11C, 0x123, U'g'},
    {0x124, 0x127, U'h'},
    {0x128, 0x131, U'i'},
    {0x134, 0x135, U'j'},
    {0x136, 0x137, U'k'},
    {0x139, 0x142, U'l'},
    {0x143, 0x148, U'n'},
    {0x14C, 0x151, U'o'},
    {0x154, 0x159, U'r'},
    {0x15A, 0x161, U's'},
    {0x162, 0x167, U't'},
    {0x168, 0x173, U'u'},
    {0x174, 0x175, U'w'},
    {0x176, 0x178, U'y'},
    {0x179, 0x17E, U'z'},
    {0x17F, 0x17F, U's'},
    {0x2B9, 0x2BC, Blank}, // primes and apostrophes
    {0x300, 0x36F, Drop},  // combining marks, for text typed decomposed
    {0x374, 0x375, Blank}, // numeral signs
    {0x37E, 0x37E, Blank},
    {0x384, 0x385, Drop},
    {0x386, 0x386, U'α'},
    {0x387, 0x387, Blank},
    {0x388, 0x388, U'ε'},
    {0x389, 0x389, U'η'},
    {0x38A, 0x38A, U'ι'},
    {0x38C, 0x38C, U'ο'},
    {0x38E, 0x38E, U'υ'},
    {0x38F, 0x38F, U'ω'},
    {0x390, 0x390, U'ι'},
    {0x391, 0x3A1, 0x3B1}, // capitals: offset below
    {0x3A3, 0x3A9, 0x3C3},
    {0x3AA, 0x3AA, U'ι'},
    {0x3AB, 0x3AB, U'υ'},
    {0x3AC, 0x3AC, U'α'},
    {0x3AD, 0x3AD, U'ε'},
    {0x3AE, 0x3AE, U'η'},
    {0x3AF, 0x3AF, U'ι'},
    {0x3B0, 0x3B0, U'υ'},
    {0x3C2, 0x3C2, U'σ'},
    {0x3CA, 0x3CA, U'ι'},
    {0x3CB, 0x3CB, U'υ'},
    {0x3CC, 0x3CC, U'ο'},
    {0x3CD, 0x3CD, U'υ'},
    {0x3CE, 0x3CE, U'ω'},
    {0x3F2, 0x3F2, U'σ'},
    {0x1E00, 0x1E01, U'a'},
    {0x1E02, 0x1E07, U'b'},
    {0x1E08, 0x1E09, U'c'},
    {0x1E0A, 0x1E13, U'd'},
    {0x1E14, 0x1E1D, U'e'},
    {0x1E1E, 0x1E1F, U'f'},
    {0x1E20, 0x1E21, U'g'},
    {0x1E22, 0x1E2B, U'h'},
    {0x1E2C, 0x1E2F, U'i'},
    {0x1E30, 0x1E35, U'k'},
    {0x1E36, 0x1E3D, U'l'},
    {0x1E3E, 0x1E43, U'm'},
    {0x1E44, 0x1E4B, U'n'},
    {0x1E4C, 0x1E53, U'o'},
    {0x1E54, 0x1E57, U'p'},
    {0x1E58, 0x1E5F, U'r'},
    {0x1E60, 0x1E69, U's'},
    {0x1E6A, 0x1E71, U't'},
    {0x1E72, 0x1E7B, U'u'},
    {0x1E7C, 0x1E7F, U'v'},
    {0x1E80, 0x1E89, U'w'},
    {0x1E8A, 0x1E8D, U'x'},
    {0x1E8E, 0x1E8F, U'y'},
    {0x1E90, 0x1E95, U'z'},
    {0x1EA0, 0x1EB7, U'a'},
    {0x1EB8, 0x1EC7, U'e'},
    {0x1EC8, 0x1ECB, U'i'},
    {0x1ECC, 0x1EE3, U'o'},
    {0x1EE4, 0x1EF1, U'u'},
    {0x1EF2, 0x1EF9, U'y'},
    {0x1F00, 0x1F0F, U'α'},
    {0x1F10, 0x1F1D, U'ε'},
    {0x1F20, 0x1F2F, U'η'},
    {0x1F30, 0x1F3F, U'ι'},
    {0x1F40, 0x1F4D, U'ο'},
    {0x1F50, 0x1F5F, U'υ'},
    {0x1F60, 0x1F6F, U'ω'},
    {0x1F70, 0x1F71, U'α'},
    {0x1F72, 0x1F73, U'ε'},
    {0x1F74, 0x1F75, U'η'},
    {0x1F76, 0x1F77, U'ι'},
    {0x1F78, 0x1F79, U'ο'},
    {0x1F7A, 0x1F7B, U'υ'},
    {0x1F7C, 0x1F7D, U'ω'},
    {0x1F80, 0x1F8F, U'α'},
    {0x1F90, 0x1F9F, U'η'},
    {0x1FA0, 0x1FAF, U'ω'},
    {0x1FB0, 0x1FBC, U'α'},
    {0x1FBD, 0x1FBD, Drop},
    {0x1FBE, 0x1FBE, U'ι'},
    {0x1FBF, 0x1FC1, Drop},
    {0x1FC2, 0x1FC7, U'η'},
    {0x1FC8, 0x1FC9, U'ε'},
    {0x1FCA, 0x1FCC, U'η'},
    {0x1FCD, 0x1FCF, Drop},
    {0x1FD0, 0x1FDB, U'ι'},
    {0x1FDD, 0x1FDF, Drop},
    {0x1FE0, 0x1FE3, U'υ'},
    {0x1FE4, 0x1FE5, U'ρ'},
    {0x1FE6, 0x1FEB, U'υ'},
    {0x1FEC, 0x1FEC, U'ρ'},
    {0x1FED, 0x1FEF, Drop},
    {0x1FF2, 0x1FF7, U'ω'},
    {0x1FF8, 0x1FF9, U'ο'},
    {0x1FFA, 0x1FFC, U'ω'},
    {0x1FFD, 0x1FFE, Drop},
    {0x2000, 0x206F, Blank}, // general punctuation: typographic apostrophes, dashes, spaces
};

char32_t Fold(char32_t C) {
    if (C >= U'A' && C <= U'Z') return C + 32;
    const auto* F = std::upper_bound(std::begin(Folds), std::end(Folds), C,
                                     [](char32_t V, const TFold& R) { return V < R.First; });
    if (F == std::begin(Folds)) return C;
    --F;
    if (C > F->Last) return C;
    // The two ranges of Greek capitals fold by their offset from the first capital.
    if (F->First == 0x391 || F->First == 0x3A3) return F->Base + (C - F->First);
    return F->Base;
}

void AppendFolded(std::u32string& Out, char32_t C) {
    const char32_t F = Fold(C);
    if (F == Drop) return;
    if (F == Blank) {
        if (!Out.empty() && Out.back() != Blank) Out += Blank;
        return;
    }
    Out += F;
}

void TrimBlank(std::u32string& Text) {
    if (!Text.empty() && Text.back() == Blank) Text.pop_back();
}

} // namespace

std::u32string FoldedName(std::string_view Utf8) {
    std::u32string Out;
    size_t At = 0;
    while (At < Utf8.size()) {
        char32_t C = 0;
        AppendFolded(Out, NextCodePoint(Utf8, At, C) ? C : 0xFFFD);
    }
    TrimBlank(Out);
    return Out;
}

std::u32string FoldedName(std::u16string_view Text) {
    std::u32string Out;
    // The tables hold Basic Multilingual Plane letters only.
    for (const char16_t C : Text)
        AppendFolded(Out, C);
    TrimBlank(Out);
    return Out;
}

TNameMatch MatchName(std::string_view Typed, int32_t Rows,
                     const std::function<std::u16string(int32_t, int32_t)>& Name) {
    TNameMatch Match;
    const std::u32string Text = FoldedName(Typed);
    if (Text.empty()) return Match;
    int32_t Exact = -1;
    for (int32_t Row = 0; Row < Rows; ++Row) {
        for (int32_t Language = 0; Language < 2; ++Language) {
            const std::u32string Folded = FoldedName(Name(Row, Language));
            if (Folded == Text) Exact = Row;
            if (Folded.starts_with(Text)) {
                Match.Candidates.emplace_back(Row, Language);
                break;
            }
        }
    }
    if (Exact >= 0)
        Match.Row = Exact;
    else if (Match.Candidates.size() == 1)
        Match.Row = Match.Candidates.front().first;
    if (Match.Row >= 0) Match.Candidates.clear();
    return Match;
}
