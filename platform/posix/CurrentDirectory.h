#pragma once

#include <string>

namespace platform_posix {

// The current directory's path, however long. Gives 0 or the errno value of the failure (the
// directory removed, a parent not readable), when `directory` is left as it was.
int CurrentDirectory(std::string& directory);

}  // namespace platform_posix
