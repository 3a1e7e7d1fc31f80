// Fuzzes the INI engine and the integer text with a file's bytes, a section and key name and a
// value, checking what must hold for any input:
// - nothing crashes, leaks or hangs;
// - a stored value reads back as a read of its line gives it, and storing it again changes
//   nothing;
// - a store rewrites at most the one line of its key and adds at most two, so no other key
//   changes;
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
#include <vector>

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

// The text cut into its lines, each with its line end (CR LF, LF or a lone CR).
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos)
      end = text.size();
    else
      end += text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back(text.substr(begin, end - begin));
    begin = end;
  }
  return lines;
}

// A store rewrites at most one line of the old text (the key's, or the last line before its
// new lines when that one had no line end) and adds at most a header and a key line; every
// other line stays byte for byte, so no other key can change.
void CheckOthersKept(std::string_view before, std::string_view after) {
  const std::vector<std::string_view> old = Lines(before);
  const std::vector<std::string_view> now = Lines(after);
  std::size_t same = 0;
  while (same < old.size() && same < now.size() && old[same] == now[same]) ++same;
  std::size_t sameAtEnd = 0;
  while (sameAtEnd < old.size() - same && sameAtEnd < now.size() - same &&
         old[old.size() - 1 - sameAtEnd] == now[now.size() - 1 - sameAtEnd])
    ++sameAtEnd;
  Require(old.size() - same - sameAtEnd <= 1 && now.size() - same - sameAtEnd <= 3,
          "a store leaves other lines alone");
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
  CheckOthersKept(text, after);
  if (file.encoding != ini::FileEncoding::Bytes) {
    const ini::TFileText again = ini::DecodeFile(ini::EncodeFile(file, std::string(after)));
    Require(again.text == after, "an edited UTF-16 file reads back as edited");
  }
  return 0;
}
