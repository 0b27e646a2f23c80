#pragma once
// Every byte octave-table writes passes through here: standard output, messages and files.

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// False when not every byte reached the output.
bool WriteStdout(std::string_view Bytes);

// One line on standard error: "octave-table: " Message.
void ReportError(std::string_view Message);

using TOutputFiles = std::vector<std::pair<std::filesystem::path, std::string>>;

// Writes each file as a temporary file in its folder and renames them over their targets only
// when all are complete, so a failure leaves no partial file and no target changed. On failure
// Error holds one line for the user.
bool WriteFiles(const TOutputFiles& Files, std::string& Error);
