#include "platform/StrToInt.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace {

constexpr std::int32_t Fallback = -424242;

TEST(StrToIntDef, ConvertsTheIntegerTextsOfTheSettingsFile) {
  struct Case {
    std::string_view text;
    std::int32_t value;
  };
  const Case cases[] = {
      // Hexadecimal after each of its prefixes, digits of either case.
      {"0x1F", 31},
      {"0X1f", 31},
      {"$1f", 31},
      {"x1F", 31},
      {"X1F", 31},
      {"$FFFFFFFF", -1},
      {"$80000000", std::numeric_limits<std::int32_t>::min()},
      {"$7fffffff", 2147483647},
      {"$000000000000FFFFFFFF", -1},
      {"0x0000000012345678", 0x12345678},
      {"$0", 0},
      // Decimal.
      {"-5", -5},
      {"+7", 7},
      {"007", 7},
      {"0", 0},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"-2147483647", -2147483647},
      {"000000000000000000002147483647", 2147483647},
      // Leading spaces are skipped, before either form.
      {"   42", 42},
      {"  -42", -42},
      {" $10", 16},
      {" 0x10", 16},
      // Everything else gives the default.
      {"", Fallback},
      {" ", Fallback},
      {"12a", Fallback},
      {"1.0", Fallback},
      {"-", Fallback},
      {"+", Fallback},
      {"$", Fallback},
      {"x", Fallback},
      {"0x", Fallback},
      {"0X", Fallback},
      {"-0x10", Fallback},
      {"-$10", Fallback},
      {"+$10", Fallback},
      {"--5", Fallback},
      {"- 5", Fallback},
      {"2147483648", Fallback},
      {"-2147483648", Fallback},
      {"99999999999999999999", Fallback},
      {"$100000000", Fallback},
      {"0x123456789", Fallback},
      {"$1g", Fallback},
      {"$ 1", Fallback},
      {"0x 1", Fallback},
      {"5 ", Fallback},
      {"\t5", Fallback},
      {"1e3", Fallback},
      {"$-1", Fallback},
      {"0xx1", Fallback},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StrToIntDef(c.text, Fallback), c.value) << '"' << c.text << '"';
}

TEST(StrToIntDef, GivesTheCallersDefault) {
  EXPECT_EQ(StrToIntDef("", 22050), 22050);
  EXPECT_EQ(StrToIntDef("junk", 1), 1);
}

TEST(IntToStr, WritesPlainDecimalThatReadsBack) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(7), "7");
  EXPECT_EQ(IntToStr(-1), "-1");
  EXPECT_EQ(IntToStr(2147483647), "2147483647");
  EXPECT_EQ(IntToStr(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  for (std::int32_t value : {-2147483647, -22050, -1, 0, 1, 44100, 2147483647})
    EXPECT_EQ(StrToIntDef(IntToStr(value), Fallback), value);
}

}  // namespace
