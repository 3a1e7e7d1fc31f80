// The table of settings files reads Shift_JIS files as the emulator's users' systems do, in
// code page 932; in any other code page those cases would fail for want of it.

#include <windows.h>

#include <gtest/gtest.h>

TEST(SettingsFileCasesCodePage, IsTheJapaneseOne) {
  EXPECT_EQ(GetACP(), 932u) << "the suite runs in the wrong code page: see tests/settings";
}
