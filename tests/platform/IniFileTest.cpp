#include "platform/inifiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <limits>
#include <string>

#include "platform/sysutils.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

class IniFile : public testing::Test {
 protected:
  testing_support::TempDir directory;
  std::string path = (directory / "corvanta.ini").string();
  TIniFile ini{path};
};

TEST_F(IniFile, ReadIntegerConvertsTheTrimmedValueText) {
  WriteFile(path, "[s]\nhex = $1f \ndec=\t-5\nquoted=\"7\"\nbad=12a\nempty=\nhuge=2147483648\n");
  EXPECT_EQ(ini.ReadInteger("s", "hex", -1), 31);
  EXPECT_EQ(ini.ReadInteger("S", "DEC", -1), -5);
  EXPECT_EQ(ini.ReadInteger("s", "quoted", -1), 7);
  EXPECT_EQ(ini.ReadInteger("s", "bad", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "empty", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "huge", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "missing", 22050), 22050);
  EXPECT_EQ(ini.ReadInteger("t", "hex", 320), 320);
}

TEST_F(IniFile, ReadIntegerSeesAtMost1023Characters) {
  // The digit that would make this 7 lies beyond the buffer.
  WriteFile(path, "[s]\nk=" + std::string(1023, '0') + "7\n");
  EXPECT_EQ(ini.ReadInteger("s", "k", -1), 0);
}

TEST_F(IniFile, WriteIntegerStoresPlainDecimal) {
  ini.WriteInteger("s", "a", -1);
  ini.WriteInteger("s", "b", 2147483647);
  ini.WriteInteger("s", "c", std::numeric_limits<std::int32_t>::min());
  ini.WriteInteger("s", "a", 0);
  EXPECT_EQ(ReadFile(path), "[s]\na=0\nb=2147483647\nc=-2147483648\n");
}

TEST_F(IniFile, ARefusedWriteRaisesWithThePathInItsMessage) {
  WriteFile(path, "[s]\na=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const std::string message = testing_support::MessageOf([&] { ini.WriteInteger("s", "a", 2); });
  EXPECT_EQ(message, path +
                         " \xE3\x81\xAB\xE6\x9B\xB8\xE3\x81\x8D\xE8\xBE\xBC\xE3\x82\x81"
                         "\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93: Permission denied");
  EXPECT_EQ(message, path + " に書き込めません: Permission denied");
  EXPECT_EQ(ReadFile(path), "[s]\na=1\n");
}

}  // namespace
