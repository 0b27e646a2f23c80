#include "FormatReaders.h"

#include <charconv>

namespace {

// Lines without their line ending; a final line break ends the last line.
std::vector<std::string_view> SplitLines(std::string_view Text) {
    std::vector<std::string_view> Lines;
    while (!Text.empty()) {
        size_t End = Text.find('\n');
        std::string_view Line = Text.substr(0, End);
        if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
        Lines.push_back(Line);
        if (End == std::string_view::npos) break;
        Text.remove_prefix(End + 1);
    }
    return Lines;
}

std::string_view TrimLeft(std::string_view S) {
    while (!S.empty() && (S.front() == ' ' || S.front() == '\t'))
        S.remove_prefix(1);
    return S;
}

std::string_view Trim(std::string_view S) {
    S = TrimLeft(S);
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t'))
        S.remove_suffix(1);
    return S;
}

bool WholeNumber(std::string_view S, int64_t& Value) {
    const auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), Value);
    return Ec == std::errc{} && End == S.data() + S.size() && !S.empty();
}

bool RealNumber(std::string_view S, double& Value) {
    const auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), Value);
    return Ec == std::errc{} && End == S.data() + S.size() && !S.empty();
}

std::string Lower(std::string_view S) {
    std::string Out(S);
    for (char& C : Out)
        if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
    return Out;
}

// The non-comment lines of a Scala file.
std::vector<std::string_view> ScalaLines(std::string_view Text) {
    std::vector<std::string_view> Out;
    for (const std::string_view Line : SplitLines(Text))
        if (!Line.starts_with('!')) Out.push_back(Line);
    return Out;
}

} // namespace

std::optional<TScl> ReadScl(std::string_view Text, std::string& Error) {
    const std::vector<std::string_view> Lines = ScalaLines(Text);
    if (Lines.size() < 2) {
        Error = "no description and count";
        return std::nullopt;
    }
    TScl Scl;
    Scl.Description = Lines[0];
    int64_t Count = 0;
    if (!WholeNumber(Trim(Lines[1]), Count) || Count < 0) {
        Error = "bad count: " + std::string(Lines[1]);
        return std::nullopt;
    }
    if (Lines.size() != static_cast<size_t>(Count) + 2) {
        Error = "count " + std::to_string(Count) + " but " + std::to_string(Lines.size() - 2) +
                " pitch lines";
        return std::nullopt;
    }
    for (size_t i = 2; i < Lines.size(); ++i) {
        const std::string_view Line = TrimLeft(Lines[i]);
        const size_t End = Line.find_first_of(" \t");
        const std::string_view Value = Line.substr(0, End);
        TSclPitch P;
        P.Rest = End == std::string_view::npos ? std::string() : std::string(Line.substr(End));
        if (Value.find('.') != std::string_view::npos) {
            P.IsCents = true;
            if (!RealNumber(Value, P.Cents)) {
                Error = "bad cents: " + std::string(Line);
                return std::nullopt;
            }
        } else {
            const size_t Slash = Value.find('/');
            if (!WholeNumber(Value.substr(0, Slash), P.Num) ||
                (Slash != std::string_view::npos && !WholeNumber(Value.substr(Slash + 1), P.Den)) ||
                P.Num <= 0 || P.Den <= 0) {
                Error = "bad ratio: " + std::string(Line);
                return std::nullopt;
            }
        }
        Scl.Pitches.push_back(std::move(P));
    }
    return Scl;
}

std::optional<TKbm> ReadKbm(std::string_view Text, std::string& Error) {
    std::vector<std::string_view> Lines = ScalaLines(Text);
    if (Lines.size() < 7) {
        Error = "fewer than seven header lines";
        return std::nullopt;
    }
    TKbm K;
    int64_t* Whole[] = {&K.Size, &K.First, &K.Last, &K.Middle, &K.Reference};
    for (size_t i = 0; i < 5; ++i)
        if (!WholeNumber(Trim(Lines[i]), *Whole[i])) {
            Error = "bad number: " + std::string(Lines[i]);
            return std::nullopt;
        }
    if (!RealNumber(Trim(Lines[5]), K.Frequency) || !WholeNumber(Trim(Lines[6]), K.OctaveDegree)) {
        Error = "bad frequency or octave degree";
        return std::nullopt;
    }
    if (Lines.size() != static_cast<size_t>(K.Size) + 7) {
        Error = "map size does not match its entries";
        return std::nullopt;
    }
    for (size_t i = 7; i < Lines.size(); ++i) {
        const std::string_view Entry = Trim(Lines[i]);
        int64_t Degree = 0;
        if (Entry == "x")
            K.Map.emplace_back();
        else if (WholeNumber(Entry, Degree))
            K.Map.emplace_back(Degree);
        else {
            Error = "bad map entry: " + std::string(Entry);
            return std::nullopt;
        }
    }
    return K;
}

std::optional<TTunSections> ReadTun(std::string_view Text, std::string& Error) {
    TTunSections Sections;
    std::string Section;
    for (std::string_view Line : SplitLines(Text)) {
        Line = Trim(Line);
        if (Line.empty() || Line.starts_with(';')) continue;
        if (Line.starts_with('[')) {
            if (!Line.ends_with(']')) {
                Error = "bad section: " + std::string(Line);
                return std::nullopt;
            }
            Section = Lower(Line.substr(1, Line.size() - 2));
            continue;
        }
        const size_t Eq = Line.find('=');
        if (Eq == std::string_view::npos || Section.empty()) {
            Error = "not a key: " + std::string(Line);
            return std::nullopt;
        }
        const std::string Key = Lower(Trim(Line.substr(0, Eq)));
        const std::string_view Value = Trim(Line.substr(Eq + 1));
        int64_t Note = 0;
        if (Key.starts_with("note ")) {
            if (!WholeNumber(Trim(std::string_view(Key).substr(5)), Note)) {
                Error = "bad note key: " + Key;
                return std::nullopt;
            }
            if (!Sections[Section].emplace(Note, std::string(Value)).second) {
                Error = "note given twice: " + Key;
                return std::nullopt;
            }
        }
    }
    return Sections;
}

std::optional<std::vector<std::vector<std::string>>> ReadCsv(std::string_view Text,
                                                             std::string& Error) {
    std::vector<std::vector<std::string>> Records(1, std::vector<std::string>(1));
    size_t i = 0;
    bool Quoted = false, FieldStart = true;
    while (i < Text.size()) {
        const char C = Text[i];
        std::string& Field = Records.back().back();
        if (Quoted) {
            if (C == '"' && i + 1 < Text.size() && Text[i + 1] == '"') {
                Field += '"';
                i += 2;
                continue;
            }
            if (C == '"') {
                Quoted = false;
                if (i + 1 < Text.size() && Text[i + 1] != ',' && Text[i + 1] != '\r') {
                    Error = "text after a closing quote";
                    return std::nullopt;
                }
            } else {
                Field += C;
            }
            ++i;
            continue;
        }
        if (C == '"' && FieldStart) {
            Quoted = true;
            FieldStart = false;
            ++i;
        } else if (C == '"') {
            Error = "quote inside an unquoted field";
            return std::nullopt;
        } else if (C == ',') {
            Records.back().emplace_back();
            FieldStart = true;
            ++i;
        } else if (C == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') {
            i += 2;
            if (i < Text.size()) Records.emplace_back(1);
            FieldStart = true;
        } else if (C == '\r' || C == '\n') {
            Error = "a line break that is not CRLF";
            return std::nullopt;
        } else {
            Field += C;
            FieldStart = false;
            ++i;
        }
    }
    if (Quoted) {
        Error = "unterminated quote";
        return std::nullopt;
    }
    return Records;
}

bool IsUtf8(std::string_view Text) {
    size_t i = 0;
    while (i < Text.size()) {
        const auto B = static_cast<unsigned char>(Text[i]);
        size_t Length = B < 0x80         ? 1
                        : (B >> 5) == 6  ? 2
                        : (B >> 4) == 14 ? 3
                        : (B >> 3) == 30 ? 4
                                         : 0;
        if (Length == 0 || i + Length > Text.size()) return false;
        uint32_t C = Length == 1 ? B : B & (0x7F >> Length);
        for (size_t k = 1; k < Length; ++k) {
            const auto Next = static_cast<unsigned char>(Text[i + k]);
            if ((Next & 0xC0) != 0x80) return false;
            C = (C << 6) | (Next & 0x3F);
        }
        constexpr uint32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (C < Least[Length] || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) return false;
        i += Length;
    }
    return true;
}
