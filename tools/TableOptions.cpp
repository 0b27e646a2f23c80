#include "TableOptions.h"

#include "Tables.h"
#include "Utf8.h"

#include <charconv>
#include <string_view>

const char* const TableUsage =
    R"(Usage: octave-table [options]
Prints the eight strings of one octave as a table, with the interval list under it.

  --tonos T          row 0-6 of the tonoi or a tonos name (default 3)
  --mixture M        row 0-18 of the mixtures or a mixture name (default 3)
  --from nete|mese   start point of the octave (default nete)
  --language greek|english
                     language of the names (default greek)
  --intervals LIST   comma-separated rows 0-13 of the reference intervals to mark
                     (default all; an empty LIST marks none)
  --ratios           list the ratio of every pair of strings instead
  --all              every tonos, mixture and start point, in this nesting order
  --json             one JSON object per line and choice instead of the table
  --help             print this text
)";

namespace {

bool EqualsIgnoringAsciiCase(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i) {
        auto Lower = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C + 32) : C; };
        if (Lower(A[i]) != Lower(B[i])) return false;
    }
    return true;
}

bool ParseRow(std::string_view Text, int32_t Rows, int32_t& Row) {
    int32_t Value = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Error != std::errc{} || End != Text.data() + Text.size() || Text.empty()) return false;
    if (Value < 0 || Value >= Rows) return false;
    Row = Value;
    return true;
}

template <typename NameOf>
bool ParseRowOrName(std::string_view Text, int32_t Rows, NameOf Name, int32_t& Row) {
    if (ParseRow(Text, Rows, Row)) return true;
    for (int32_t r = 0; r < Rows; ++r)
        for (int32_t Lang = 0; Lang < 2; ++Lang)
            if (EqualsIgnoringAsciiCase(Text, ToUtf8(Name(r, Lang)))) {
                Row = r;
                return true;
            }
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

} // namespace

bool ParseTableOptions(int argc, const char* const* argv, TTableOptions& Options,
                       std::string& Error) {
    bool ChoseOne = false;
    std::string_view ChoiceOption;
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
        const bool TakesValue = Arg == "--tonos" || Arg == "--mixture" || Arg == "--from" ||
                                Arg == "--language" || Arg == "--intervals";
        if (TakesValue && !HasValue) {
            if (a + 1 >= argc) {
                Error = std::string(Arg) + " needs a value; see --help";
                return false;
            }
            Value = argv[++a];
        } else if (!TakesValue && HasValue) {
            Error = std::string(Arg) + " takes no value";
            return false;
        }

        TChoices& C = Options.Choices;
        if (Arg == "--tonos") {
            if (!ParseRowOrName(
                    Value, 7, [](int32_t r, int32_t L) { return Tonoi[r].Names[L]; }, C.Tonos)) {
                Error = "--tonos accepts a row 0-6 or a tonos name as in the tables (Dṓrios, "
                        "Δωριστί), not \"" +
                        std::string(Value) + "\"";
                return false;
            }
            ChoseOne = true;
            ChoiceOption = "--tonos";
        } else if (Arg == "--mixture") {
            if (!ParseRowOrName(Value, 19, MixtureName, C.Mixture)) {
                Error = "--mixture accepts a row 0-18 or a mixture name, not \"" +
                        std::string(Value) + "\"";
                return false;
            }
            ChoseOne = true;
            ChoiceOption = "--mixture";
        } else if (Arg == "--from") {
            if (Value == "nete")
                C.Start = 0;
            else if (Value == "mese")
                C.Start = 1;
            else {
                Error = "--from accepts nete or mese, not \"" + std::string(Value) + "\"";
                return false;
            }
            ChoseOne = true;
            ChoiceOption = "--from";
        } else if (Arg == "--language") {
            if (Value == "greek")
                C.Language = 0;
            else if (Value == "english")
                C.Language = 1;
            else {
                Error = "--language accepts greek or english, not \"" + std::string(Value) + "\"";
                return false;
            }
        } else if (Arg == "--intervals") {
            if (!ParseIntervals(Value, C.Marked)) {
                Error = "--intervals accepts comma-separated rows 0-13, not \"" +
                        std::string(Value) + "\"";
                return false;
            }
        } else if (Arg == "--ratios") {
            C.AllRatios = true;
        } else if (Arg == "--all") {
            Options.All = true;
        } else if (Arg == "--json") {
            Options.Json = true;
        } else if (Arg == "--help") {
            Options.Help = true;
        } else {
            Error = "unknown argument \"" + std::string(Arg) +
                    "\"; the options are --tonos, --mixture, --from, --language, --intervals, "
                    "--ratios, --all, --json and --help";
            return false;
        }
    }
    if (Options.All && ChoseOne) {
        Error = "--all takes every tonos, mixture and start point; leave out " +
                std::string(ChoiceOption);
        return false;
    }
    return true;
}
