#include "platform/posix/CurrentDirectory.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/Win32ApiPosix.h"

namespace platform_posix {

int CurrentDirectory(std::string& directory) {
  std::string path(256, '\0');
  while (::getcwd(path.data(), path.size()) == nullptr) {
    if (errno != ERANGE) return errno;
    path.resize(path.size() * 2);
  }
  path.resize(std::strlen(path.c_str()));
  directory = std::move(path);
  return 0;
}

}  // namespace platform_posix

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  std::string directory;
  if (const int error = platform_posix::CurrentDirectory(directory)) {
    SetLastError(static_cast<DWORD>(error));
    return 0;
  }
  // Too small a buffer is left alone; the answer is then the size needed, terminator included.
  if (lpBuffer == nullptr || directory.size() >= nBufferLength)
    return static_cast<DWORD>(directory.size() + 1);
  std::memcpy(lpBuffer, directory.c_str(), directory.size() + 1);
  return static_cast<DWORD>(directory.size());
}
