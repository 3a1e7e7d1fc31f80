#pragma once

// The Windows API subset the launcher uses: profile strings, the current directory, process
// creation and wait. On Windows these are the real kernel32 functions; elsewhere the project
// supplies them with the same names, signatures and the behaviour the launcher relies on.
#if defined(_WIN32)
#include <windows.h>
// The separator between the directories of the paths GetCurrentDirectoryA reports.
inline constexpr char PlatformPathSeparator = '\\';
// The longest path the system's file services take, terminator included, and the error code
// of a longer one.
inline constexpr DWORD PlatformPathLimit = MAX_PATH;
inline constexpr DWORD PlatformPathTooLong = ERROR_FILENAME_EXCED_RANGE;
#else
#include "platform/posix/Win32ApiPosix.h"
inline constexpr char PlatformPathSeparator = '/';
inline constexpr DWORD PlatformPathLimit = PosixPathLimit;
inline constexpr DWORD PlatformPathTooLong = PosixPathTooLong;
#endif
