#include "platform/IniText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

constexpr std::optional<std::string_view> Missing = std::nullopt;

TEST(IniTextFindValue, ReadsAsTheProfileServicesDo) {
  struct Case {
    std::string_view text;
    std::string_view section;
    std::string_view key;
    std::optional<std::string_view> value;
  };
  const Case cases[] = {
      {"[s]\nk=v\n", "s", "k", "v"},
      {"[Sound]\nSoundCard=3\n", "sound", "soundcard", "3"},
      {"[sound]\nsoundcard=3\n", "SOUND", "SoundCard", "3"},
      {"  [ s ]  \n  k  =  v w  \n", "s", "k", "v w"},
      {"[s]\n\tk\t=\t7\t\n", "s", "k", "7"},
      {"[s]\nk=1\n", " s ", " k ", "1"},
      // One pair of matching quotes goes; what stands inside stays.
      {"[s]\nk=\"a b\"\n", "s", "k", "a b"},
      {"[s]\nk='x'\n", "s", "k", "x"},
      {"[s]\nk=\" a \"\n", "s", "k", " a "},
      {"[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
      {"[s]\nk=\"x'\n", "s", "k", "\"x'"},
      {"[s]\nk=\"\n", "s", "k", "\""},
      {"[s]\nk=\"\"\n", "s", "k", ""},
      {"[s]\nk=\n", "s", "k", ""},
      {"[s]\nk=a=b\n", "s", "k", "a=b"},
      {"[s]\nk=1", "s", "k", "1"},
      // Missing pieces.
      {"", "s", "k", Missing},
      {"[s]\nj=1\n", "s", "k", Missing},
      {"[t]\nk=1\n", "s", "k", Missing},
      {"[t]\nk=1\n[s]\n", "s", "k", Missing},
      {"k=1\n[s]\n", "s", "k", Missing},
      // The first section and the first key of a name count; later ones are never read.
      {"[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "k", "1"},
      {"[s]\nk=1\n[S]\nk=2\nj=3\n", "s", "j", Missing},
      {"[s]\nK=1\nk=2\n", "s", "k", "1"},
      // Comments, text without '=' and broken headers are no keys.
      {"[s]\n;k=5\nk=6\n", "s", "k", "6"},
      {"[s]\n  ; k=5\n", "s", "k", Missing},
      {"[s]\nk\nk=2\n", "s", "k", "2"},
      {"[s]\n[k=5\n", "s", "k", Missing},
      {"[t]\n[s\nk=1\n", "t", "k", "1"},
      {"[s] ; the sound\nk=1\n", "s", "k", "1"},
      {"[a]b]\nk=1\n", "a]b", "k", "1"},
      // Line ends of every kind, mixed too.
      {"[s]\r\nk=1\r\n", "s", "k", "1"},
      {"[s]\rk=1\r", "s", "k", "1"},
      {"[t]\r\nx=0\r[s]\nk=1\r\n", "s", "k", "1"},
      {"[s]\r\r\nk=1", "s", "k", "1"},
      // A byte-order mark before the first header.
      {"\xEF\xBB\xBF[s]\nk=1\n", "s", "k", "1"},
      // A NUL byte ends the value that is read and disturbs no other line.
      {"[s]\nk=1\0 2\n"sv, "s", "k", "1"},
      {"[s]\nx=\0\0\nk=5\n"sv, "s", "k", "5"},
      {"[s\0]\nk=5\n[s]\nk=6\n"sv, "s", "k", "6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text: " << testing::PrintToString(std::string(c.text))
                                    << " [" << c.section << "] " << c.key);
    EXPECT_EQ(ini::FindValue(c.text, c.section, c.key), c.value);
  }
}

// DOS editors ended a file with 0x1A, often right after the last value.
TEST(IniTextFindValue, TakesTheDosEndOfFileByteForABlank) {
  EXPECT_EQ(ini::FindValue("[s]\nk=0\x1A", "s", "k"), "0");
  EXPECT_EQ(ini::FindValue("[s]\r\nk=0\r\n\x1A", "s", "k"), "0");
  EXPECT_EQ(ini::FindValue("\x1A[s]\x1A\n\x1Ak\x1A=\x1A"
                           "7\x1A\n",
                           "s", "k"),
            "7");
  EXPECT_EQ(ini::SetValue("[s]\nk=0\x1A", "s", "k", "1"), "[s]\nk=1");
  EXPECT_EQ(ini::SetValue("[s]\nk=1\n\x1A", "s", "j", "2"), "[s]\nk=1\nj=2\n\x1A");
}

// In Shift_JIS the second byte of a double-byte character may be '[', ']', '\\' or a letter:
// it is part of its character, never a mark of the format, and names compare it exactly.
TEST(IniTextShiftJis, NoSecondByteIsAMarkOrAFoldedLetter) {
  using ini::Charset;
  const std::string zo = "\x83\x5D";  // ゾ
  const std::string a = "\x83\x41";   // ア
  const std::string di = "\x83\x61";  // ヂ
  struct Case {
    std::string text;
    std::string section;
    std::string key;
    std::optional<std::string> shiftJis;  // read with the Shift_JIS rules
    std::optional<std::string> utf8;      // the same bytes read a byte at a time
  };
  const Case cases[] = {
      {"[screen] ;" + zo + "\nk=1\n", "screen", "k", "1", std::nullopt},
      {"[" + zo + "]\nk=1\n", zo, "k", "1", "1"},
      {"[" + a + "]\nk=1\n[" + di + "]\nk=2\n", di, "k", "2", "1"},
      {"[s]\n" + a + "=1\n" + di + "=2\n", "s", di, "2", "1"},
      {"[s]\n" + a + "=1\n", "s", "\x83\x61", std::nullopt, "1"},
      // ASCII letters still fold; half-width katakana are single bytes.
      {"[S]\nK=1\n", "s", "k", "1", "1"},
      {"[\xB1\xB2]\nk=1\n", "\xB1\xB2", "k", "1", "1"},
      // A lead byte without a second byte is a byte of its own: before '=', before a line end.
      {"[s]\nk\x81=1\n", "s", "k\x81", "1", "1"},
      {"[s]\nj=\x83\nk=1\n", "s", "k", "1", "1"},
      {"[s\x83]\nk=1\n", "s\x83", "k", std::nullopt, "1"},
      // A second byte that is '[' at the start of a line's text is still no header.
      {"[s]\n\x83[x]=1\nk=2\n", "s", "k", "2", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " [" + c.section + "] " + c.key);
    const auto asStrings = [](std::optional<std::string_view> value) {
      return value ? std::optional<std::string>(*value) : std::nullopt;
    };
    EXPECT_EQ(asStrings(ini::FindValue(c.text, c.section, c.key, Charset::ShiftJis)), c.shiftJis);
    EXPECT_EQ(asStrings(ini::FindValue(c.text, c.section, c.key, Charset::Utf8)), c.utf8);
  }

  // A store finds the section behind its comment and the name that differs in a second byte.
  const std::string file =
      "[screen] ;" + zo + "\r\nscanlines=1\r\n[" + a + "]\r\nk=1\r\n[" + di + "]\r\nk=2\r\n";
  EXPECT_EQ(ini::SetValue(file, "screen", "vsync", "1", Charset::ShiftJis),
            "[screen] ;" + zo + "\r\nscanlines=1\r\nvsync=1\r\n[" + a + "]\r\nk=1\r\n[" + di +
                "]\r\nk=2\r\n");
  EXPECT_EQ(ini::SetValue(file, di, "k", "3", Charset::ShiftJis),
            "[screen] ;" + zo + "\r\nscanlines=1\r\n[" + a + "]\r\nk=1\r\n[" + di + "]\r\nk=3\r\n");
  EXPECT_EQ(ini::FindValue(file, a, "k", Charset::ShiftJis), "1");
  EXPECT_EQ(ini::FindValue(file, di, "k", Charset::ShiftJis), "2");

  // A section name ending in a lone lead byte would take the closing ']' as its second byte.
  EXPECT_FALSE(ini::IsStorableSectionName("s\x83", Charset::ShiftJis));
  EXPECT_TRUE(ini::IsStorableSectionName("s" + a, Charset::ShiftJis));
  EXPECT_TRUE(ini::IsStorableSectionName("s\x83", Charset::Utf8));
  EXPECT_FALSE(ini::IsStorableKeyName("k\x83=", Charset::ShiftJis));
}

TEST(IniTextFindValue, ReadsLinesOfAnyLength) {
  const std::string value(1'000'000, '7');
  const std::string text = "[s]\nlong=" + value + "\nk=" + value + "\r\n";
  EXPECT_EQ(ini::FindValue(text, "s", "k"), value);
}

struct EditCase {
  std::string_view before;
  std::string_view section;
  std::string_view key;
  std::string_view value;
  std::string_view after;
};

void ExpectEdits(const EditCase* begin, const EditCase* end) {
  for (const EditCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(testing::Message() << "before: " << testing::PrintToString(std::string(c->before))
                                    << " [" << c->section << "] " << c->key << "=" << c->value);
    const auto edited = ini::SetValue(c->before, c->section, c->key, c->value);
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(*edited, c->after);
    EXPECT_EQ(ini::FindValue(*edited, c->section, c->key), c->value);
  }
}

TEST(IniTextSetValue, ReplacesAValueWhereItStands) {
  const EditCase cases[] = {
      {"[s]\nk=1\n", "s", "k", "0", "[s]\nk=0\n"},
      // The file's spelling of the names, the blanks before and after '=' and the other lines
      // stay; the old value goes with the blanks that trailed it.
      {"[Sound]\nSoundCard=3\n", "sound", "soundcard", "0", "[Sound]\nSoundCard=0\n"},
      {"[s]\r\n  k = 1 \r\nz=2\r\n", "s", "k", "15", "[s]\r\n  k = 15\r\nz=2\r\n"},
      {"[s]\nk=\"quoted value\"\n", "s", "k", "9", "[s]\nk=9\n"},
      {"[s]\nk=1", "s", "k", "-1", "[s]\nk=-1"},
      {"[s]\nk=1\n[S]\nk=2\n", "S", "K", "7", "[s]\nk=7\n[S]\nk=2\n"},
      {"[s]\nk=1\nk=2\n", "s", "k", "7", "[s]\nk=7\nk=2\n"},
      {"\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "0", "\xEF\xBB\xBF[s]\r\nk=0\r\n"},
      {"[s]\nk=1\0\nx=\0y\n"sv, "s", "k", "2", "[s]\nk=2\nx=\0y\n"sv},
  };
  ExpectEdits(std::begin(cases), std::end(cases));
}

TEST(IniTextSetValue, AddsAMissingKeyAfterTheLastKeyOfItsSection) {
  const EditCase cases[] = {
      // Blank lines and comments that close a section stay below the new key.
      {"[a]\nx=1\n\n; about b\n[b]\ny=2\n", "a", "z", "3",
       "[a]\nx=1\nz=3\n\n; about b\n[b]\ny=2\n"},
      {"[a]\nx=1\n; between\nw=0\n\n", "A", "z", "3", "[a]\nx=1\n; between\nw=0\nz=3\n\n"},
      {"[a]\n; note\n[b]\n", "a", "k", "1", "[a]\nk=1\n; note\n[b]\n"},
      {"[a]", "a", "k", "1", "[a]\nk=1\n"},
      {"[a]\nx=1", "a", "k", "2", "[a]\nx=1\nk=2\n"},
      {"[a]\r\nx=1\r\n[b]\r\n", "a", "k", "2", "[a]\r\nx=1\r\nk=2\r\n[b]\r\n"},
      {"[a]\rx=1\r", "a", "k", "2", "[a]\rx=1\rk=2\r"},
      {"[a]\nx=1\n[A]\n", "a", "k", "2", "[a]\nx=1\nk=2\n[A]\n"},
      {"[a]\n  Key = 1\n", "a", " new ", "2", "[a]\n  Key = 1\nnew=2\n"},
  };
  ExpectEdits(std::begin(cases), std::end(cases));
}

TEST(IniTextSetValue, AddsAMissingSectionAtTheEndWithoutABlankLine) {
  const EditCase cases[] = {
      {"", "s", "k", "v", "[s]\nk=v\n"},
      {"[a]\nx=1\n", "b", "k", "2", "[a]\nx=1\n[b]\nk=2\n"},
      {"[a]\nx=1", "b", "k", "2", "[a]\nx=1\n[b]\nk=2\n"},
      {"[a]\nx=1\n\n\n", "b", "k", "2", "[a]\nx=1\n\n\n[b]\nk=2\n"},
      {"[a]\r\nx=1\r\n", "b", "k", "2", "[a]\r\nx=1\r\n[b]\r\nk=2\r\n"},
      {"[a]\rx=1\r", "b", "k", "2", "[a]\rx=1\r[b]\rk=2\r"},
      {"; only a comment", " b ", "k", "2", "; only a comment\n[b]\nk=2\n"},
      {"\xEF\xBB\xBF", "s", "k", "v", "\xEF\xBB\xBF[s]\nk=v\n"},
      {"\xEF\xBB\xBF[a]\r\n", "s", "k", "v", "\xEF\xBB\xBF[a]\r\n[s]\r\nk=v\r\n"},
      {"[a]\nx=\0\n"sv, "b", "k", "2", "[a]\nx=\0\n[b]\nk=2\n"sv},
  };
  ExpectEdits(std::begin(cases), std::end(cases));
}

TEST(IniTextSetValue, GivesNothingWhenTheValueIsAlreadyThere) {
  EXPECT_EQ(ini::SetValue("[s]\nk=1\n", "s", "k", "1"), std::nullopt);
  EXPECT_EQ(ini::SetValue("[S]\r\n K =  1\r\n", "s", "k", "1"), std::nullopt);
  // A trailing blank is part of the old text, so the line is rewritten without it.
  EXPECT_EQ(ini::SetValue("[s]\nk=1 \n", "s", "k", "1"), "[s]\nk=1\n");
  // A value with blanks of its own takes the place of the layout's blanks.
  EXPECT_EQ(ini::SetValue("[s]\nk = 1\n", "s", "k", "  1"), "[s]\nk =  1\n");
  EXPECT_EQ(ini::SetValue("[s]\nk =  1\n", "s", "k", "  1"), std::nullopt);
}

TEST(IniTextStorable, RefusesWhatWouldNotReadBack) {
  EXPECT_TRUE(ini::IsStorableSectionName("a]b"));
  EXPECT_TRUE(ini::IsStorableKeyName("key name"));
  EXPECT_TRUE(ini::IsStorableValue("a = \"b\""));
  for (std::string_view bad : {"a\nb"sv, "a\rb"sv, "a\0b"sv}) {
    EXPECT_FALSE(ini::IsStorableSectionName(bad));
    EXPECT_FALSE(ini::IsStorableKeyName(bad));
    EXPECT_FALSE(ini::IsStorableValue(bad));
  }
  for (std::string_view bad : {"a=b"sv, ";a"sv, " ;a"sv, "[a]"sv})
    EXPECT_FALSE(ini::IsStorableKeyName(bad));
}

}  // namespace
