#include "launch/PlayAction.h"

#include "platform/SystemError.h"
#include "platform/inifiles.h"
#include "platform/win32api.h"
#include "settings/SettingsFile.h"

std::optional<TStartFailure> RunEmulatorAndWait(TCommandLine commandLine) {
  STARTUPINFOA startupInfo{};
  startupInfo.cb = sizeof(STARTUPINFOA);
  PROCESS_INFORMATION processInfo{};

  if (CreateProcessA(nullptr, commandLine.Data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startupInfo, &processInfo) == 0)
    return TStartFailure{SystemErrorMessage(GetLastError())};

  // The emulator's exit code and the wait's result change nothing: only its end matters.
  WaitForSingleObject(processInfo.hProcess, INFINITE);
  CloseHandle(processInfo.hProcess);
  CloseHandle(processInfo.hThread);
  return std::nullopt;
}

std::optional<TPlayResult> PlayGame(const TLaunchOptions& options,
                                    const std::string& settingsPath) {
  const std::optional<TCommandLine> commandLine = BuildCommandLine(options);
  if (!commandLine) return std::nullopt;

  // One settings object serves the store and the reload; it holds only the path, so the reload
  // sees whatever the emulator stored meanwhile. A refused store leaves here with its Exception,
  // before anything is started.
  TIniFile settings(settingsPath);
  SaveSettings(settings, options);

  TPlayResult result;
  result.StartFailure = RunEmulatorAndWait(*commandLine);
  result.Settings = LoadSettings(settings);
  return result;
}
