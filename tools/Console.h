#pragma once
// What octave-table needs of its platform, one implementation file per platform: the command
// line as UTF-8, standard streams that pass the bytes written unchanged, and the decimal
// separator of the user's regional settings.

#include <string>
#include <vector>

std::vector<std::string> Utf8Arguments(int argc, char** argv);
void PrepareStandardStreams();
char16_t UserDecimalSeparator();
