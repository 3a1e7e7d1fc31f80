#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// An INI file by its path. It keeps no copy of the file: every read and write goes straight to
// the file through the profile services, so a change another program made is seen at once.
class TIniFile {
 public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  // The value text as an integer (decimal, or hexadecimal after "$", "x" or "0x"); `fallback`
  // where the key is missing or its text is not such a number.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;

  // Stores the value as decimal text; raises Exception when the file cannot be written, with
  // the message "<path> に書き込めません: <the system's reason>".
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);

 private:
  std::string fileName_;
};
