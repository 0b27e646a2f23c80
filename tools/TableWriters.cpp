#include "TableWriters.h"

#include "Tables.h"
#include "Utf8.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <vector>

namespace {

// Every text here is precomposed and in the Basic Multilingual Plane: one unit is one column.
size_t Width(std::u16string_view Text) {
    return Text.size();
}

void AppendPadded(std::u16string& Line, std::u16string_view Text, size_t Column) {
    Line += Text;
    Line.append(Column - std::min(Column, Width(Text)), u' ');
}

void AppendLine(std::string& Out, std::u16string Line) {
    while (!Line.empty() && Line.back() == u' ')
        Line.pop_back();
    AppendUtf8(Out, Line);
    Out += '\n';
}

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

void AppendInt(std::string& Out, int64_t Value) {
    char Digits[24];
    Out.append(Digits, std::to_chars(Digits, Digits + sizeof Digits, Value).ptr);
}

} // namespace

void WriteTable(std::string& Out, const TChoices& Choices, const TReadings& R) {
    const int32_t Lang = Choices.Language == 1 ? 1 : 0;
    const bool English = Lang == 1;

    std::u16string Head(Tonoi[Choices.Tonos].Names[Lang]);
    Head += u", ";
    Head += MixtureName(Choices.Mixture, Lang);
    Head += u", ";
    Head += Choices.Start == 1 ? (English ? u"from mésē" : u"ἀπὸ μέσης")
                               : (English ? u"from nḗtē" : u"ἀπὸ νήτης");
    AppendLine(Out, Head);
    AppendLine(Out, u"Kithara: " + (R.Kithara < 0
                                        ? std::u16string(u"none")
                                        : std::u16string(KitharaTunings[R.Kithara].Names[Lang])));
    AppendLine(Out, u"Tetrachords: " + R.LTetra);
    Out += '\n';

    // Columns: string, by position, by function, length, Greek, cents to the next string, pitch
    // against length 90, hertz, nearest equal-tempered pitch.
    constexpr int Columns = 9;
    std::u16string Cells[9][Columns];
    Cells[0][0] = u"String";
    Cells[0][1] = English ? u"by position" : u"θέσει";
    Cells[0][2] = English ? u"by function" : u"δυνάμει";
    Cells[0][3] = u"Length";
    Cells[0][4] = u"Greek";
    Cells[0][5] = u"Cents";
    Cells[0][6] = u"Pitch";
    Cells[0][7] = u"Hz";
    Cells[0][8] = u"Nearest";
    for (int k = 0; k < 8; ++k) {
        std::u16string* Row = Cells[k + 1];
        Row[0] = static_cast<char16_t>(u'1' + k);
        Row[1] = R.LBQesei[k];
        Row[2] = R.LBFusei[k];
        Row[3] = R.LBArab[k];
        Row[4] = R.LBGreek[k];
        if (k < 7) Row[5] = R.LBCent[k];
        Row[6] = R.LBNotes[k];
        Row[7] = R.MFreq[k];
        Row[8] = R.MNotesAbs[k];
    }
    size_t Widths[Columns]{};
    for (const auto& Row : Cells)
        for (int c = 0; c < Columns; ++c)
            Widths[c] = std::max(Widths[c], Width(Row[c]));
    for (const auto& Row : Cells) {
        std::u16string Line;
        for (int c = 0; c < Columns; ++c)
            AppendPadded(Line, Row[c], Widths[c] + 2);
        AppendLine(Out, Line);
    }
    Out += "Cents: the step from each string to the next.\n";

    Out += '\n';
    AppendLine(Out, Choices.AllRatios ? u"All ratios:" : u"Intervals:");
    if (R.LBInt.empty()) AppendLine(Out, u"  (none)");
    size_t ColumnWidth = 0;
    for (const auto& Line : R.LBInt)
        ColumnWidth = std::max(ColumnWidth, Width(Line));
    constexpr size_t PerRow = 4;
    for (size_t i = 0; i < R.LBInt.size(); i += PerRow) {
        std::u16string Line = u"  ";
        for (size_t c = i; c < std::min(i + PerRow, R.LBInt.size()); ++c)
            AppendPadded(Line, R.LBInt[c], ColumnWidth + 3);
        AppendLine(Out, Line);
    }
}

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
        char Digits[32];
        // Shortest form that reads back to the same double; never locale-dependent.
        Out.append(Digits,
                   std::to_chars(Digits, Digits + sizeof Digits, GetFrequency(Mhkh, L)).ptr);
    }
    Out += "]}\n";
}
