// POSIX systems: arguments arrive as the terminal's bytes (UTF-8 on every current system), the
// streams are binary already, and the locale variables name the user's regional settings.
#include "Console.h"

#include <locale>

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void PrepareStandardStreams() {}

// "." where the locale is unusable. The global locale stays "C": the model's texts never
// depend on it.
char16_t UserDecimalSeparator() {
    try {
        const wchar_t Point =
            std::use_facet<std::numpunct<wchar_t>>(std::locale("")).decimal_point();
        if (Point > 0 && Point < 0xD800) return static_cast<char16_t>(Point);
    } catch (const std::exception&) {
    }
    return u'.';
}
