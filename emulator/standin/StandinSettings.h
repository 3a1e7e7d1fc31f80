#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace standin {

// One stored option as the emulator found it: "section.key" and its raw text, if present.
using TStoredOption = std::pair<std::string, std::optional<std::string>>;

// The six options the launcher stores, read raw from the settings file, in its store order.
std::vector<TStoredOption> ReadStoredOptions(const std::string& settingsPath);

struct TSettingAssignment {
  std::string Section;
  std::string Key;
  std::string Value;
};

// "section.key=value;section.key=value" (an empty entry is skipped); nothing when malformed.
std::optional<std::vector<TSettingAssignment>> ParseAssignments(const std::string& text);

bool Store(const std::string& settingsPath, const TSettingAssignment& assignment);

}  // namespace standin
