// The stand-in emulator as a process: what it records, what it writes back, how it ends.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <csignal>

#include "tests/support/RunProgram.h"
#include "tests/support/TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::ReadJsonLines;
using testing_support::RunProgram;
using testing_support::TempDir;
using testing_support::TProgramEnd;
using testing_support::WriteFile;

const std::vector<std::string> ValidArguments = {CORVANTA_STANDIN_PATH,
                                                 "ALIENSYN",
                                                 "-r",
                                                 "44100",
                                                 "-rx",
                                                 "400",
                                                 "-ry",
                                                 "300",
                                                 "-frame",
                                                 "2",
                                                 "-joy"};

class StandinProcess : public ::testing::Test {
 protected:
  TProgramEnd Run(const std::vector<std::string>& argv, std::map<std::string, std::string> env = {},
                  const std::vector<int>& inherited = {}) {
    env["CORVANTA_STANDIN_LOG"] = LogPath();
    return RunProgram(argv, dir.Path().string(), env, inherited);
  }
  std::string LogPath() const { return (dir / "standin.log").string(); }
  std::string Settings() const { return ReadFile(dir / "corvanta.ini"); }

  TempDir dir;
};

TEST_F(StandinProcess, RecordsArgumentsDirectorySettingsAndDescriptors) {
  WriteFile(dir / "corvanta.ini",
            "[sound]\nsoundcard=3\n[screen]\nvsync= 1 \neagle=\n[general]\nrdtsc=0x1F\n");
  const TProgramEnd end = Run(ValidArguments);
  ASSERT_EQ(end.ExitCode, 0) << end.Stderr;

  const auto lines = ReadJsonLines(LogPath());
  ASSERT_EQ(lines.size(), 1u);
  const auto& line = lines[0];
  EXPECT_EQ(line["argv"].get<std::vector<std::string>>(), ValidArguments);
  EXPECT_EQ(line["cwd"], dir.Path().string());
  const nlohmann::json expectedSettings = {{"sound.soundcard", "3"}, {"sound.old2151", nullptr},
                                           {"screen.vsync", "1"},    {"general.rdtsc", "0x1F"},
                                           {"screen.eagle", ""},     {"screen.scanlines", nullptr}};
  EXPECT_EQ(line["settings"], expectedSettings);
  EXPECT_EQ(line["fds"].get<std::vector<int>>(), (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(line.contains("command_line"));  // POSIX hands over an argument vector only
}

TEST_F(StandinProcess, RecordsInheritedDescriptors) {
  const int extra = open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);  // inheritable
  ASSERT_GE(extra, 3);
  const TProgramEnd end = Run(ValidArguments, {}, {extra});
  close(extra);
  ASSERT_EQ(end.ExitCode, 0) << end.Stderr;
  const auto fds = ReadJsonLines(LogPath()).at(0)["fds"].get<std::vector<int>>();
  EXPECT_NE(std::find(fds.begin(), fds.end(), extra), fds.end());
}

TEST_F(StandinProcess, WritesBackItsSampleRateAndWidthKeepingTheRest) {
  WriteFile(dir / "corvanta.ini",
            "; emulator settings\n[sound]\nsamplerate=11025\nvolume=7\n\n[input]\nkey=up\n");
  ASSERT_EQ(Run(ValidArguments).ExitCode, 0);
  EXPECT_EQ(Settings(),
            "; emulator settings\n[sound]\nsamplerate=44100\nvolume=7\n\n[input]\nkey=up\n"
            "[screen]\nxres=400\n");
}

TEST_F(StandinProcess, WithoutWriteBackLeavesTheFileAlone) {
  const std::string before = "[sound]\nsamplerate=11025\n";
  WriteFile(dir / "corvanta.ini", before);
  ASSERT_EQ(Run(ValidArguments, {{"CORVANTA_STANDIN_NO_WRITEBACK", "1"}}).ExitCode, 0);
  EXPECT_EQ(Settings(), before);
}

TEST_F(StandinProcess, StoresRequestedChangesAfterItsWriteBack) {
  const TProgramEnd end =
      Run(ValidArguments, {{"CORVANTA_STANDIN_SET", "sound.soundcard=6;screen.xres=640"}});
  ASSERT_EQ(end.ExitCode, 0) << end.Stderr;
  EXPECT_EQ(Settings(), "[sound]\nsamplerate=44100\nsoundcard=6\n[screen]\nxres=640\n");
}

TEST_F(StandinProcess, EndsAsTold) {
  EXPECT_EQ(Run(ValidArguments, {{"CORVANTA_STANDIN_EXIT", "3"}}).ExitCode, 3);
  const TProgramEnd crashed = Run(ValidArguments, {{"CORVANTA_STANDIN_CRASH", "1"}});
  EXPECT_EQ(crashed.Signal, SIGTERM);
  EXPECT_FALSE(crashed.ExitCode.has_value());
  EXPECT_EQ(ReadJsonLines(LogPath()).size(), 2u);  // both runs logged
}

TEST_F(StandinProcess, RejectsABrokenCommandLineAfterLoggingIt) {
  std::vector<std::string> broken = ValidArguments;
  broken[1] = "NOSUCHGAME";
  const TProgramEnd end = Run(broken);
  EXPECT_EQ(end.ExitCode, 2);
  EXPECT_NE(end.Stderr.find("NOSUCHGAME"), std::string::npos) << end.Stderr;
  EXPECT_EQ(std::count(end.Stderr.begin(), end.Stderr.end(), '\n'), 1) << end.Stderr;
  EXPECT_EQ(ReadJsonLines(LogPath()).size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir / "corvanta.ini"));  // nothing written back

  EXPECT_EQ(Run(ValidArguments, {{"CORVANTA_STANDIN_SET", "nodot=1"}}).ExitCode, 2);
}

}  // namespace
