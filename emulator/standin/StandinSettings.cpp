#include "emulator/standin/StandinSettings.h"

#include <array>

#include "emulator/EmulatorContract.h"
#include "platform/win32api.h"

namespace standin {

std::vector<TStoredOption> ReadStoredOptions(const std::string& settingsPath) {
  // A default no file can hold tells a missing key from an empty value.
  static constexpr char Missing[] = "\x01";
  std::vector<TStoredOption> options;
  for (const emulator::TSettingKey& key : emulator::StoredKeys) {
    const std::string section(key.Section), name(key.Key);
    std::array<char, 1024> value{};
    GetPrivateProfileStringA(section.c_str(), name.c_str(), Missing, value.data(),
                             static_cast<DWORD>(value.size()), settingsPath.c_str());
    std::optional<std::string> text;
    if (std::string(value.data()) != Missing) text = value.data();
    options.emplace_back(section + "." + name, std::move(text));
  }
  return options;
}

std::optional<std::vector<TSettingAssignment>> ParseAssignments(const std::string& text) {
  std::vector<TSettingAssignment> assignments;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string entry = text.substr(start, end - start);
    start = end + 1;
    if (entry.empty()) continue;
    const std::size_t dot = entry.find('.');
    const std::size_t equals = entry.find('=');
    if (dot == 0 || dot == std::string::npos || equals == std::string::npos || equals < dot + 2)
      return std::nullopt;
    assignments.push_back(
        {entry.substr(0, dot), entry.substr(dot + 1, equals - dot - 1), entry.substr(equals + 1)});
  }
  return assignments;
}

bool Store(const std::string& settingsPath, const TSettingAssignment& assignment) {
  return WritePrivateProfileStringA(assignment.Section.c_str(), assignment.Key.c_str(),
                                    assignment.Value.c_str(), settingsPath.c_str()) != 0;
}

}  // namespace standin
