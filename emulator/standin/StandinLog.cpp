#include "emulator/standin/StandinLog.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace standin {

namespace {

// The record as one line of JSON.
std::string FormatLogLine(const TStartRecord& record) {
  nlohmann::ordered_json line;
  line["argv"] = record.Arguments;
  if (record.CommandLine) line["command_line"] = *record.CommandLine;
  line["cwd"] = record.WorkingDirectory;
  nlohmann::ordered_json settings = nlohmann::ordered_json::object();
  for (const auto& [name, value] : record.Settings)
    settings[name] = value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
  line["settings"] = settings;
  line["fds"] = record.Descriptors;
  // Arguments and file contents are bytes, not always UTF-8: replace what JSON cannot carry.
  return line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace

bool AppendLogLine(const std::string& logPath, const TStartRecord& record) {
  const std::string line = FormatLogLine(record);
  std::FILE* log = std::fopen(logPath.c_str(), "ab");
  if (log == nullptr) return false;
  const bool written = std::fwrite(line.data(), 1, line.size(), log) == line.size();
  return std::fclose(log) == 0 && written;
}

}  // namespace standin
