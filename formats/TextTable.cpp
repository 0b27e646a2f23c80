#include "TextTable.h"

#include "ChoiceText.h"
#include "Tables.h"
#include "Utf8.h"

#include <algorithm>

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

} // namespace

void WriteTable(std::string& Out, const TChoices& Choices, const TReadings& R) {
    const int32_t Lang = LanguageIndex(Choices);
    const bool English = Lang == 1;

    AppendLine(Out, ChoiceTitle(Choices));
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
