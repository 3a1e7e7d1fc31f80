#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform_posix {

// Where process creation looks for a program named without a directory, in the order Windows
// looks as far as POSIX has the places: the directory of the running program's own executable,
// then the current directory, then the directories of PATH in their order. Windows' system
// directories have no counterpart here. Empty PATH entries are left out (the current directory
// is in the list already); an unset PATH adds nothing. A place that cannot be determined
// (no /proc, a removed current directory) is left out.
std::vector<std::string> ExecutableSearchDirectories();

// The file that a program name stands for. A name holding '/' is a path and is taken as it
// stands, found or not. Any other name is looked up in `directories` in order, and the first
// entry of that name that is not a directory is the one, executable or not: like Windows, the
// search does not pass over a file it cannot run to try the next place, so starting it fails
// with the reason instead. The name is used as it is; no extension is added.
std::optional<std::string> FindExecutable(std::string_view name,
                                          const std::vector<std::string>& directories);

}  // namespace platform_posix
