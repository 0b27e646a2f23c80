#pragma once
// The user's text, quoted back in a message, as one line that is safe on a terminal.

#include <string>
#include <string_view>

// Printable UTF-8 passes as it is; a backslash and a double quote get a backslash; control
// characters, line and paragraph separators and bidirectional controls become \uXXXX, and bytes
// that are not UTF-8 become \xXX.
std::string Escaped(std::string_view Text);
