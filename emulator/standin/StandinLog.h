#pragma once

#include <optional>
#include <string>
#include <vector>

#include "emulator/standin/StandinSettings.h"

namespace standin {

// What one run found at its start.
struct TStartRecord {
  std::vector<std::string> Arguments;  // argv[0] included
  std::optional<std::string> CommandLine;
  std::string WorkingDirectory;
  std::vector<TStoredOption> Settings;
  std::vector<int> Descriptors;
};

// Appends the line in one write, so that runs never interleave within a line.
bool AppendLogLine(const std::string& logPath, const TStartRecord& record);

}  // namespace standin
