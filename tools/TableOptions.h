#pragma once
// Command line of octave-table.

#include "Readings.h"

#include <cstdint>
#include <string>

enum class TFormat { Table, Json, Scl, Kbm, Tun, Csv, Kanon };

struct TTableOptions {
    TChoices Choices;
    bool All = false;
    TFormat Format = TFormat::Table;
    bool Help = false;
    std::string Output;                // UTF-8 file name; empty for standard output
    int64_t KanonHundredths = 100'000; // hundredths of a millimetre
};

// Fills Options from argv (UTF-8); on bad input returns false with one line for the user in Error,
// the user's text in it escaped.
bool ParseTableOptions(int argc, const char* const* argv, TTableOptions& Options,
                       std::string& Error);

// The --help text, with the names the choice options accept.
std::string TableUsage();
