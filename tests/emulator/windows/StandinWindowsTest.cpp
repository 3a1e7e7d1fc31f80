// The stand-in emulator on Windows, started the way the launcher starts it: by one command-line
// text, found by the system's search.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/TestFiles.h"
#include "tests/support/windows/RunCommandLine.h"

namespace {

using testing_support::ReadJsonLines;
using testing_support::RunCommandLine;
using testing_support::TempDir;

std::filesystem::path StandinPath() {
  wchar_t own[MAX_PATH];
  GetModuleFileNameW(nullptr, own, MAX_PATH);
  return std::filesystem::path(own).parent_path() / CORVANTA_STANDIN_RELATIVE_PATH;
}

class StandinOnWindows : public ::testing::Test {
 protected:
  std::string LogPath() const { return (dir / "standin.log").string(); }
  TempDir dir;
};

TEST_F(StandinOnWindows, RecordsTheCommandLineExactlyAsReceived) {
  // The launcher's texts: runs of blanks after the identifier, which an argument vector loses.
  const std::string lines[] = {
      "corvanta ALIENSYN   -r 22050 -rx 320 -ry 240 -frame 1 -nojoy",
      "corvanta PASSSHTB    -r 44100 -rx 640 -ry 480 -frame 5 -joy",
      "corvanta SDI  -r 11025 -rx 400 -ry 300 -frame 3 -joy",
  };
  for (const std::string& line : lines) {
    const auto end = RunCommandLine(StandinPath().string(), line, dir.Path().string(),
                                    {{"CORVANTA_STANDIN_LOG", LogPath()}});
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->ExitCode, 0) << line << "\n" << end->Stderr;
  }
  const auto records = ReadJsonLines(LogPath());
  ASSERT_EQ(records.size(), std::size(lines));
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i]["command_line"], lines[i]);
    EXPECT_EQ(records[i]["argv"].size(), 11u) << records[i].dump();
    EXPECT_EQ(records[i]["cwd"], dir.Path().string());
  }
}

TEST_F(StandinOnWindows, IsFoundByTheSystemSearchInTheCurrentDirectory) {
  // Without an application name, Windows takes the first word and adds ".exe"; the test's own
  // folder holds no corvanta.exe, so only the current directory (the starting process's, as the
  // launcher's is) can supply it.
  std::filesystem::copy_file(StandinPath(), dir / "corvanta.exe");
  testing_support::ScopedCurrentDirectory inFolder(dir.Path());
  const std::string line = "corvanta GOLDNAXE   -r 44100 -rx 640 -ry 480 -frame 2 -joy";
  const auto end =
      RunCommandLine("", line, dir.Path().string(), {{"CORVANTA_STANDIN_LOG", LogPath()}});
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->ExitCode, 0) << end->Stderr;
  const auto records = ReadJsonLines(LogPath());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0]["command_line"], line);

  char value[64];
  GetPrivateProfileStringA("screen", "xres", "", value, sizeof value,
                           (dir / "corvanta.ini").string().c_str());
  EXPECT_STREQ(value, "640");  // written back through the system's own profile services
}

}  // namespace
