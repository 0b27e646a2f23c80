#pragma once
// Command line of octave-table.

#include "Readings.h"

#include <string>

struct TTableOptions {
    TChoices Choices;
    bool All = false;
    bool Json = false;
    bool Help = false;
};

// Fills Options from argv; on bad input returns false with one line for the user in Error.
bool ParseTableOptions(int argc, const char* const* argv, TTableOptions& Options,
                       std::string& Error);

extern const char* const TableUsage;
