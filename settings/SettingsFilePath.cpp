#include <cstring>
#include <string>

#include "emulator/EmulatorContract.h"
#include "platform/SystemError.h"
#include "platform/sysutils.h"
#include "platform/win32api.h"
#include "settings/SettingsFile.h"

std::string SettingsFilePath() {
  // The platform's path limit, terminator included: a path that does not fit is refused rather
  // than cut, since a cut path would name some other file.
  constexpr DWORD PathBufferSize = PlatformPathLimit;
  std::string directory(PathBufferSize, '\0');
  DWORD length = GetCurrentDirectoryA(PathBufferSize, directory.data());
  // A buffer too small gives the size it would need, terminator included: the whole directory
  // is fetched all the same, so that the message names it.
  if (length >= PathBufferSize) {
    directory.assign(length, '\0');
    length = GetCurrentDirectoryA(length, directory.data());
  }
  // Worded like the launcher's other refusals: what failed, then the system's reason.
  if (length == 0)
    throw Exception("カレントディレクトリを取得できません: " + SystemErrorMessage(GetLastError()));
  directory.resize(std::strlen(directory.c_str()));

  // A directory that already ends in a separator still gets one more: the platform takes the
  // doubled separator as a single one.
  std::string path = directory;
  path += PlatformPathSeparator;
  path.append(emulator::SettingsFileBaseName).append(emulator::SettingsFileExtension);
  if (path.size() > PathBufferSize - 1)
    throw Exception(path + " を開けません: " + SystemErrorMessage(PlatformPathTooLong));
  return path;
}
