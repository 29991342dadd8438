// Command lines split the way the original platform's runtime splits them into argv: blanks
// separate outside quotes; 2n backslashes before a quote give n backslashes and the quote opens or
// closes quoting, 2n+1 give n backslashes and a literal quote; other backslashes stay as written;
// inside quotes "" is one literal quote. The second byte of a GBK character is never taken for a
// backslash, quote or blank.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The program name is split by the simpler rule of the loader: quoted up to the next quote, or
// up to the first blank, with no backslash escapes. The rest follows SplitCommandLine. The first
// element is the program; the result is empty when the line holds only blanks.
std::vector<std::string> SplitProgramCommandLine(std::string_view commandLine);

}  // namespace platform
