// One table of settings files as users' emulator folders hold them, run through the profile
// services of the platform the test is built for: ours on Linux, the system's own on Windows.
// The same cases, the same expectations: what Windows does with such a file is what the
// launcher does with it everywhere.
//
// Shift_JIS files are read in the system's ANSI code page on Windows: that suite runs with code
// page 932, as on the emulator's users' machines.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32api.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace std::string_literals;
using testing_support::ReadFile;
using testing_support::WriteFile;

enum class Encoding { Bytes, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

struct Read {
  std::string section;
  std::string key;
  std::optional<std::string> value;  // nothing: the key is missing and the default comes back
};

struct Write {
  std::string section;
  std::string key;
  std::string value;
};

struct Case {
  const char* name;
  Encoding encoding;               // of the file, before the writes and after them
  std::vector<std::string> lines;  // UTF-8 for a UTF-16 file; its own bytes otherwise
  std::string end;                 // after the last line
  std::vector<Read> reads;
  std::vector<Write> writes;
  std::vector<Read> readsAfter;
  // The file's lines after the writes, blank lines left out. A header line is compared up to
  // its closing bracket: what follows it on its line is a comment, which the system may drop.
  std::vector<std::string> linesAfter;
};

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

// Shift_JIS bytes of the Japanese texts below.
const std::string GamenSetteiZo = "\x89\xE6\x96\xCA\x90\xDD\x92\xE8\x83\x5D";  // 画面設定ゾ
const std::string KatakanaA = "\x83\x41";                                      // ア
const std::string KatakanaDi = "\x83\x61";                                     // ヂ

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases{
      {"Utf16LittleEndianWithItsMark",
       Encoding::Utf16LittleEndian,
       {"; 設定ファイル", "[sound]", "soundcard=3", "[screen]", "xres=640", "名前=値"},
       "\r\n",
       {{"sound", "soundcard", "3"}, {"screen", "xres", "640"}, {"screen", "vsync", {}}},
       {{"sound", "soundcard", "5"}, {"screen", "vsync", "1"}, {"general", "rdtsc", "0"}},
       {{"sound", "soundcard", "5"}, {"screen", "vsync", "1"}, {"general", "rdtsc", "0"}},
       {"; 設定ファイル", "[sound]", "soundcard=5", "[screen]", "xres=640", "名前=値", "vsync=1",
        "[general]", "rdtsc=0"}},
      {"Utf16BigEndianWithItsMark",
       Encoding::Utf16BigEndian,
       {"[sound]", "soundcard=2", "; ﾒﾓ 𠮷", "[screen]", "eagle=1"},
       "\r\n",
       {{"sound", "soundcard", "2"}, {"screen", "eagle", "1"}},
       {{"screen", "eagle", "0"}, {"screen", "scanlines", "1"}},
       {{"screen", "eagle", "0"}, {"screen", "scanlines", "1"}, {"sound", "soundcard", "2"}},
       {"[sound]", "soundcard=2", "; ﾒﾓ 𠮷", "[screen]", "eagle=0", "scanlines=1"}},
      {"Utf8WithItsMark",
       Encoding::Utf8WithMark,
       {"[sound]", "soundcard=2", "; サウンド", "[screen]", "xres=400"},
       "\r\n",
       {{"sound", "soundcard", "2"}, {"screen", "xres", "400"}},
       {{"screen", "eagle", "1"}},
       {{"screen", "eagle", "1"}, {"sound", "soundcard", "2"}},
       {"[sound]", "soundcard=2", "; サウンド", "[screen]", "xres=400", "eagle=1"}},
      // The last byte of ゾ is ']': the section is still called screen.
      {"ShiftJisCommentAfterAHeader",
       Encoding::Bytes,
       {"[screen] ;" + GamenSetteiZo, "scanlines=1", "eagle=1"},
       "\r\n",
       {{"screen", "scanlines", "1"}, {"screen", "eagle", "1"}},
       {{"screen", "vsync", "1"}, {"screen", "eagle", "0"}},
       {{"screen", "scanlines", "1"}, {"screen", "eagle", "0"}, {"screen", "vsync", "1"}},
       {"[screen]", "scanlines=1", "eagle=0", "vsync=1"}},
      // ア and ヂ differ only in a second byte that is 'A' or 'a': two names, not one.
      {"ShiftJisNamesDifferingInASecondByte",
       Encoding::Bytes,
       {"[" + KatakanaA + "]", "k=1", "[" + KatakanaDi + "]", "k=2", "[s]", KatakanaA + "=3",
        KatakanaDi + "=4"},
       "\r\n",
       {{KatakanaDi, "k", "2"}, {KatakanaA, "k", "1"}, {"s", KatakanaDi, "4"}},
       {{KatakanaDi, "k", "5"}, {"s", KatakanaA, "6"}},
       {{KatakanaA, "k", "1"},
        {KatakanaDi, "k", "5"},
        {"s", KatakanaA, "6"},
        {"s", KatakanaDi, "4"}},
       {"[" + KatakanaA + "]", "k=1", "[" + KatakanaDi + "]", "k=5", "[s]", KatakanaA + "=6",
        KatakanaDi + "=4"}},
      // DOS editors ended a file with 0x1A, which reads as a blank.
      {"DosEndOfFileByte",
       Encoding::Bytes,
       {"[sound]", "soundcard=4\x1A", "[general]", "rdtsc=0\x1A"},
       "",
       {{"sound", "soundcard", "4"}, {"general", "rdtsc", "0"}},
       {{"general", "rdtsc", "1"}},
       {{"general", "rdtsc", "1"}, {"sound", "soundcard", "4"}},
       {"[sound]", "soundcard=4", "[general]", "rdtsc=1"}},
      {"AsciiNamesInAnyCase",
       Encoding::Bytes,
       {"[Sound]", "SoundCard=3", "[SCREEN]", "Vsync=1"},
       "\r\n",
       {{"sound", "soundcard", "3"}, {"screen", "VSYNC", "1"}},
       {{"SOUND", "soundcard", "4"}, {"screen", "vsync", "0"}},
       {{"sound", "SOUNDCARD", "4"}, {"Screen", "vsync", "0"}},
       {"[Sound]", "SoundCard=4", "[SCREEN]", "Vsync=0"}},
  };
  return cases;
}

std::uint32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i]));
  };
  const std::uint32_t lead = byte(at);
  if (lead < 0x80) return at += 1, lead;
  if (lead < 0xE0) return at += 2, ((lead & 0x1F) << 6) | (byte(at - 1) & 0x3F);
  if (lead < 0xF0)
    return at += 3, ((lead & 0x0F) << 12) | ((byte(at - 2) & 0x3F) << 6) | (byte(at - 1) & 0x3F);
  return at += 4, ((lead & 0x07) << 18) | ((byte(at - 3) & 0x3F) << 12) |
                      ((byte(at - 2) & 0x3F) << 6) | (byte(at - 1) & 0x3F);
}

std::string Utf16(std::string_view utf8, bool bigEndian) {
  std::string bytes;
  const auto unit = [&](std::uint32_t u) {
    bytes.push_back(static_cast<char>(bigEndian ? u >> 8 : u & 0xFF));
    bytes.push_back(static_cast<char>(bigEndian ? u & 0xFF : u >> 8));
  };
  unit(0xFEFF);
  for (std::size_t at = 0; at < utf8.size();) {
    const std::uint32_t code = NextCodePoint(utf8, at);
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
  }
  return bytes;
}

// The text of a UTF-16 file with its mark, as UTF-8; a failure names what is not UTF-16.
std::string FromUtf16(const std::string& bytes, bool bigEndian) {
  EXPECT_EQ(bytes.size() % 2, 0u) << "a UTF-16 file of an odd number of bytes";
  const std::string mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  EXPECT_EQ(bytes.substr(0, 2), mark) << "the byte-order mark is gone";
  std::string text;
  for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    std::uint32_t code = bigEndian ? (first << 8) | second : (second << 8) | first;
    if (code >= 0xD800 && code <= 0xDBFF && at + 3 < bytes.size()) {
      const auto third = static_cast<unsigned char>(bytes[at + 2]);
      const auto fourth = static_cast<unsigned char>(bytes[at + 3]);
      const std::uint32_t low = bigEndian ? (third << 8) | fourth : (fourth << 8) | third;
      code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
      at += 2;
    }
    if (code < 0x80) {
      text.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      text.push_back(static_cast<char>(0xC0 | (code >> 6)));
      text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      text.push_back(static_cast<char>(0xE0 | (code >> 12)));
      text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      text.push_back(static_cast<char>(0xF0 | (code >> 18)));
      text.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return text;
}

std::string FileBytes(const Case& c) {
  std::string text;
  for (std::size_t i = 0; i < c.lines.size(); ++i)
    text.append(c.lines[i]).append(i + 1 < c.lines.size() ? "\r\n" : c.end);
  switch (c.encoding) {
    case Encoding::Utf16LittleEndian:
      return Utf16(text, false);
    case Encoding::Utf16BigEndian:
      return Utf16(text, true);
    case Encoding::Utf8WithMark:
      return "\xEF\xBB\xBF" + text;
    case Encoding::Bytes:
      break;
  }
  return text;
}

// Lines that hold only blanks (0x1A among them) are left out.
std::vector<std::string> NonBlankLines(const Case& c, const std::string& bytes) {
  std::string text = bytes;
  if (c.encoding == Encoding::Utf16LittleEndian) text = FromUtf16(bytes, false);
  if (c.encoding == Encoding::Utf16BigEndian) text = FromUtf16(bytes, true);
  if (c.encoding == Encoding::Utf8WithMark) {
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF") << "the byte-order mark is gone";
    EXPECT_NE(text.substr(3, 3), "\xEF\xBB\xBF") << "a second byte-order mark";
    text.erase(0, 3);
  }
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(begin, end - begin);
    if (line.find_first_not_of(" \t\x1A") != std::string::npos) lines.push_back(line);
    begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// Blanks at the end of a line are the system's affair too.
bool SameLine(std::string expected, std::string actual) {
  for (std::string* line : {&expected, &actual}) line->erase(line->find_last_not_of(" \t\x1A") + 1);
  if (expected.starts_with('[') && expected.ends_with(']')) return actual.starts_with(expected);
  return actual == expected;
}

std::string ReadValue(const Read& read, const std::string& path) {
  char buffer[1024];
  const DWORD length = GetPrivateProfileStringA(read.section.c_str(), read.key.c_str(), "<default>",
                                                buffer, sizeof buffer, path.c_str());
  return std::string(buffer, length);
}

void ExpectReads(const std::vector<Read>& reads, const std::string& path) {
  for (const Read& read : reads)
    EXPECT_EQ(ReadValue(read, path), read.value.value_or("<default>"))
        << "[" << read.section << "] " << read.key;
}

class SettingsFileCases : public testing::TestWithParam<Case> {
 protected:
  testing_support::TempDir directory;
  std::string path = (directory / "corvanta.ini").string();
};

TEST_P(SettingsFileCases, ReadAndWriteAsTheSystemDoes) {
  const Case& c = GetParam();
  WriteFile(path, FileBytes(c));
  ExpectReads(c.reads, path);
  for (const Write& write : c.writes)
    ASSERT_TRUE(WritePrivateProfileStringA(write.section.c_str(), write.key.c_str(),
                                           write.value.c_str(), path.c_str()))
        << "[" << write.section << "] " << write.key << ": error " << GetLastError();
  ExpectReads(c.readsAfter, path);

  const std::vector<std::string> lines = NonBlankLines(c, ReadFile(path));
  ASSERT_EQ(lines.size(), c.linesAfter.size()) << testing::PrintToString(lines);
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_TRUE(SameLine(c.linesAfter[i], lines[i]))
        << "line " << i << ": " << testing::PrintToString(lines[i]) << ", expected "
        << testing::PrintToString(c.linesAfter[i]);
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsFileCases, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
