// Fuzzes the INI engine and the integer text with a file's bytes, a section and key name and a
// value, checking what must hold for any input:
// - nothing crashes, leaks or hangs;
// - a stored value reads back as a read of its line gives it, and storing it again changes
//   nothing;
// - a store changes no other key's value, and a removed section reads as missing;
// - the integer text follows its rules (checked against a second reading of them), and an
//   integer it accepts reads back from its decimal text;
// - a file's bytes, read in their encoding (UTF-16 with a mark, UTF-8, Shift_JIS), turn back
//   into the same bytes; the engine's rules hold in the file's character set too.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IniText.h"
#include "platform/IniTextEncoding.h"
#include "platform/StrToInt.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
  }
}

std::string_view TrimBlanks(std::string_view name) {
  const auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
  };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  return name;
}

// What a read of a stored value gives, written apart from the engine: blanks around it go, then
// one pair of matching quotes.
std::string_view AsRead(std::string_view value) {
  value = TrimBlanks(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return value;
}

// Names as the engine compares them: trimmed, without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

bool AllOf(std::string_view text, bool (*pred)(char)) {
  for (char c : text)
    if (!pred(c)) return false;
  return true;
}

// The integer text rules once more, by other means, to compare against.
std::optional<std::int32_t> ReferenceInteger(std::string_view text) {
  const auto hex = [](std::string_view digits) -> std::optional<std::int32_t> {
    if (digits.empty() || !AllOf(digits, [](char c) { return std::isxdigit(c & 0xFF) != 0; }))
      return std::nullopt;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return static_cast<std::int32_t>(value);
  };
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    return hex(text.substr(2));
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
    return hex(text.substr(1));
  if (text.starts_with("0x") || text.starts_with("0X")) return hex(text.substr(2));
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  if (text.empty() || !AllOf(text, [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  std::int64_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || value > 2147483647) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -value : value);
}

void CheckConversion(std::string_view text) {
  constexpr std::int32_t Fallback = 0x5A5A5A5A;
  const std::int32_t value = StrToIntDef(text, Fallback);
  Require(value == ReferenceInteger(text).value_or(Fallback), "conversion follows the rules");
  if (value == Fallback || value == INT32_MIN) return;
  Require(StrToIntDef(IntToStr(value), ~Fallback) == value, "integer text reads back");
}

// Every key readable before the store reads the same after it, unless it is the stored one.
// (The engine folds fewer bytes in Shift_JIS than SameName does, so this skips no key that
// the store may not change.)
void CheckOthersKept(std::string_view before, std::string_view after, std::string_view section,
                     std::string_view key, ini::Charset charset) {
  for (std::string_view otherSection : ini::SectionNames(before, charset)) {
    const auto keys = ini::KeyNames(before, otherSection, charset);
    if (!keys) continue;
    for (std::string_view otherKey : *keys) {
      if (SameName(otherSection, section) && SameName(otherKey, key)) continue;
      Require(ini::FindValue(before, otherSection, otherKey, charset) ==
                  ini::FindValue(after, otherSection, otherKey, charset),
              "a store leaves other keys alone");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(24);
  const std::string key = input.ConsumeRandomLengthString(24);
  const std::string value = input.ConsumeRandomLengthString(48);
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  const ini::TFileText file = ini::DecodeFile(bytes);
  Require(ini::EncodeFile(file, file.text) == bytes && file.Bytes() == bytes,
          "a file turns back into its bytes");
  const std::string& text = file.text;
  const ini::Charset charset = file.charset;

  CheckConversion(value);
  if (const auto found = ini::FindValue(text, section, key, charset)) {
    Require(found->find('\0') == std::string_view::npos, "a value read holds no NUL");
    CheckConversion(*found);
  }
  (void)ini::KeyNames(text, section, charset);

  if (!ini::IsStorableSectionName(section, charset) || !ini::IsStorableKeyName(key, charset) ||
      !ini::IsStorableValue(value) || !ini::IsEncodable(file, section) ||
      !ini::IsEncodable(file, key) || !ini::IsEncodable(file, value))
    return 0;

  const auto edited = ini::SetValue(text, section, key, value, charset);
  const std::string_view after = edited ? std::string_view(*edited) : std::string_view(text);
  Require(ini::FindValue(after, section, key, charset) == AsRead(value),
          "a stored value reads back");
  Require(!ini::SetValue(after, section, key, value, charset),
          "storing the same value changes nothing");
  if (text.size() <= 4096) CheckOthersKept(text, after, section, key, charset);
  if (file.encoding != ini::FileEncoding::Bytes) {
    const ini::TFileText again = ini::DecodeFile(ini::EncodeFile(file, std::string(after)));
    Require(again.text == after, "an edited UTF-16 file reads back as edited");
  }

  (void)ini::DeleteKey(after, section, key, charset);
  const auto removed = ini::DeleteSection(after, section, charset);
  Require(removed.has_value(), "the stored section exists");
  Require(!ini::FindValue(*removed, section, key, charset), "a removed section reads as missing");
  return 0;
}
