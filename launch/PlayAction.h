#pragma once

#include <optional>
#include <string>

#include "options/CommandLine.h"
#include "options/LaunchOptions.h"
#include "settings/SettingsValues.h"

// Why the emulator did not run, in the platform's words.
struct TStartFailure {
  std::string Reason;
};

// What one Play gives back: the settings read after the emulator ended, and, where no emulator
// process could be started, why.
struct TPlayResult {
  TSettingsValues Settings;
  std::optional<TStartFailure> StartFailure;
};

// Starts the emulator with `commandLine` and returns when its process has ended, or at once
// with the reason when no process could be started.
std::optional<TStartFailure> RunEmulatorAndWait(TCommandLine commandLine);

// Stores the options, runs the emulator, waits for its end and reads the settings back.
// A refused store raises Exception before anything is started. Options without a command line
// (no game row) store nothing and start nothing: the result is nothing.
std::optional<TPlayResult> PlayGame(const TLaunchOptions& options, const std::string& settingsPath);
