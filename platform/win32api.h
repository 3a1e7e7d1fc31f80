#pragma once

// The Windows API subset the launcher uses: profile strings, the current directory, process
// creation and wait. On Windows these are the real kernel32 functions; elsewhere the project
// supplies them with the same names, signatures and the behaviour the launcher relies on.
#if defined(_WIN32)
#include <windows.h>
// The separator between the directories of the paths GetCurrentDirectoryA reports.
inline constexpr char PlatformPathSeparator = '\\';
#else
#include "platform/posix/win32api_posix.h"
inline constexpr char PlatformPathSeparator = '/';
#endif
