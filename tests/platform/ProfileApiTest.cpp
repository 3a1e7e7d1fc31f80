// The profile services on real files: what reaches the disk, and what is refused.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/win32api.h"
#include "tests/support/TestFiles.h"

namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
using testing_support::ReadFile;
using testing_support::WriteFile;

std::string Read(const char* section, const char* key, const std::string& path,
                 const char* fallback = "") {
  char buffer[1024];
  const DWORD length =
      GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, path.c_str());
  return std::string(buffer, length);
}

BOOL Write(const char* section, const char* key, const char* value, const std::string& path) {
  return WritePrivateProfileStringA(section, key, value, path.c_str());
}

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

class ProfileApi : public testing::Test {
 protected:
  testing_support::TempDir directory;
  std::string file = (directory / "corvanta.ini").string();

  // Nothing but the named entries: no temporary file stays behind.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(ProfileApi, AMissingFileReadsAsTheDefaultAndIsNotCreated) {
  SetLastError(0);
  EXPECT_EQ(Read("sound", "soundcard", file, "dflt \t "), "dflt");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ENOENT));
  EXPECT_EQ(Read("sound", "soundcard", file, nullptr), "");
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(ProfileApi, ReadCopiesAtMostSizeMinusOneCharacters) {
  WriteFile(file, "[s]\nk=abcdef\n");
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 4, file.c_str()), 3u);
  EXPECT_EQ(std::string(buffer), "abc");
  EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 1, file.c_str()), 0u);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(GetPrivateProfileStringA("s", "missing", "defaults", buffer, 5, file.c_str()), 4u);
  EXPECT_EQ(std::string(buffer), "defa");
}

TEST_F(ProfileApi, WritesCreateAndEditTheFileWithoutLeavingTemporaries) {
  ::umask(022);
  ASSERT_TRUE(Write("sound", "soundcard", "0", file));
  ASSERT_TRUE(Write("screen", "vsync", "1", file));
  ASSERT_TRUE(Write("sound", "old2151", "1", file));
  ASSERT_TRUE(Write("sound", "soundcard", "-1", file));
  EXPECT_EQ(ReadFile(file), "[sound]\nsoundcard=-1\nold2151=1\n[screen]\nvsync=1\n");
  EXPECT_EQ(ModeOf(file), 0644u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"corvanta.ini"});
  EXPECT_EQ(Read("SOUND", "Old2151", file), "1");
}

TEST_F(ProfileApi, AWriteKeepsTheFilesModeAndLineEnds) {
  WriteFile(file, "[screen]\r\nvsync=0\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  ASSERT_TRUE(Write("screen", "eagle", "1", file));
  ASSERT_TRUE(Write("general", "rdtsc", "1", file));
  EXPECT_EQ(ReadFile(file), "[screen]\r\nvsync=0\r\neagle=1\r\n[general]\r\nrdtsc=1\r\n");
  EXPECT_EQ(ModeOf(file), 0640u);
}

TEST_F(ProfileApi, OtherLinesStayByteForByteThroughLongLinesAndNulBytes) {
  const std::string longValue(300'000, 'v');
  const std::string before = "\xEF\xBB\xBF; made by the emulator\r\n[video]\r\nblob=" + longValue +
                             "\r\nnul=a\0b\r\n"s + "\r\n[sound]\r\nsoundcard=1\r\nvolume = 9 \r\n";
  WriteFile(file, before);
  ASSERT_TRUE(Write("sound", "soundcard", "5", file));
  std::string expected = before;
  expected.replace(expected.find("soundcard=1"), 11, "soundcard=5");
  EXPECT_EQ(ReadFile(file), expected);
  EXPECT_EQ(Read("video", "blob", file).size(), 1023u);
  EXPECT_EQ(Read("video", "nul", file), "a");
}

TEST_F(ProfileApi, ASymlinkIsWrittenThroughToItsTarget) {
  const std::string target = (directory / "real.ini").string();
  WriteFile(target, "[sound]\nsoundcard=1\n");
  ASSERT_EQ(::symlink("real.ini", file.c_str()), 0);
  ASSERT_TRUE(Write("sound", "soundcard", "2", file));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
  EXPECT_EQ(ReadFile(target), "[sound]\nsoundcard=2\n");
  EXPECT_EQ(Read("sound", "soundcard", file), "2");
}

TEST_F(ProfileApi, ADanglingSymlinkCreatesItsTarget) {
  std::filesystem::create_directory(directory.Path() / "data");
  ASSERT_EQ(::symlink("data/settings.ini", file.c_str()), 0);
  ASSERT_TRUE(Write("sound", "soundcard", "2", file));
  EXPECT_TRUE(std::filesystem::is_symlink(file));
  EXPECT_EQ(ReadFile((directory / "data/settings.ini").string()), "[sound]\nsoundcard=2\n");
}

TEST_F(ProfileApi, AReadOnlyFileIsRefusedEvenForRootAndStaysAsItIs) {
  const std::string before = "[sound]\nsoundcard=1\n";
  WriteFile(file, before);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  for (const char* value : {"2", "1"}) {
    SetLastError(0);
    EXPECT_FALSE(Write("sound", "soundcard", value, file)) << value;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(EACCES));
  }
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_EQ(ModeOf(file), 0444u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"corvanta.ini"});
}

TEST_F(ProfileApi, ADirectoryReadsAsDefaultsAndRefusesWrites) {
  std::filesystem::create_directory(file);
  EXPECT_EQ(Read("sound", "soundcard", file, "d"), "d");
  SetLastError(0);
  EXPECT_FALSE(Write("sound", "soundcard", "1", file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(EISDIR));
  EXPECT_TRUE(std::filesystem::is_empty(file));
}

TEST_F(ProfileApi, AFifoNeitherBlocksAReadNorTakesAWrite) {
  ASSERT_EQ(::mkfifo(file.c_str(), 0666), 0);
  EXPECT_EQ(Read("sound", "soundcard", file, "d"), "d");
  EXPECT_FALSE(Write("sound", "soundcard", "1", file));
}

TEST_F(ProfileApi, AMissingDirectoryRefusesWrites) {
  SetLastError(0);
  EXPECT_FALSE(Write("sound", "soundcard", "1", (directory / "gone/corvanta.ini").string()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ENOENT));
}

TEST_F(ProfileApi, ALineBreakInANameOrValueIsRefused) {
  const std::string before = "[sound]\nsoundcard=1\n";
  WriteFile(file, before);
  EXPECT_FALSE(Write("sound", "soundcard", "1\n[evil]\nx=1", file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(EINVAL));
  EXPECT_FALSE(Write("sound", "a\rb", "1", file));
  EXPECT_FALSE(Write("so\nund", "a", "1", file));
  EXPECT_FALSE(Write("sound", "a=b", "1", file));
  EXPECT_EQ(ReadFile(file), before);
}

// The lists of names and the deletions the Windows services make of missing arguments are never
// asked for here: such a call is refused, reads nothing and leaves the file as it is.
TEST_F(ProfileApi, MissingNamesAndValuesAreRefused) {
  const std::string before = "[a]\nx=1\ny=2\n[b]\nz=3\n";
  WriteFile(file, before);
  char buffer[64] = "unchanged";
  EXPECT_EQ(GetPrivateProfileStringA(nullptr, "x", "d", buffer, sizeof buffer, file.c_str()), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(EINVAL));
  EXPECT_EQ(std::string(buffer), "");
  EXPECT_EQ(GetPrivateProfileStringA("a", nullptr, "d", buffer, sizeof buffer, file.c_str()), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(EINVAL));

  for (const auto& [section, key, value] :
       {std::tuple<const char*, const char*, const char*>{"a", "x", nullptr},
        {"b", nullptr, nullptr},
        {"b", nullptr, "1"},
        {nullptr, "x", "1"}}) {
    SetLastError(0);
    EXPECT_FALSE(Write(section, key, value, file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(EINVAL));
  }
  EXPECT_EQ(ReadFile(file), before);
  // The call that flushes the Windows services' cache has nothing to do: nothing is cached.
  EXPECT_TRUE(Write(nullptr, nullptr, nullptr, file));

  const std::string missing = (directory / "missing.ini").string();
  EXPECT_FALSE(Write("a", "x", nullptr, missing));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

class CurrentDirectory : public testing::Test {
 protected:
  testing_support::TempDir directory;
  testing_support::ScopedCurrentDirectory change{directory.Path()};
  std::string expected = std::filesystem::canonical(directory.Path()).string();
};

TEST_F(CurrentDirectory, GivesTheLengthWithoutTerminatorWhenItFits) {
  char buffer[MAX_PATH];
  ASSERT_LT(expected.size() + 1, sizeof buffer);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), expected.size());
  EXPECT_EQ(std::string(buffer), expected);

  std::string exact(expected.size() + 1, 'x');
  EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(exact.size()), exact.data()), expected.size());
  EXPECT_EQ(exact.c_str(), expected);
}

TEST_F(CurrentDirectory, GivesTheSizeNeededAndLeavesTheBufferWhenTooSmall) {
  std::string small(expected.size(), 'x');
  EXPECT_EQ(GetCurrentDirectoryA(static_cast<DWORD>(small.size()), small.data()),
            expected.size() + 1);
  EXPECT_EQ(small, std::string(expected.size(), 'x'));
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), expected.size() + 1);
}

TEST_F(CurrentDirectory, FailsWithZeroWhenTheDirectoryIsGone) {
  const auto gone = directory.Path() / "gone";
  std::filesystem::create_directory(gone);
  testing_support::ScopedCurrentDirectory into(gone);
  std::filesystem::remove(gone);
  char buffer[MAX_PATH];
  SetLastError(0);
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ENOENT));
}

}  // namespace
