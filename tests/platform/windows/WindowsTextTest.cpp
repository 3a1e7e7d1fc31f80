// The Windows pieces of the platform layer: the system's words for an error code, and the
// passage of UTF-8 texts to the wide API and back.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/SystemError.h"
#include "platform/windows/WideText.h"

namespace {

TEST(SystemErrorMessage, IsTheSystemsSentenceWithoutItsLineEndOrFullStop) {
  for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
    const std::string text = SystemErrorMessage(code);
    ASSERT_FALSE(text.empty()) << code;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.back(), '.') << text;
    EXPECT_NE(text.back(), ' ') << text;
  }
  EXPECT_NE(SystemErrorMessage(ERROR_FILE_NOT_FOUND), SystemErrorMessage(ERROR_ACCESS_DENIED));
}

TEST(SystemErrorMessage, NamesACodeTheSystemHasNoWordsFor) {
  EXPECT_EQ(SystemErrorMessage(0x2000FFFFu), "system error 536936447");
}

TEST(WideText, CarriesJapaneseAndHalfWidthKatakanaBothWays) {
  const std::string utf8 = "ｱﾅﾛｸﾞｼﾞｮｲｽﾃｨｯｸ使用の場合はCheck";
  const std::wstring wide = Widen(utf8);
  EXPECT_EQ(wide.substr(0, 3), L"\uff71\uff85\uff9b");
  EXPECT_EQ(wide.substr(wide.size() - 5), L"Check");
  EXPECT_EQ(Narrow(wide), utf8);
  EXPECT_EQ(Widen(""), L"");
}

TEST(WideText, BrokenUtf8BecomesReplacementCharactersNotAnError) {
  const std::wstring wide = Widen(
      "a\xff"
      "b");
  EXPECT_EQ(wide, L"a\ufffdb");
}

}  // namespace
