#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/posix/ExecutableSearch.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using platform_posix::ExecutableSearchDirectories;
using platform_posix::FindExecutable;
using testing_support::ScopedCurrentDirectory;
using testing_support::ScopedEnvironmentVariable;
using testing_support::TempDir;

std::string OwnDirectory() {
  return fs::read_symlink("/proc/self/exe").parent_path().string();
}

void WriteFile(const fs::path& path, fs::perms permissions) {
  std::ofstream(path) << "#!/bin/sh\n";
  fs::permissions(path, permissions);
}

TEST(ExecutableSearchDirectories, OwnDirectoryThenCurrentThenPath) {
  TempDir cwd;
  ScopedCurrentDirectory inCwd(cwd.Path());
  const std::string current = fs::current_path().string();
  {
    ScopedEnvironmentVariable path("PATH", "/opt/one::/opt/two:");
    EXPECT_EQ(ExecutableSearchDirectories(),
              (std::vector<std::string>{OwnDirectory(), current, "/opt/one", "/opt/two"}));
  }
  {
    ScopedEnvironmentVariable path("PATH", std::nullopt);
    EXPECT_EQ(ExecutableSearchDirectories(), (std::vector<std::string>{OwnDirectory(), current}));
  }
}

class FindExecutableTest : public ::testing::Test {
 protected:
  TempDir first, second, third;
  std::vector<std::string> Directories() const {
    return {first.Path().string(), second.Path().string(), third.Path().string()};
  }
};

TEST_F(FindExecutableTest, TakesTheFirstDirectoryHoldingTheName) {
  WriteFile(second.Path() / "emu", fs::perms::owner_all);
  WriteFile(third.Path() / "emu", fs::perms::owner_all);
  EXPECT_EQ(FindExecutable("emu", Directories()), (second.Path() / "emu").string());
}

TEST_F(FindExecutableTest, PassesOverDirectoriesButNotFilesItCannotRun) {
  fs::create_directory(first.Path() / "emu");
  WriteFile(second.Path() / "emu", fs::perms::owner_read | fs::perms::owner_write);
  WriteFile(third.Path() / "emu", fs::perms::owner_all);
  EXPECT_EQ(FindExecutable("emu", Directories()), (second.Path() / "emu").string());
}

TEST_F(FindExecutableTest, ANameWithASlashIsAPathAsItStands) {
  WriteFile(first.Path() / "emu", fs::perms::owner_all);
  EXPECT_EQ(FindExecutable("./emu", Directories()), "./emu");
  EXPECT_EQ(FindExecutable("/nowhere/emu", Directories()), "/nowhere/emu");
}

TEST_F(FindExecutableTest, NothingForAMissingOrEmptyName) {
  WriteFile(first.Path() / "emu.exe", fs::perms::owner_all);
  EXPECT_EQ(FindExecutable("emu", Directories()), std::nullopt);
  EXPECT_EQ(FindExecutable("", Directories()), std::nullopt);
}

}  // namespace
