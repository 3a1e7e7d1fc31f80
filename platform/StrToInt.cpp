#include "platform/StrToInt.h"

#include <cstddef>
#include <optional>

namespace {

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const auto digit = HexDigit(c);
    if (!digit) return std::nullopt;
    // Leading zeros keep the value 0 and so never count toward the 32 bits.
    if (value > 0x0FFFFFFFu) return std::nullopt;
    value = value << 4 | *digit;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t Limit = 2147483647;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > Limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  text.remove_prefix(start);

  std::optional<std::int32_t> value;
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
    value = ParseHex(text.substr(1));
  else if (text.starts_with("0x") || text.starts_with("0X"))
    value = ParseHex(text.substr(2));
  else
    value = ParseDecimal(text);
  return value.value_or(fallback);
}

std::string IntToStr(std::int32_t value) {
  return std::to_string(value);
}
