#include "Csv.h"

#include "Numbers.h"
#include "Utf8.h"

#include <string_view>

void AppendCsvField(std::string& Out, std::string_view Field) {
    if (Field.find_first_of(",\"\r\n") == std::string_view::npos) {
        Out += Field;
        return;
    }
    Out += '"';
    for (const char C : Field) {
        if (C == '"') Out += '"';
        Out += C;
    }
    Out += '"';
}

namespace {

void AppendField(std::string& Out, std::u16string_view Field) {
    // The pitch names are two characters wide, "a " among them: no blank at the end of a cell.
    while (!Field.empty() && Field.back() == u' ')
        Field.remove_suffix(1);
    AppendCsvField(Out, ToUtf8(Field));
}

void AppendFraction(std::string& Out, TFraction F) {
    AppendInt(Out, F.Num);
    if (F.Den != 1) {
        Out += '/';
        AppendInt(Out, F.Den);
    }
}

} // namespace

void WriteCsv(std::string& Out, const TOctave& Mhkh, const TReadings& R) {
    Out += "string,by position,by function,length,whole,remainder,Greek,minutes,cents to next,"
           "pitch,nearest pitch,Hz\r\n";
    for (size_t k = 0; k < 8; ++k) {
        const TStringLength& L = Mhkh[k];
        AppendInt(Out, static_cast<int64_t>(k + 1));
        Out += ',';
        AppendField(Out, R.LBQesei[k]);
        Out += ',';
        AppendField(Out, R.LBFusei[k]);
        Out += ',';
        AppendFraction(Out, L.Ratio);
        Out += ',';
        AppendInt(Out, L.Whole);
        Out += ',';
        AppendFraction(Out, L.Rest.Num == 0 ? TFraction{0, 1} : L.Rest);
        Out += ',';
        AppendField(Out, R.LBGreek[k]);
        Out += ',';
        AppendInt(Out, L.Minutes);
        Out += ',';
        if (k < 7) AppendField(Out, R.LBCent[k]);
        Out += ',';
        AppendField(Out, R.LBNotes[k]);
        Out += ',';
        AppendField(Out, R.MNotesAbs[k]);
        Out += ',';
        AppendField(Out, std::u16string_view(FrequencyText(L.Ratio, u'.')));
        Out += "\r\n";
    }
}
