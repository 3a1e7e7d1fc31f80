// The settings file on Windows, through the system's own profile services: what the launcher
// relies on from them, and the path it builds from the current directory.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/SystemError.h"
#include "platform/sysutils.h"
#include "settings/SettingsFile.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempDir;
using testing_support::WriteFile;

// The file's lines without their line ends and without blank lines: how the system separates
// lines and sections is its own affair.
std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::istringstream text(ReadFile(path));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

using Text = std::vector<std::string>;

class WindowsSettingsFile : public testing::Test {
 protected:
  TempDir directory;
  std::filesystem::path path = directory / "corvanta.ini";
  TIniFile settings{path.string()};
};

TEST_F(WindowsSettingsFile, PathIsTheCurrentDirectoryABackslashAndTheFileName) {
  std::filesystem::create_directory(directory / "EMU.V2");
  ScopedCurrentDirectory inside(directory / "EMU.V2");
  const std::string expected = (directory / "EMU.V2").string() + "\\corvanta.ini";
  EXPECT_EQ(SettingsFilePath(), expected);
}

TEST_F(WindowsSettingsFile, AtTheRootOfADriveThePathHasTwoBackslashesThatTheSystemTakesAsOne) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string root = std::string(system, 3);  // "C:\"
  ScopedCurrentDirectory atRoot(root);
  const std::string doubled = SettingsFilePath();
  EXPECT_EQ(doubled, root + "\\corvanta.ini");

  // The system's profile services read that path as the file in the root.
  const std::string file = root + "corvanta.ini";
  const bool existed = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (existed) GTEST_SKIP() << file << " exists already";
  ASSERT_TRUE(WritePrivateProfileStringA("screen", "xres", "640", file.c_str()));
  EXPECT_EQ(LoadSettings(TIniFile(doubled)).XRes, 640);
  DeleteFileA(file.c_str());
}

TEST_F(WindowsSettingsFile, WithoutAFileLoadGivesTheDefaultsAndCreatesNothing) {
  EXPECT_EQ(LoadSettings(settings), TSettingsValues{});
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WindowsSettingsFile, AFirstStoreWritesTheThreeSectionsInTheOrderOfTheWrites) {
  SaveSettings(settings, {.SoundCard = 0, .SoundEngine = 0, .Rdtsc = true});
  EXPECT_EQ(Lines(path), (Text{"[sound]", "soundcard=0", "old2151=0", "[screen]", "vsync=0",
                               "eagle=0", "scanlines=0", "[general]", "rdtsc=1"}));
  EXPECT_EQ(LoadSettings(settings), TSettingsValues{});
}

TEST_F(WindowsSettingsFile, StoresReplaceValuesWhereTheyStandWhateverTheCaseOfTheNames) {
  WriteFile(path,
            "; the emulator's\r\n[Sound]\r\nSoundCard=3\r\nvolume=80\r\n[input]\r\njoy=1\r\n");
  EXPECT_EQ(LoadSettings(settings).SoundCard, 3);
  SaveSettings(
      settings,
      {.SoundCard = -1, .SoundEngine = -1, .Vsync = true, .Eagle = true, .ScanLines = true});
  // Without a sound-engine choice old2151 is not written; a missing section comes last.
  EXPECT_EQ(Lines(path),
            (Text{"; the emulator's", "[Sound]", "SoundCard=-1", "volume=80", "[input]", "joy=1",
                  "[screen]", "vsync=1", "eagle=1", "scanlines=1", "[general]", "rdtsc=0"}));
  const TSettingsValues values = LoadSettings(settings);
  EXPECT_EQ(values.SoundCard, -1);
  EXPECT_EQ(values.Vsync, 1);
  EXPECT_EQ(values.Rdtsc, 0);
}

TEST_F(WindowsSettingsFile, AFileThatCannotBeWrittenFailsAtTheFirstWriteAndStaysAsItIs) {
  const std::string before = "[sound]\r\nsoundcard=4\r\n";
  WriteFile(path, before);
  // Another program holds the file and shares it with no one. (A read-only attribute would do
  // on Windows, but not for root under Wine.)
  HANDLE held = CreateFileA(path.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(
      testing_support::MessageOf([&] {
        SaveSettings(
            settings,
            {.SoundCard = 5, .SoundEngine = 1, .Vsync = true, .Eagle = true, .ScanLines = true});
      }),
      path.string() + " に書き込めません: " + SystemErrorMessage(ERROR_SHARING_VIOLATION));
  CloseHandle(held);
  EXPECT_EQ(ReadFile(path), before);
}

}  // namespace
