#include "TableOptions.h"

#include "Escape.h"
#include "Kanon.h"
#include "NameMatch.h"
#include "Numbers.h"
#include "Tables.h"
#include "Utf8.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

struct TFormatName {
    std::string_view Name;
    TFormat Format;
    bool OneOctave; // the format holds one choice, so --all does not apply
};

constexpr TFormatName FormatNames[] = {
    {"table", TFormat::Table, false}, {"json", TFormat::Json, false}, {"scl", TFormat::Scl, true},
    {"kbm", TFormat::Kbm, true},      {"tun", TFormat::Tun, true},    {"csv", TFormat::Csv, true},
    {"kanon", TFormat::Kanon, true},
};

std::string_view NameOf(TFormat Format) {
    for (const auto& F : FormatNames)
        if (F.Format == Format) return F.Name;
    return {};
}

std::string Quoted(std::string_view Text) {
    return "\"" + Escaped(Text) + "\"";
}

std::u16string TonosName(int32_t Row, int32_t Language) {
    return std::u16string(Tonoi[Row].Names[Language]);
}

std::u16string KitharaName(int32_t Row, int32_t Language) {
    return std::u16string(KitharaTunings[Row].Names[Language]);
}

std::u16string StartName(int32_t Row, int32_t Language) {
    constexpr std::u16string_view Names[2][2] = {{u"νήτη", u"nḗtē"}, {u"μέση", u"mésē"}};
    return std::u16string(Names[Row][Language]);
}

bool ParseRow(std::string_view Text, int32_t Rows, int32_t& Row) {
    int32_t Value = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Error != std::errc{} || End != Text.data() + Text.size() || Text.empty()) return false;
    if (Value < 0 || Value >= Rows) return false;
    Row = Value;
    return true;
}

// A row number or a name of the table; What names the table's rows for the message.
bool ParseRowOrName(std::string_view Option, std::string_view Text, int32_t Rows,
                    std::u16string (*Name)(int32_t, int32_t), std::string_view What, int32_t& Row,
                    std::string& Error) {
    if (ParseRow(Text, Rows, Row)) return true;
    const TNameMatch Match = MatchName(Text, Rows, Name);
    if (Match.Row >= 0) {
        Row = Match.Row;
        return true;
    }
    Error = std::string(Option) + ": ";
    if (Match.Candidates.empty()) {
        Error += "no " + std::string(What) + " is called " + Quoted(Text) + "; give a row 0-" +
                 std::to_string(Rows - 1) + " or a name (see --help)";
        return false;
    }
    Error += Quoted(Text) + " could be ";
    for (size_t i = 0; i < Match.Candidates.size(); ++i) {
        if (i > 0) Error += i + 1 == Match.Candidates.size() ? " or " : ", ";
        const auto [CandidateRow, Language] = Match.Candidates[i];
        Error += ToUtf8(Name(CandidateRow, Language));
    }
    Error += "; type more of the name";
    return false;
}

bool ParseIntervals(std::string_view List, std::array<bool, IntervalCount>& Marked) {
    Marked.fill(false);
    if (List.empty()) return true;
    while (true) {
        const size_t Comma = List.find(',');
        int32_t Row = 0;
        if (!ParseRow(List.substr(0, Comma), IntervalCount, Row)) return false;
        Marked[Row] = true;
        if (Comma == std::string_view::npos) return true;
        List.remove_prefix(Comma + 1);
    }
}

// Millimetres with up to two decimals, as hundredths.
bool ParseMillimetres(std::string_view Text, int64_t& Hundredths) {
    const size_t Point = Text.find('.');
    const std::string_view Whole = Text.substr(0, Point);
    std::string_view Fraction =
        Point == std::string_view::npos ? std::string_view{} : Text.substr(Point + 1);
    if (Whole.empty() || Whole.size() > 6 || Fraction.size() > 2 ||
        (Point != std::string_view::npos && Fraction.empty()))
        return false;
    const auto Digits = [](std::string_view S) {
        return std::all_of(S.begin(), S.end(), [](char C) { return C >= '0' && C <= '9'; });
    };
    if (!Digits(Whole) || !Digits(Fraction)) return false;
    int64_t Value = 0;
    for (const char C : Whole)
        Value = Value * 10 + (C - '0');
    for (size_t i = 0; i < 2; ++i)
        Value = Value * 10 + (i < Fraction.size() ? Fraction[i] - '0' : 0);
    Hundredths = Value;
    return true;
}

constexpr std::string_view ValueOptions[] = {"--tonos",  "--mixture",  "--kithara",
                                             "--from",   "--language", "--intervals",
                                             "--format", "--output",   "--kanon-length"};

} // namespace

bool ParseTableOptions(int argc, const char* const* argv, TTableOptions& Options,
                       std::string& Error) {
    std::string_view ChoiceOption, TonosOrMixture, Kithara, FormatOption, KanonLength;
    bool Json = false;
    for (int a = 1; a < argc; ++a) {
        std::string_view Arg = argv[a];
        std::string_view Value;
        bool HasValue = false;
        if (const size_t Eq = Arg.find('=');
            Arg.starts_with("--") && Eq != std::string_view::npos) {
            Value = Arg.substr(Eq + 1);
            Arg = Arg.substr(0, Eq);
            HasValue = true;
        }
        const bool TakesValue = std::find(std::begin(ValueOptions), std::end(ValueOptions), Arg) !=
                                std::end(ValueOptions);
        if (TakesValue && !HasValue) {
            if (a + 1 >= argc) {
                Error = std::string(Arg) + " needs a value; see --help";
                return false;
            }
            Value = argv[++a];
        } else if (!TakesValue && HasValue) {
            Error = Escaped(Arg) + " takes no value";
            return false;
        }

        TChoices& C = Options.Choices;
        if (Arg == "--tonos") {
            if (!ParseRowOrName(Arg, Value, 7, TonosName, "tonos", C.Tonos, Error)) return false;
            ChoiceOption = TonosOrMixture = Arg;
        } else if (Arg == "--mixture") {
            if (!ParseRowOrName(Arg, Value, 19, MixtureName, "mixture", C.Mixture, Error))
                return false;
            ChoiceOption = TonosOrMixture = Arg;
        } else if (Arg == "--kithara") {
            int32_t Row = 0;
            if (!ParseRowOrName(Arg, Value, 8, KitharaName, "kithara tuning", Row, Error))
                return false;
            C.Tonos = KitharaTunings[Row].Tonos;
            C.Mixture = KitharaTunings[Row].Mixture;
            ChoiceOption = Kithara = Arg;
        } else if (Arg == "--from") {
            if (!ParseRowOrName(Arg, Value, 2, StartName, "start point", C.Start, Error))
                return false;
            ChoiceOption = Arg;
        } else if (Arg == "--language") {
            if (Value == "greek")
                C.Language = 0;
            else if (Value == "english")
                C.Language = 1;
            else {
                Error = "--language accepts greek or english, not " + Quoted(Value);
                return false;
            }
        } else if (Arg == "--intervals") {
            if (!ParseIntervals(Value, C.Marked)) {
                Error = "--intervals accepts comma-separated rows 0-13, not " + Quoted(Value);
                return false;
            }
        } else if (Arg == "--format") {
            const auto* Found = std::find_if(std::begin(FormatNames), std::end(FormatNames),
                                             [&](const TFormatName& F) { return F.Name == Value; });
            if (Found == std::end(FormatNames)) {
                Error = "--format accepts table, json, scl, kbm, tun, csv or kanon, not " +
                        Quoted(Value);
                return false;
            }
            Options.Format = Found->Format;
            FormatOption = Arg;
        } else if (Arg == "--output") {
            if (Value.empty()) {
                Error = "--output needs a file name";
                return false;
            }
            Options.Output = Value;
        } else if (Arg == "--kanon-length") {
            if (!ParseMillimetres(Value, Options.KanonHundredths) ||
                Options.KanonHundredths < KanonShortest || Options.KanonHundredths > KanonLongest) {
                Error = "--kanon-length accepts 100 to 5000 (millimetres, up to two decimals), "
                        "not " +
                        Quoted(Value);
                return false;
            }
            KanonLength = Arg;
        } else if (Arg == "--ratios") {
            C.AllRatios = true;
        } else if (Arg == "--all") {
            Options.All = true;
        } else if (Arg == "--json") {
            Json = true;
        } else if (Arg == "--help") {
            Options.Help = true;
        } else {
            Error = "unknown argument " + Quoted(Arg) +
                    "; the options are --tonos, --mixture, --kithara, --from, --language, "
                    "--intervals, --ratios, --all, --json, --format, --output, --kanon-length "
                    "and --help";
            return false;
        }
    }

    if (Json) {
        if (!FormatOption.empty() && Options.Format != TFormat::Json) {
            Error = "--json and --format " + std::string(NameOf(Options.Format)) +
                    " ask for two outputs; give one";
            return false;
        }
        Options.Format = TFormat::Json;
    }
    if (!Kithara.empty() && !TonosOrMixture.empty()) {
        Error =
            "--kithara sets the tonos and the mixture; leave out " + std::string(TonosOrMixture);
        return false;
    }
    if (Options.All && !ChoiceOption.empty()) {
        Error = "--all takes every tonos, mixture and start point; leave out " +
                std::string(ChoiceOption);
        return false;
    }
    const auto* Format =
        std::find_if(std::begin(FormatNames), std::end(FormatNames),
                     [&](const TFormatName& F) { return F.Format == Options.Format; });
    if (Options.All && Format->OneOctave) {
        Error = "--format " + std::string(Format->Name) + " holds one octave; leave out --all";
        return false;
    }
    if (!KanonLength.empty() && Options.Format != TFormat::Kanon) {
        Error = "--kanon-length applies to --format kanon only";
        return false;
    }
    if (Options.Format == TFormat::Kanon && Options.Output.empty() && !Options.Help) {
        Error = "--format kanon writes one SVG file per page; name them with --output, as in "
                "--output kanon.svg for kanon-1.svg, kanon-2.svg, ...";
        return false;
    }
    return true;
}

namespace {

// Every text here is precomposed and in the Basic Multilingual Plane: one unit is one column.
void AppendRow(std::string& Out, int32_t Row, std::u16string_view First, std::u16string_view Second,
               size_t FirstWidth, std::string_view After = {}) {
    // Row -1 continues the row above.
    std::u16string Line = u"  ";
    if (Row < 10) Line += u' ';
    if (Row < 0) {
        Line += u' ';
    } else {
        std::string Number;
        AppendInt(Number, Row);
        for (const char C : Number)
            Line += static_cast<char16_t>(C);
    }
    Line += u"  ";
    Line += First;
    Line.append(FirstWidth + 2 - std::min(FirstWidth, First.size()), u' ');
    Line += Second;
    std::string Text = ToUtf8(Line);
    if (!After.empty()) {
        Text.append(FirstWidth + 2 - std::min(FirstWidth, Second.size()), ' ');
        Text += After;
    }
    while (!Text.empty() && Text.back() == ' ')
        Text.pop_back();
    Out += Text;
    Out += '\n';
}

} // namespace

std::string TableUsage() {
    std::string Out =
        R"(Usage: octave-table [options]
Prints the eight strings of one octave as a table, with the interval list under it, or writes
the octave in one of the formats below.

The octave:
  --tonos T          row 0-6 or name of a tonos (default 3)
  --mixture M        row 0-18 or name of a mixture (default 3)
  --kithara K        row 0-7 or name of a kithara tuning: its tonos and mixture, from
                     nete unless --from says otherwise
  --from nete|mese   start point of the octave (default nete)
  --language greek|english
                     language of the names (default greek)
  --all              every tonos, mixture and start point, in this nesting order

The table and JSON:
  --intervals LIST   comma-separated rows 0-13 of the reference intervals to mark
                     (default all; an empty LIST marks none)
  --ratios           list the ratio of every pair of strings instead
  --json             one JSON object per line and choice instead of the table

Formats of one octave:
  --format FORMAT    table (the default), json (as --json), or
                       scl    Scala scale: string 8 is 1/1, then the exact ratios of its
                              length to the lengths of strings 7 to 1 (2/1)
                       kbm    Scala keyboard mapping for it: string 8 on MIDI note 60 at the
                              frequency shown, the octave repeated over the keyboard
                       tun    AnaMark tuning of all 128 MIDI notes, string 8 on note 60
                       csv    comma-separated values, one row per string
                       kanon  a kanon to print: the string at true size with a bridge mark
                              for every string and for the fixed string of length 135, in
                              SVG, one A4 portrait page per file; needs --output
  --kanon-length MM  distance of the bridge of length 135 from the fixed end, 100 to 5000 mm
                     (default 1000)
  --output FILE      write to FILE instead of standard output; an existing FILE is replaced
                     only once the whole output is written. For the kanon, FILE names the
                     pages: --output kanon.svg writes kanon-1.svg, kanon-2.svg, ... Print
                     each page at actual size and glue them end to end as the pages show.
  --help             print this text

Exit status: 0 done, 1 the output could not be written, 2 a wrong option.

Names may be typed with or without accents, in Greek or Latin letters, in any case; the
beginning of a name is enough when no other name begins the same way.
)";
    size_t Width = 0;
    for (const auto& T : Tonoi)
        Width = std::max(Width, T.Names[1].size());
    for (const auto& K : KitharaTunings)
        Width = std::max(Width, K.Names[1].size());
    Out += "Tonoi:\n";
    for (int32_t t = 0; t < 7; ++t)
        AppendRow(Out, t, Tonoi[t].Names[1], Tonoi[t].Names[0], Width);
    Out += "Mixtures:\n";
    for (int32_t m = 0; m < 19; ++m) {
        AppendRow(Out, m, MixtureName(m, 1), {}, 0);
        AppendRow(Out, -1, MixtureName(m, 0), {}, 0);
    }
    Out += "Kithara tunings (tonos, mixture):\n";
    for (int32_t k = 0; k < 8; ++k) {
        std::string Pair;
        AppendInt(Pair, KitharaTunings[k].Tonos);
        Pair += ", ";
        AppendInt(Pair, KitharaTunings[k].Mixture);
        AppendRow(Out, k, KitharaTunings[k].Names[1], KitharaTunings[k].Names[0], Width, Pair);
    }
    return Out;
}
