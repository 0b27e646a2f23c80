#include "JsonWriter.h"

#include "Numbers.h"
#include "Utf8.h"

#include <span>

namespace {

void AppendJsonString(std::string& Out, std::u16string_view Text) {
    std::string Utf8 = ToUtf8(Text);
    Out += '"';
    for (const char C : Utf8) {
        const auto U = static_cast<unsigned char>(C);
        if (C == '"' || C == '\\') {
            Out += '\\';
            Out += C;
        } else if (U < 0x20) {
            constexpr char Hex[] = "0123456789abcdef";
            Out += "\\u00";
            Out += Hex[U >> 4];
            Out += Hex[U & 15];
        } else {
            Out += C;
        }
    }
    Out += '"';
}

void AppendJsonStrings(std::string& Out, std::span<const std::u16string> Lines) {
    Out += '[';
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) Out += ',';
        AppendJsonString(Out, Lines[i]);
    }
    Out += ']';
}

} // namespace

void WriteJson(std::string& Out, const TChoices& Choices, const TOctave& Mhkh, const TReadings& R) {
    Out += "{\"tonos\":";
    AppendInt(Out, Choices.Tonos);
    Out += ",\"mixture\":";
    AppendInt(Out, Choices.Mixture);
    Out += ",\"start\":";
    AppendInt(Out, Choices.Start == 1 ? 1 : 0);
    Out += ",\"language\":";
    AppendInt(Out, Choices.Language == 1 ? 1 : 0);
    Out += ",\"kithara\":";
    AppendInt(Out, R.Kithara);
    Out += ",\"LTetra\":";
    AppendJsonString(Out, R.LTetra);
    const std::pair<const char*, std::span<const std::u16string>> Columns[] = {
        {"LBQesei", R.LBQesei}, {"LBFusei", R.LBFusei},     {"LBArab", R.LBArab},
        {"LBGreek", R.LBGreek}, {"LBCent", R.LBCent},       {"LBNotes", R.LBNotes},
        {"MFreq", R.MFreq},     {"MNotesAbs", R.MNotesAbs}, {"LBInt", R.LBInt}};
    for (const auto& [Key, Lines] : Columns) {
        Out += ",\"";
        Out += Key;
        Out += "\":";
        AppendJsonStrings(Out, Lines);
    }
    Out += ",\"Frequency\":[";
    for (int32_t L = 0; L < 9; ++L) {
        if (L > 0) Out += ',';
        // Shortest form that reads back to the same double; never locale-dependent.
        AppendShortest(Out, GetFrequency(Mhkh, L));
    }
    Out += "]}\n";
}
