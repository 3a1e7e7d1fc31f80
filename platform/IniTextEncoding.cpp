#include "platform/IniTextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ini {
namespace {

constexpr unsigned char LittleEndianMark[] = {0xFF, 0xFE};
constexpr unsigned char BigEndianMark[] = {0xFE, 0xFF};

bool StartsWith(std::string_view bytes, const unsigned char (&mark)[2]) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == mark[0] &&
         static_cast<unsigned char>(bytes[1]) == mark[1];
}

unsigned char Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0. With `surrogates`, the three-byte
// forms of U+D800 to U+DFFF count too (the engine's view of a UTF-16 file).
std::size_t SequenceLength(std::string_view bytes, std::size_t at, bool surrogates) {
  const unsigned char lead = Byte(bytes, at);
  if (lead < 0x80) return 1;
  const std::size_t left = bytes.size() - at;
  if (lead >= 0xC2 && lead <= 0xDF) return left >= 2 && IsContinuation(Byte(bytes, at + 1)) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (left < 3 || !IsContinuation(Byte(bytes, at + 1)) || !IsContinuation(Byte(bytes, at + 2)))
      return 0;
    const unsigned char second = Byte(bytes, at + 1);
    if (lead == 0xE0 && second < 0xA0) return 0;                  // overlong
    if (lead == 0xED && second >= 0xA0 && !surrogates) return 0;  // a surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (left < 4 || !IsContinuation(Byte(bytes, at + 1)) || !IsContinuation(Byte(bytes, at + 2)) ||
        !IsContinuation(Byte(bytes, at + 3)))
      return 0;
    const unsigned char second = Byte(bytes, at + 1);
    if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) return 0;
    return 4;
  }
  return 0;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

void AppendUnit(std::string& out, std::uint16_t unit, bool bigEndian) {
  const auto high = static_cast<char>(unit >> 8);
  const auto low = static_cast<char>(unit & 0xFF);
  out.push_back(bigEndian ? high : low);
  out.push_back(bigEndian ? low : high);
}

TFileText DecodeUtf16(std::string_view bytes, bool bigEndian) {
  TFileText file;
  file.encoding = bigEndian ? FileEncoding::Utf16BigEndian : FileEncoding::Utf16LittleEndian;
  const std::size_t units = bytes.size() / 2;
  file.text.reserve(bytes.size() + bytes.size() / 2);
  const auto unitAt = [&](std::size_t index) {
    const unsigned char first = Byte(bytes, 2 * index);
    const unsigned char second = Byte(bytes, 2 * index + 1);
    return static_cast<std::uint16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  for (std::size_t index = 0; index < units; ++index) {
    const std::uint16_t unit = unitAt(index);
    if (unit >= 0xD800 && unit <= 0xDBFF && index + 1 < units) {
      const std::uint16_t next = unitAt(index + 1);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendUtf8(file.text, 0x10000 + ((unit - 0xD800u) << 10) + (next - 0xDC00u));
        ++index;
        continue;
      }
    }
    AppendUtf8(file.text, unit);
  }
  file.tail.assign(bytes.substr(2 * units));
  return file;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    // Runs of ASCII, most of any settings file, 32 and then 8 bytes at a time: every read
    // looks at the whole file.
    constexpr std::uint64_t HighBits = 0x8080808080808080ull;
    while (at + 32 <= bytes.size()) {
      std::uint64_t words[4];
      std::memcpy(words, bytes.data() + at, sizeof words);
      if (((words[0] | words[1] | words[2] | words[3]) & HighBits) != 0) break;
      at += 32;
    }
    while (at + 8 <= bytes.size()) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + at, sizeof word);
      if ((word & HighBits) != 0) break;
      at += 8;
    }
    if (at == bytes.size()) break;
    const std::size_t length = SequenceLength(bytes, at, false);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace

TFileText DecodeFile(std::string bytes) {
  for (const bool bigEndian : {false, true}) {
    if (!StartsWith(bytes, bigEndian ? BigEndianMark : LittleEndianMark)) continue;
    TFileText file = DecodeUtf16(bytes, bigEndian);
    file.utf16 = std::move(bytes);
    return file;
  }
  TFileText file;
  file.charset = IsValidUtf8(bytes) ? Charset::Utf8 : Charset::ShiftJis;
  file.text = std::move(bytes);
  return file;
}

std::string EncodeFile(const TFileText& shape, std::string text) {
  if (shape.encoding == FileEncoding::Bytes) return text;
  const bool bigEndian = shape.encoding == FileEncoding::Utf16BigEndian;
  std::string bytes;
  bytes.reserve(2 * text.size() + shape.tail.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = SequenceLength(text, at, true);
    const unsigned char lead = Byte(text, at);
    std::uint32_t code = 0xFFFD;  // no caller passes such bytes (IsEncodable)
    if (length == 1) code = lead;
    if (length == 2) code = ((lead & 0x1Fu) << 6) | (Byte(text, at + 1) & 0x3Fu);
    if (length == 3)
      code = ((lead & 0x0Fu) << 12) | ((Byte(text, at + 1) & 0x3Fu) << 6) |
             (Byte(text, at + 2) & 0x3Fu);
    if (length == 4)
      code = ((lead & 0x07u) << 18) | ((Byte(text, at + 1) & 0x3Fu) << 12) |
             ((Byte(text, at + 2) & 0x3Fu) << 6) | (Byte(text, at + 3) & 0x3Fu);
    if (code >= 0x10000) {
      AppendUnit(bytes, static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)), bigEndian);
      AppendUnit(bytes, static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)), bigEndian);
    } else {
      AppendUnit(bytes, static_cast<std::uint16_t>(code), bigEndian);
    }
    at += length == 0 ? 1 : length;
  }
  bytes.append(shape.tail);
  return bytes;
}

bool IsEncodable(const TFileText& shape, std::string_view text) {
  return shape.encoding == FileEncoding::Bytes || IsValidUtf8(text);
}

}  // namespace ini
