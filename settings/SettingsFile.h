#pragma once

#include <string>

#include "options/LaunchOptions.h"
#include "platform/inifiles.h"
#include "settings/SettingsValues.h"

// The full path of corvanta.ini in the current directory, computed afresh at every call.
// Raises Exception when the current directory cannot be obtained or the path would not fit.
std::string SettingsFilePath();

// Reads the eight keys; a missing file, section or key, or a text that is not a number, gives
// that key's default. Never fails and never creates the file.
TSettingsValues LoadSettings(const TIniFile& settings);

// Stores the six file-borne options in their fixed order. A refused write raises Exception and
// the later keys are not written.
void SaveSettings(TIniFile& settings, const TLaunchOptions& options);
