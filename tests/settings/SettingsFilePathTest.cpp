#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/sysutils.h"
#include "settings/SettingsFile.h"
#include "tests/support/ExceptionMessage.h"
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

// Windows' 260-character limit is no limit of Linux's files: a folder of any length Linux
// takes, counted in bytes (a Japanese name takes three a character), holds a settings file that
// is read and written. A path longer than Linux's own limit is refused with the system's reason.
TEST_F(SettingsPath, TakesEveryPathLinuxTakesAndRefusesALongerOneWithTheSystemsReason) {
  ASSERT_LT(base.string().size(), 240u) << "temporary folder too deep for this test";
  const fs::path japanese = base / "エミュレータの設定とセーブデータを置いておくフォルダ" /
                            "アーケードゲームエミュレータ用のフォルダですゲーム名の一覧も" /
                            "ここに置きますセーブデータと設定ファイルも";
  fs::create_directories(japanese);
  ASSERT_GT(japanese.string().size(), 260u);
  constexpr std::size_t Longest = 4095;  // PATH_MAX, terminator included, less one
  const std::size_t longestFolder = Longest - 1 - std::string("corvanta.ini").size();
  for (const fs::path& folder : {DirectoryOfLength(247), DirectoryOfLength(300), japanese,
                                 DirectoryOfLength(longestFolder)}) {
    SCOPED_TRACE(folder.string().size());
    testing_support::ScopedCurrentDirectory change(folder);
    const std::string path = SettingsFilePath();
    EXPECT_EQ(path, folder.string() + "/corvanta.ini");
    TIniFile settings(path);
    SaveSettings(settings, {.SoundCard = 3});
    EXPECT_EQ(LoadSettings(settings).SoundCard, 3);
  }
  {
    const fs::path tooLong = DirectoryOfLength(longestFolder + 1);
    testing_support::ScopedCurrentDirectory change(tooLong);
    EXPECT_EQ(testing_support::MessageOf([] { SettingsFilePath(); }),
              tooLong.string() + "/corvanta.ini を開けません: File name too long");
  }
}

TEST_F(SettingsPath, RaisesWhenTheCurrentDirectoryIsGone) {
  fs::create_directory(base / "gone");
  testing_support::ScopedCurrentDirectory change(base / "gone");
  fs::remove(base / "gone");
  EXPECT_EQ(testing_support::MessageOf([] { SettingsFilePath(); }),
            "カレントディレクトリを取得できません: No such file or directory");
}

}  // namespace
