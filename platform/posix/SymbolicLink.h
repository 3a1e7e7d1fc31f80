#pragma once

#include <string>

namespace platform_posix {

// The target a symbolic link holds, however long, as it is written in the link. Gives 0 or the
// errno value of the failure (not a link, missing, a target longer than PATH_MAX), when `target`
// is left as it was.
int ReadLink(const std::string& path, std::string& target);

}  // namespace platform_posix
