// Reads the version information of a program file the way Windows Explorer does and checks it
// against the project version: VersionInfo PROGRAM.exe VERSION [DESCRIPTION]. Also checks that
// the file holds an application manifest.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
std::wstring Wide(const char* Text) {
    std::wstring W;
    for (; *Text; ++Text)
        W += static_cast<wchar_t>(static_cast<unsigned char>(*Text));
    return W;
}

int Failures = 0;

void Expect(const std::wstring& Name, const std::wstring& Got, const std::wstring& Wanted) {
    if (Got == Wanted) return;
    std::fwprintf(stderr, L"%ls is \"%ls\", expected \"%ls\"\n", Name.c_str(), Got.c_str(),
                  Wanted.c_str());
    ++Failures;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fputs("usage: VersionInfo PROGRAM.exe VERSION [DESCRIPTION]\n", stderr);
        return 2;
    }
    const std::wstring Program = Wide(argv[1]), Version = Wide(argv[2]);
    const std::wstring Description = argc == 4 ? Wide(argv[3]) : L"Kelvaro";
    DWORD Ignored = 0;
    const DWORD Size = GetFileVersionInfoSizeW(Program.c_str(), &Ignored);
    std::vector<char> Data(Size);
    if (Size == 0 || !GetFileVersionInfoW(Program.c_str(), 0, Size, Data.data())) {
        std::fputs("no version information\n", stderr);
        return 1;
    }
    VS_FIXEDFILEINFO* Fixed = nullptr;
    UINT Length = 0;
    if (!VerQueryValueW(Data.data(), L"\\", reinterpret_cast<void**>(&Fixed), &Length) || !Fixed) {
        std::fputs("no fixed version information\n", stderr);
        return 1;
    }
    const auto Dotted = [](DWORD High, DWORD Low) {
        return std::to_wstring(HIWORD(High)) + L"." + std::to_wstring(LOWORD(High)) + L"." +
               std::to_wstring(HIWORD(Low)) + L"." + std::to_wstring(LOWORD(Low));
    };
    Expect(L"the file version number", Dotted(Fixed->dwFileVersionMS, Fixed->dwFileVersionLS),
           Version);
    Expect(L"the product version number",
           Dotted(Fixed->dwProductVersionMS, Fixed->dwProductVersionLS), Version);

    struct {
        const wchar_t* Key;
        std::wstring Wanted;
    } const Strings[] = {{L"FileVersion", Version},
                         {L"ProductVersion", Version},
                         {L"ProductName", L"Kelvaro"},
                         {L"CompanyName", L"The Kelvaro developers"},
                         {L"FileDescription", Description}};
    for (const auto& S : Strings) {
        wchar_t* Value = nullptr;
        const std::wstring Path = std::wstring(L"\\StringFileInfo\\040904B0\\") + S.Key;
        if (!VerQueryValueW(Data.data(), Path.c_str(), reinterpret_cast<void**>(&Value), &Length))
            Value = nullptr;
        Expect(S.Key, Value ? std::wstring(Value) : std::wstring(L"(missing)"), S.Wanted);
    }

    HMODULE File = LoadLibraryExW(Program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC Manifest =
        File ? FindResourceW(File, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    HGLOBAL Loaded = Manifest ? LoadResource(File, Manifest) : nullptr;
    const char* Bytes = Loaded ? static_cast<const char*>(LockResource(Loaded)) : nullptr;
    if (!Bytes) {
        std::fputs("no application manifest\n", stderr);
        ++Failures;
    } else {
        const std::string Text(Bytes, SizeofResource(File, Manifest));
        for (const char* Wanted : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                                   "requestedExecutionLevel level=\"asInvoker\""})
            if (Text.find(Wanted) == std::string::npos) {
                std::fprintf(stderr, "the manifest lacks %s\n", Wanted);
                ++Failures;
            }
    }
    if (File) FreeLibrary(File);
    return Failures == 0 ? 0 : 1;
}
