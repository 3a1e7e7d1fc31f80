#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/posix/Win32ApiPosix.h"

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  std::string directory(256, '\0');
  while (::getcwd(directory.data(), directory.size()) == nullptr) {
    if (errno != ERANGE) {
      SetLastError(static_cast<DWORD>(errno));
      return 0;
    }
    directory.resize(directory.size() * 2);
  }
  directory.resize(std::strlen(directory.c_str()));

  // Too small a buffer is left alone; the answer is then the size needed, terminator included.
  if (lpBuffer == nullptr || directory.size() >= nBufferLength)
    return static_cast<DWORD>(directory.size() + 1);
  std::memcpy(lpBuffer, directory.c_str(), directory.size() + 1);
  return static_cast<DWORD>(directory.size());
}
