// A stand-in for the corvanta emulator, for the launcher's tests and the demo. It records what
// it was given, checks the command line against the contract, and behaves like an emulator that
// remembers its last run by writing the sample rate and width back to corvanta.ini.
//
// Environment:
//   CORVANTA_STANDIN_LOG=<file>        append one JSON line per run
//   CORVANTA_STANDIN_NO_WRITEBACK      do not store -r and -rx
//   CORVANTA_STANDIN_SET="s.k=v;..."   also store these values
//   CORVANTA_STANDIN_SLEEP_MS=<n>      delay the end
//   CORVANTA_STANDIN_EXIT=<n>          exit code
//   CORVANTA_STANDIN_CRASH=1           end by a signal

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "emulator/EmulatorContract.h"
#include "emulator/standin/ProcessFacts.h"
#include "emulator/standin/StandinCommandLine.h"
#include "emulator/standin/StandinLog.h"
#include "emulator/standin/StandinSettings.h"

namespace {

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

int Fail(const std::string& message, int code) {
  std::cerr << "corvanta (stand-in): " << message << '\n';
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  // Facts about the start come first, before this program opens anything of its own.
  standin::TStartRecord record;
  record.Descriptors = standin::OpenDescriptors();
  record.Arguments.assign(argv, argv + argc);
  record.CommandLine = standin::RawCommandLine();
  std::error_code cwdError;
  record.WorkingDirectory = std::filesystem::current_path(cwdError).string();
  const std::string settingsPath =
      (std::filesystem::path(record.WorkingDirectory) / emulator::SettingsFileName).string();
  record.Settings = standin::ReadStoredOptions(settingsPath);

  if (const char* logPath = Env("CORVANTA_STANDIN_LOG")) {
    if (!standin::AppendLogLine(logPath, record))
      return Fail(std::string("cannot append to the log ") + logPath, 1);
  }

  const auto parsed = standin::ParseArguments(
      std::vector<std::string>(record.Arguments.begin() + 1, record.Arguments.end()));
  if (const auto* breach = std::get_if<standin::TContractBreach>(&parsed))
    return Fail(breach->Message, 2);
  const auto& request = std::get<standin::TRunRequest>(parsed);

  std::vector<standin::TSettingAssignment> writes;
  if (!Env("CORVANTA_STANDIN_NO_WRITEBACK")) {
    writes.push_back({"sound", "samplerate", std::to_string(request.SampleRate)});
    writes.push_back({"screen", "xres", std::to_string(request.Width)});
  }
  if (const char* extra = Env("CORVANTA_STANDIN_SET")) {
    const auto assignments = standin::ParseAssignments(extra);
    if (!assignments) return Fail(std::string("malformed CORVANTA_STANDIN_SET: ") + extra, 2);
    writes.insert(writes.end(), assignments->begin(), assignments->end());
  }
  for (const auto& write : writes)
    if (!standin::Store(settingsPath, write))
      return Fail("cannot write " + write.Section + "." + write.Key + " to " + settingsPath, 1);

  if (const char* sleep = Env("CORVANTA_STANDIN_SLEEP_MS"))
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(sleep)));
  if (Env("CORVANTA_STANDIN_CRASH")) std::raise(SIGTERM);
  if (const char* code = Env("CORVANTA_STANDIN_EXIT")) return std::atoi(code);
  return 0;
}
