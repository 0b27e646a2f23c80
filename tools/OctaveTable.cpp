// octave-table: the readings of the tuning model as text, for papers and for checking.

#include "Readings.h"
#include "TableOptions.h"
#include "TableWriters.h"

#include <cstdio>
#include <locale>
#include <string>

namespace {

// The decimal separator of the user's locale, "." where the locale is unusable. The global
// locale stays "C": the model's texts never depend on it.
char16_t UserDecimalSeparator() {
    try {
        const wchar_t Point =
            std::use_facet<std::numpunct<wchar_t>>(std::locale("")).decimal_point();
        if (Point > 0 && Point < 0xD800) return static_cast<char16_t>(Point);
    } catch (const std::exception&) {
    }
    return u'.';
}

void AppendChoice(std::string& Out, const TChoices& Choices, bool Json, TOctave& Mhkh,
                  TReadings& Readings) {
    UpdateReadings(Choices, Mhkh, Readings);
    if (Json)
        WriteJson(Out, Choices, Mhkh, Readings);
    else
        WriteTable(Out, Choices, Readings);
}

bool WriteAll(const std::string& Text, std::FILE* To) {
    return std::fwrite(Text.data(), 1, Text.size(), To) == Text.size() && std::fflush(To) == 0;
}

} // namespace

int main(int argc, char** argv) {
    TTableOptions Options;
    std::string Error;
    if (!ParseTableOptions(argc, argv, Options, Error)) {
        std::fprintf(stderr, "octave-table: %s\n", Error.c_str());
        return 2;
    }
    if (Options.Help) return WriteAll(TableUsage, stdout) ? 0 : 1;

    TChoices Choices = Options.Choices;
    Choices.DecimalSeparator = Options.Json ? u'.' : UserDecimalSeparator();

    // The whole output is built first, so a failure never leaves a partial table behind.
    std::string Out;
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    if (Options.All) {
        for (int32_t t = 0; t < 7; ++t)
            for (int32_t m = 0; m < 19; ++m)
                for (int32_t s = 0; s < 2; ++s) {
                    Choices.Tonos = t;
                    Choices.Mixture = m;
                    Choices.Start = s;
                    if (!Options.Json && !Out.empty()) Out += '\n';
                    AppendChoice(Out, Choices, Options.Json, Mhkh, Readings);
                }
    } else {
        AppendChoice(Out, Choices, Options.Json, Mhkh, Readings);
    }
    if (!WriteAll(Out, stdout)) {
        std::fprintf(stderr, "octave-table: cannot write the output\n");
        return 1;
    }
    return 0;
}
