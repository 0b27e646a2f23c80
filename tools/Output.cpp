#include "Output.h"

#include "Escape.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

namespace {

std::string Shown(const std::filesystem::path& Path) {
    const std::u8string Utf8 = Path.u8string();
    return "\"" +
           Escaped(std::string_view(reinterpret_cast<const char*>(Utf8.data()), Utf8.size())) +
           "\"";
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& Target) {
    static std::mt19937_64 Random{std::random_device{}()};
    constexpr char Hex[] = "0123456789abcdef";
    std::string Suffix = ".part-";
    for (uint64_t Bits = Random(), i = 0; i < 12; ++i, Bits >>= 4)
        Suffix += Hex[Bits & 15];
    std::filesystem::path Temporary = Target;
    Temporary += Suffix;
    return Temporary;
}

bool WriteOne(const std::filesystem::path& Path, const std::string& Bytes, std::string& Error) {
    errno = 0;
    std::ofstream File(Path, std::ios::binary | std::ios::trunc);
    if (File) File.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (File) File.close();
    if (File) return true;
    const int Cause = errno;
    Error = Cause != 0 ? std::generic_category().message(Cause) : "the file cannot be written";
    return false;
}

} // namespace

bool WriteStdout(std::string_view Bytes) {
    return std::fwrite(Bytes.data(), 1, Bytes.size(), stdout) == Bytes.size() &&
           std::fflush(stdout) == 0;
}

void ReportError(std::string_view Message) {
    std::string Line = "octave-table: ";
    Line += Message;
    Line += '\n';
    std::fwrite(Line.data(), 1, Line.size(), stderr);
    std::fflush(stderr);
}

bool WriteFiles(const TOutputFiles& Files, std::string& Error) {
    std::vector<std::filesystem::path> Temporaries;
    const auto RemoveTemporaries = [&](size_t From) {
        for (size_t i = From; i < Temporaries.size(); ++i) {
            std::error_code Ignored;
            std::filesystem::remove(Temporaries[i], Ignored);
        }
    };
    // A folder where a file should go is the one failure a rename would meet late, after other
    // files were already replaced.
    for (const auto& File : Files) {
        std::error_code Code;
        if (std::filesystem::is_directory(File.first, Code)) {
            Error = "cannot write " + Shown(File.first) + ": it is a folder";
            return false;
        }
    }
    for (const auto& [Path, Bytes] : Files) {
        const std::filesystem::path Folder =
            Path.has_parent_path() ? Path.parent_path() : std::filesystem::path(".");
        std::error_code Code;
        if (!std::filesystem::is_directory(Folder, Code)) {
            Error = "cannot write " + Shown(Path) + ": there is no folder " + Shown(Folder);
            RemoveTemporaries(0);
            return false;
        }
        Temporaries.push_back(TemporaryBeside(Path));
        std::string Cause;
        if (!WriteOne(Temporaries.back(), Bytes, Cause)) {
            Error = "cannot write " + Shown(Path) + ": " + Cause;
            RemoveTemporaries(0);
            return false;
        }
    }
    for (size_t i = 0; i < Files.size(); ++i) {
        std::error_code Code;
        std::filesystem::rename(Temporaries[i], Files[i].first, Code);
        if (Code) {
            Error = "cannot write " + Shown(Files[i].first) + ": " + Code.message();
            RemoveTemporaries(i);
            return false;
        }
    }
    return true;
}
