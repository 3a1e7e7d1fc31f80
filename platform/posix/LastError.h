#pragma once

#include "platform/posix/Win32ApiPosix.h"

namespace platform_posix {

// Records `error`, an errno value, as the calling thread's last error and gives the failure
// result of a BOOL call, so that a service fails in one statement.
BOOL Fail(int error);

}  // namespace platform_posix
