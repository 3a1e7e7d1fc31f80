#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform_posix {

// Takes a Windows command line apart into the arguments that the child's C runtime would hand
// its main(), so that a program started here sees what it would see on Windows.
//
// Arguments are separated by runs of blanks (space and tab); blanks before the first argument
// are skipped. The first argument, the program's name, ends at the first blank outside double
// quotes, and its quotes are simply dropped. In every later argument:
//   - text between double quotes keeps its blanks; a quoted part may sit inside an argument;
//   - inside quotes, two double quotes in a row give one literal double quote;
//   - 2n backslashes before a double quote give n backslashes, and the quote opens or closes a
//     quoted part; 2n+1 backslashes before a double quote give n backslashes and a literal quote;
//   - backslashes anywhere else are taken literally;
//   - a quote left open runs to the end of the line.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace platform_posix
