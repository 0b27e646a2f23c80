// octave-table: the readings of the tuning model as text, for papers and for checking, and the
// octave in the exchange formats of tuning software and as a printable kanon.

#include "AnaMark.h"
#include "Console.h"
#include "Csv.h"
#include "JsonWriter.h"
#include "Kanon.h"
#include "Output.h"
#include "Readings.h"
#include "Scala.h"
#include "TableOptions.h"
#include "TextTable.h"

#include <string>
#include <vector>

namespace {

void AppendOctave(std::string& Out, const TTableOptions& Options, const TChoices& Choices,
                  TOctave& Mhkh, TReadings& Readings) {
    UpdateReadings(Choices, Mhkh, Readings);
    switch (Options.Format) {
    case TFormat::Table:
        WriteTable(Out, Choices, Readings);
        break;
    case TFormat::Json:
        WriteJson(Out, Choices, Mhkh, Readings);
        break;
    case TFormat::Scl:
        WriteScl(Out, Choices, Mhkh, Readings);
        break;
    case TFormat::Kbm:
        WriteKbm(Out, Choices, Mhkh, Readings);
        break;
    case TFormat::Tun:
        WriteTun(Out, Choices, Mhkh, Readings);
        break;
    case TFormat::Csv:
        WriteCsv(Out, Mhkh, Readings);
        break;
    case TFormat::Kanon:
        break;
    }
}

std::filesystem::path Utf8Path(std::string_view Name) {
    return std::filesystem::path(std::u8string(Name.begin(), Name.end()));
}

// "kanon.svg" and "kanon" both name the pages kanon-1.svg, kanon-2.svg, ...
TOutputFiles KanonFiles(const std::string& Output, std::vector<std::string> Pages) {
    std::string Stem = Output;
    if (Stem.size() > 4) {
        std::string Extension = Stem.substr(Stem.size() - 4);
        for (char& C : Extension)
            if (C >= 'A' && C <= 'Z') C = static_cast<char>(C + 32);
        if (Extension == ".svg") Stem.resize(Stem.size() - 4);
    }
    TOutputFiles Files;
    for (size_t p = 0; p < Pages.size(); ++p)
        Files.emplace_back(Utf8Path(Stem + "-" + std::to_string(p + 1) + ".svg"),
                           std::move(Pages[p]));
    return Files;
}

} // namespace

int main(int argc, char** argv) {
    PrepareStandardStreams();
    const std::vector<std::string> Arguments = Utf8Arguments(argc, argv);
    std::vector<const char*> Argv;
    for (const std::string& Argument : Arguments)
        Argv.push_back(Argument.c_str());
    TTableOptions Options;
    std::string Error;
    if (!ParseTableOptions(static_cast<int>(Argv.size()), Argv.data(), Options, Error)) {
        ReportError(Error);
        return 2;
    }
    if (Options.Help) {
        if (WriteStdout(TableUsage())) return 0;
        ReportError("cannot write the output");
        return 1;
    }

    TChoices Choices = Options.Choices;
    // Only the text table follows the user's locale; every file format reads the same everywhere.
    Choices.DecimalSeparator = Options.Format == TFormat::Table ? UserDecimalSeparator() : u'.';

    // The whole output is built first, so a failure never leaves a partial table behind.
    std::string Out;
    TOctave Mhkh = MakeOctave();
    TReadings Readings;
    TOutputFiles Files;
    if (Options.All) {
        for (int32_t t = 0; t < 7; ++t)
            for (int32_t m = 0; m < 19; ++m)
                for (int32_t s = 0; s < 2; ++s) {
                    Choices.Tonos = t;
                    Choices.Mixture = m;
                    Choices.Start = s;
                    if (Options.Format == TFormat::Table && !Out.empty()) Out += '\n';
                    AppendOctave(Out, Options, Choices, Mhkh, Readings);
                }
    } else if (Options.Format == TFormat::Kanon) {
        UpdateReadings(Choices, Mhkh, Readings);
        Files = KanonFiles(Options.Output,
                           KanonPages(Choices, Mhkh, Readings, Options.KanonHundredths));
    } else {
        AppendOctave(Out, Options, Choices, Mhkh, Readings);
    }

    if (Options.Output.empty()) {
        if (WriteStdout(Out)) return 0;
        ReportError("cannot write the output");
        return 1;
    }
    if (Files.empty()) Files.emplace_back(Utf8Path(Options.Output), std::move(Out));
    if (WriteFiles(Files, Error)) return 0;
    ReportError(Error);
    return 1;
}
