#include "platform/IniTextEncoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace {

using namespace std::string_literals;
using ini::Charset;
using ini::FileEncoding;

// UTF-16 bytes of the given code units, in either byte order.
std::string Units(std::initializer_list<std::uint16_t> units, bool bigEndian = false) {
  std::string bytes;
  for (std::uint16_t unit : units) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes.push_back(bigEndian ? high : low);
    bytes.push_back(bigEndian ? low : high);
  }
  return bytes;
}

std::string Units(std::string_view ascii, bool bigEndian = false) {
  std::string bytes;
  for (char c : ascii) bytes += Units({static_cast<std::uint16_t>(c)}, bigEndian);
  return bytes;
}

TEST(IniTextEncoding, TellsTheFilesEncodingAndCharacterSet) {
  struct Case {
    std::string bytes;
    FileEncoding encoding;
    Charset charset;
  };
  const Case cases[] = {
      {"", FileEncoding::Bytes, Charset::Utf8},
      {"[s]\nk=1\n", FileEncoding::Bytes, Charset::Utf8},
      {"\xEF\xBB\xBF[s]\n", FileEncoding::Bytes, Charset::Utf8},
      {"; \xE8\xA8\xAD\xE5\xAE\x9A\n[s]\n", FileEncoding::Bytes, Charset::Utf8},  // 設定
      {"; \x90\xDD\x92\xE8\n[s]\n", FileEncoding::Bytes, Charset::ShiftJis},      // 設定
      {"; \x83\x5D\n", FileEncoding::Bytes, Charset::ShiftJis},
      // Not UTF-8: an overlong form, an encoded surrogate, a cut sequence, a byte beyond.
      {"\xC0\xAF", FileEncoding::Bytes, Charset::ShiftJis},
      {"\xED\xA0\x80", FileEncoding::Bytes, Charset::ShiftJis},
      {"abc\xE8\xA8", FileEncoding::Bytes, Charset::ShiftJis},
      {"\xF5\x80\x80\x80", FileEncoding::Bytes, Charset::ShiftJis},
      {"\xFF\xFE" + Units("[s]"), FileEncoding::Utf16LittleEndian, Charset::Utf8},
      {"\xFE\xFF" + Units("[s]", true), FileEncoding::Utf16BigEndian, Charset::Utf8},
      {"\xFF\xFE", FileEncoding::Utf16LittleEndian, Charset::Utf8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    const ini::TFileText file = ini::DecodeFile(c.bytes);
    EXPECT_EQ(file.encoding, c.encoding);
    EXPECT_EQ(file.charset, c.charset);
  }
}

// Whatever code units a UTF-16 file holds (lone or reversed surrogates, NUL, U+FFFF, an odd
// last byte), the engine's text turns back into exactly the same bytes.
TEST(IniTextEncoding, Utf16TextTurnsBackIntoTheSameBytes) {
  for (const bool bigEndian : {false, true}) {
    const std::string mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const std::string files[] = {
        mark,
        mark + Units("[s]\r\nk=1\r\n", bigEndian),
        mark + Units({0x8A2D, 0x5B9A, 0x000D, 0x000A}, bigEndian),  // 設定
        mark + Units({0xD842, 0xDFB7}, bigEndian),                  // 𠮷
        mark + Units({0xD842, 0x0041, 0xDFB7, 0xDC00, 0xD800}, bigEndian),
        mark + Units({0x0000, 0xFFFF, 0xFEFF, 0x005D}, bigEndian),
        mark + Units("k=1", bigEndian) + "Z",
    };
    for (const std::string& bytes : files) {
      SCOPED_TRACE(testing::PrintToString(bytes));
      const ini::TFileText file = ini::DecodeFile(bytes);
      EXPECT_EQ(ini::EncodeFile(file, file.text), bytes);
      EXPECT_EQ(file.Bytes(), bytes);
    }
  }
}

TEST(IniTextEncoding, AnEditOfAUtf16FileKeepsEveryOtherCodeUnit) {
  const std::string before = "\xFF\xFE" + Units("; ") + Units({0xD800, 0x8A2D}) +
                             Units("\r\n[s]\r\nk=1\r\nz=") + Units({0xDC00}) + Units("\r\n") + "Z";
  ini::TFileText file = ini::DecodeFile(before);
  EXPECT_EQ(ini::FindValue(file.text, "s", "k", file.charset), "1");
  const auto edited = ini::SetValue(file.text, "s", "k", "22", file.charset);
  ASSERT_TRUE(edited.has_value());
  const auto added = ini::SetValue(*edited, "t", "\xE5\x90\x8D", "\xE5\x80\xA4", file.charset);
  ASSERT_TRUE(added.has_value());
  EXPECT_EQ(ini::EncodeFile(file, *added), "\xFF\xFE" + Units("; ") + Units({0xD800, 0x8A2D}) +
                                               Units("\r\n[s]\r\nk=22\r\nz=") + Units({0xDC00}) +
                                               Units("\r\n[t]\r\n") + Units({0x540D}) + Units("=") +
                                               Units({0x5024}) + Units("\r\n") + "Z");
}

TEST(IniTextEncoding, AUtf16FileTakesUtf8TextOnly) {
  const ini::TFileText utf16 = ini::DecodeFile("\xFF\xFE" + Units("[s]"));
  const ini::TFileText bytes = ini::DecodeFile("[s]");
  EXPECT_TRUE(ini::IsEncodable(utf16, "\xE5\x80\xA4"));
  EXPECT_FALSE(ini::IsEncodable(utf16, "\x83\x41"));
  EXPECT_TRUE(ini::IsEncodable(bytes, "\x83\x41"));
}

}  // namespace
