#include <string>

#include "emulator/EmulatorContract.h"
#include "platform/SystemError.h"
#include "platform/sysutils.h"
#include "platform/win32api.h"
#include "settings/SettingsFile.h"

std::string SettingsFilePath() {
  // The platform's path limit, terminator included: a path that does not fit is refused rather
  // than cut, since a cut path would name some other file.
  constexpr DWORD PathBufferSize = MAX_PATH;
  char directory[PathBufferSize];
  const DWORD length = GetCurrentDirectoryA(PathBufferSize, directory);
  if (length == 0)
    throw Exception("The current directory cannot be determined (" +
                    SystemErrorMessage(GetLastError()) + ")");

  // A buffer too small gives the size it would need, terminator included.
  const std::size_t directoryLength = length < PathBufferSize ? length : length - 1;
  const std::size_t pathLength = directoryLength + 1 + emulator::SettingsFileName.size();
  if (pathLength > PathBufferSize - 1)
    throw Exception("The current directory is too long for the settings file path (" +
                    std::to_string(pathLength) + " characters, at most " +
                    std::to_string(PathBufferSize - 1) + ")");

  // A directory that already ends in a separator still gets one more: the platform takes the
  // doubled separator as a single one.
  std::string path(directory, length);
  path += PlatformPathSeparator;
  path.append(emulator::SettingsFileBaseName).append(emulator::SettingsFileExtension);
  return path;
}
