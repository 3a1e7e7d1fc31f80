#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/sysutils.h"
#include "settings/SettingsFile.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

class SettingsPath : public testing::Test {
 protected:
  testing_support::TempDir directory;
  fs::path base = fs::canonical(directory.Path());

  // A directory below the temporary one whose full path has exactly `length` characters.
  fs::path DirectoryOfLength(std::size_t length) {
    fs::path result = base;
    std::size_t remaining = length - result.string().size();
    while (remaining > 0) {
      const std::size_t part = remaining > 201 ? 100 : remaining - 1;
      result /= std::string(part, 'd');
      remaining -= part + 1;
    }
    fs::create_directories(result);
    EXPECT_EQ(result.string().size(), length);
    return result;
  }
};

TEST_F(SettingsPath, IsTheCurrentDirectoryOneSeparatorAndTheFileName) {
  testing_support::ScopedCurrentDirectory change(base);
  EXPECT_EQ(SettingsFilePath(), base.string() + "/corvanta.ini");
}

TEST_F(SettingsPath, KeepsADotInTheDirectory) {
  fs::create_directory(base / "EMU.V2");
  testing_support::ScopedCurrentDirectory change(base / "EMU.V2");
  EXPECT_EQ(SettingsFilePath(), base.string() + "/EMU.V2/corvanta.ini");
}

TEST_F(SettingsPath, FollowsTheCurrentDirectoryAtEveryCall) {
  fs::create_directory(base / "other");
  testing_support::ScopedCurrentDirectory change(base);
  const std::string first = SettingsFilePath();
  testing_support::ScopedCurrentDirectory other(base / "other");
  EXPECT_EQ(SettingsFilePath(), base.string() + "/other/corvanta.ini");
  EXPECT_NE(SettingsFilePath(), first);
}

TEST_F(SettingsPath, DoublesTheSeparatorAfterADirectoryEndingInOne) {
  testing_support::ScopedCurrentDirectory change("/");
  EXPECT_EQ(SettingsFilePath(), "//corvanta.ini");
}

TEST_F(SettingsPath, TakesADirectoryOf246CharactersAndRefusesOneMore) {
  ASSERT_LT(base.string().size(), 240u) << "temporary folder too deep for this test";
  const fs::path fits = DirectoryOfLength(246);
  {
    testing_support::ScopedCurrentDirectory change(fits);
    const std::string path = SettingsFilePath();
    EXPECT_EQ(path.size(), 259u);
    EXPECT_EQ(path, fits.string() + "/corvanta.ini");
  }
  for (std::size_t length : {247u, 258u, 259u, 260u, 300u}) {
    testing_support::ScopedCurrentDirectory change(DirectoryOfLength(length));
    try {
      SettingsFilePath();
      ADD_FAILURE() << "no exception at a directory of " << length << " characters";
    } catch (const Exception& error) {
      EXPECT_NE(error.Message().find("too long"), std::string::npos) << error.Message();
    }
  }
}

TEST_F(SettingsPath, RaisesWhenTheCurrentDirectoryIsGone) {
  fs::create_directory(base / "gone");
  testing_support::ScopedCurrentDirectory change(base / "gone");
  fs::remove(base / "gone");
  try {
    SettingsFilePath();
    ADD_FAILURE() << "no exception";
  } catch (const Exception& error) {
    EXPECT_NE(error.Message().find("cannot be determined"), std::string::npos) << error.Message();
  }
}

}  // namespace
