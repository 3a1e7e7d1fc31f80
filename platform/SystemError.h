#pragma once

#include <string>

#include "platform/win32api.h"

// The platform's own words for an error code that GetLastError reported.
std::string SystemErrorMessage(DWORD code);
