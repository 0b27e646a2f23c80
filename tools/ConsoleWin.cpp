// Windows: argv holds the command line in the ANSI code page, which cannot carry Greek names on
// most systems, so the arguments are read again as UTF-16. The C runtime's text mode would
// write every "\n" as "\r\n", and a console shows UTF-8 only in its UTF-8 code page. The C
// runtime knows no user locale; the separator comes from the regional settings.
#include "Console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <stdio.h>

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int Count = 0;
    LPWSTR* Wide = CommandLineToArgvW(GetCommandLineW(), &Count);
    if (!Wide) return {argv, argv + argc};
    std::vector<std::string> Args;
    for (int i = 0; i < Count; ++i) {
        const int Bytes =
            WideCharToMultiByte(CP_UTF8, 0, Wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string Arg(Bytes > 0 ? static_cast<size_t>(Bytes - 1) : 0, '\0');
        if (Bytes > 1)
            WideCharToMultiByte(CP_UTF8, 0, Wide[i], -1, Arg.data(), Bytes, nullptr, nullptr);
        Args.push_back(std::move(Arg));
    }
    LocalFree(Wide);
    return Args;
}

void PrepareStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

char16_t UserDecimalSeparator() {
    wchar_t Point[4] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, Point, 4) > 1 &&
        Point[0] < 0xD800)
        return static_cast<char16_t>(Point[0]);
    return u'.';
}
