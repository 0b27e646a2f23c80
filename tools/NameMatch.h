#pragma once
// Names of tonoi, mixtures and kithara tunings as people type them: with polytonic, monotonic or
// no accents, in any case, Greek or Latin, and abbreviated as long as only one name fits.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Lower case without accents, breathings or other marks; final sigma as sigma; every run of
// characters that are neither letters nor digits is one blank, none at either end. Bytes that are
// not UTF-8 fold to U+FFFD, which no name contains.
std::u32string FoldedName(std::string_view Utf8);
std::u32string FoldedName(std::u16string_view Text);

struct TNameMatch {
    int32_t Row = -1; // the row meant, or -1
    // When Row is -1: every (row, language) whose name begins with the text, for the message.
    std::vector<std::pair<int32_t, int32_t>> Candidates;
};

// A name that equals the text wins; otherwise the one row whose name begins with it.
TNameMatch MatchName(std::string_view Typed, int32_t Rows,
                     const std::function<std::u16string(int32_t Row, int32_t Language)>& Name);
