#pragma once
// Readers for the exchange formats, written from the formats' own definitions and sharing no code
// with the writers: what tuning software would read from the files.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Scala scale (.scl): lines beginning with "!" are comments; the first other line is the
// description, the next the number of notes, then one pitch per line, leading blanks allowed. A
// value with a full stop is in cents, any other a ratio "n/d" or a whole number n; whatever
// follows the value on its line is ignored.
struct TSclPitch {
    bool IsCents = false;
    double Cents = 0;
    int64_t Num = 0, Den = 1;
    std::string Rest; // the text after the value
};
struct TScl {
    std::string Description;
    std::vector<TSclPitch> Pitches;
};
std::optional<TScl> ReadScl(std::string_view Text, std::string& Error);

// Scala keyboard mapping (.kbm): comments as in .scl; seven numbers (size of the map, first and
// last MIDI note, middle note, reference note, its frequency, the formal octave's degree), then
// one entry per key of the map: a degree or "x" for a key left unmapped.
struct TKbm {
    int64_t Size = 0, First = 0, Last = 0, Middle = 0, Reference = 0;
    double Frequency = 0;
    int64_t OctaveDegree = 0;
    std::vector<std::optional<int64_t>> Map;
};
std::optional<TKbm> ReadKbm(std::string_view Text, std::string& Error);

// AnaMark tuning (.tun): "[Section]" lines, "key = value" lines (keys in any case), comments
// beginning with ";". Collects the "note N" keys of each section by section name in lower case.
using TTunSections = std::map<std::string, std::map<int64_t, std::string>>;
std::optional<TTunSections> ReadTun(std::string_view Text, std::string& Error);

// RFC 4180: records end with CRLF, fields are separated by commas, a field in double quotes may
// hold commas, line breaks and doubled double quotes.
std::optional<std::vector<std::vector<std::string>>> ReadCsv(std::string_view Text,
                                                             std::string& Error);

// True when Text is well-formed UTF-8.
bool IsUtf8(std::string_view Text);
