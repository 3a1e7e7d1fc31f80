// The Play action against the stand-in emulator, which logs what it was given and writes values
// back to the settings file as a real emulator would.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "launch/PlayAction.h"
#include "platform/posix/ChildProcesses.h"
#include "platform/sysutils.h"
#include "settings/SettingsFile.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/ProcessCensus.h"
#include "tests/support/RepeatedStarts.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ReadJsonLines;
using testing_support::ScopedCurrentDirectory;
using testing_support::ScopedEnvironmentVariable;
using testing_support::TempDir;
using testing_support::WriteFile;

// ALIENSYN at 44100 Hz, 400 x 300, frame skip 3, joystick on; sound card 3, the older sound
// engine, Vsync and Eagle on, RDTSC and scan lines off.
TLaunchOptions SomeOptions() {
  return {.GameIndex = 0,
          .SoundCard = 3,
          .SampleRateIndex = 2,
          .SoundEngine = 1,
          .ResolutionIndex = 1,
          .SkipFrameIndex = 2,
          .Vsync = true,
          .Rdtsc = false,
          .AnalogJoystick = true,
          .Eagle = true,
          .ScanLines = false};
}

// The six stores of SomeOptions as the emulator finds them, in their store order.
const nlohmann::json StoredBySomeOptions = {{"sound.soundcard", "3"}, {"sound.old2151", "1"},
                                            {"screen.vsync", "1"},    {"general.rdtsc", "0"},
                                            {"screen.eagle", "1"},    {"screen.scanlines", "0"}};

// SomeOptions' stores with the file's defaults for the keys the launcher never writes.
TSettingsValues StoredValues(std::int32_t sampleRate, std::int32_t xRes) {
  return {.SoundCard = 3,
          .SampleRate = sampleRate,
          .Old2151 = 1,
          .XRes = xRes,
          .ScanLines = 0,
          .Eagle = 1,
          .Vsync = 1,
          .Rdtsc = 0};
}

// A Play as the window runs one: in a current directory that holds the emulator and its
// settings file, with the stand-in's log named in the environment.
class PlayGameTest : public ::testing::Test {
 protected:
  PlayGameTest() { fs::create_symlink(CORVANTA_STANDIN_PATH, dir / "corvanta"); }

  std::optional<TPlayResult> Play(const TLaunchOptions& options = SomeOptions()) {
    return PlayGame(options, SettingsFilePath());
  }
  std::vector<nlohmann::json> Log() const { return ReadJsonLines(logPath); }
  fs::path SettingsFile() const { return dir / "corvanta.ini"; }

  TempDir dir;
  ScopedCurrentDirectory inDir{dir.Path()};
  fs::path logPath = dir / "standin.log";
  ScopedEnvironmentVariable log{"CORVANTA_STANDIN_LOG", logPath.string()};
  ScopedEnvironmentVariable noWriteBack{"CORVANTA_STANDIN_NO_WRITEBACK", std::nullopt};
  ScopedEnvironmentVariable set{"CORVANTA_STANDIN_SET", std::nullopt};
  ScopedEnvironmentVariable exitCode{"CORVANTA_STANDIN_EXIT", std::nullopt};
  ScopedEnvironmentVariable crash{"CORVANTA_STANDIN_CRASH", std::nullopt};
};

TEST_F(PlayGameTest, StartsTheEmulatorAfterTheStoresAndReadsBackWhatItWrote) {
  // Held open by the launcher, as the display connection is: the child must not get it.
  const int held = open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(held, 3);
  const auto result = Play();
  close(held);

  ASSERT_TRUE(result.has_value());
  EXPECT_FALSE(result->StartFailure.has_value());
  const auto log = Log();
  ASSERT_EQ(log.size(), 1u);
  const auto& run = log[0];
  // The composed text, split at its blanks: the identifier's trailing blanks leave no argument.
  const std::vector<std::string> expectedArgs{
      "corvanta", "ALIENSYN", "-r", "44100", "-rx", "400", "-ry", "300", "-frame", "3", "-joy"};
  EXPECT_EQ(run["argv"].get<std::vector<std::string>>(), expectedArgs);
  EXPECT_EQ(run["cwd"], dir.Path().string());
  EXPECT_EQ(run["settings"], StoredBySomeOptions);
  EXPECT_EQ(run["fds"].get<std::vector<int>>(), (std::vector<int>{0, 1, 2}));
  // The stand-in stored the rate and width of its command line; the reload shows them.
  EXPECT_EQ(result->Settings, StoredValues(44100, 400));
}

TEST_F(PlayGameTest, TheReloadCarriesWhatTheEmulatorChanged) {
  ScopedEnvironmentVariable changes{"CORVANTA_STANDIN_SET",
                                    "sound.soundcard=6;screen.scanlines=1;general.rdtsc=0x10"};
  const auto result = Play();
  ASSERT_TRUE(result.has_value());
  TSettingsValues expected = StoredValues(44100, 400);
  expected.SoundCard = 6;
  expected.ScanLines = 1;
  expected.Rdtsc = 16;
  EXPECT_EQ(result->Settings, expected);
}

TEST_F(PlayGameTest, RateAndWidthComeOnlyFromTheFile) {
  ScopedEnvironmentVariable quiet{"CORVANTA_STANDIN_NO_WRITEBACK", "1"};
  // Nothing in the file: the defaults, not the command line's 44100 and 400.
  auto result = Play();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Settings, StoredValues(22050, 320));

  WriteFile(SettingsFile(), "[sound]\nsamplerate=11025\n[screen]\nxres=640\n");
  result = Play();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Settings, StoredValues(11025, 640));
  EXPECT_EQ(Log().size(), 2u);
}

TEST_F(PlayGameTest, AnEmulatorThatCannotStartIsReportedAfterTheStoresAndTheReload) {
  struct Case {
    const char* what;
    void (*prepare)(const fs::path& emulator);
    std::string reason;
  };
  const Case cases[] = {
      {"missing", [](const fs::path& emulator) { fs::remove(emulator); },
       "No such file or directory"},
      {"not executable",
       [](const fs::path& emulator) {
         fs::remove(emulator);
         WriteFile(emulator, "#!/bin/sh\n");
         fs::permissions(emulator, fs::perms::owner_read | fs::perms::owner_write);
       },
       "Permission denied"},
  };
  for (const Case& c : cases) {
    fs::remove(SettingsFile());
    c.prepare(dir / "corvanta");
    const auto result = Play();
    ASSERT_TRUE(result.has_value()) << c.what;
    ASSERT_TRUE(result->StartFailure.has_value()) << c.what;
    EXPECT_EQ(result->StartFailure->Reason, c.reason) << c.what;
    EXPECT_EQ(result->Settings, StoredValues(22050, 320)) << c.what;
    EXPECT_EQ(ReadFile(SettingsFile()),
              "[sound]\nsoundcard=3\nold2151=1\n[screen]\nvsync=1\neagle=1\nscanlines=0\n"
              "[general]\nrdtsc=0\n")
        << c.what;
  }
  EXPECT_TRUE(Log().empty());
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
}

TEST_F(PlayGameTest, HowTheEmulatorEndsChangesNothing) {
  for (const char* variable : {"CORVANTA_STANDIN_EXIT", "CORVANTA_STANDIN_CRASH"}) {
    ScopedEnvironmentVariable ending{variable,
                                     variable == std::string("CORVANTA_STANDIN_EXIT") ? "3" : "1"};
    fs::remove(SettingsFile());
    const auto result = Play();
    ASSERT_TRUE(result.has_value()) << variable;
    EXPECT_FALSE(result->StartFailure.has_value()) << variable;
    EXPECT_EQ(result->Settings, StoredValues(44100, 400)) << variable;
  }
  EXPECT_EQ(Log().size(), 2u);
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
}

TEST_F(PlayGameTest, ARefusedStoreEndsThePlayBeforeTheEmulatorStarts) {
  const std::string before = "[sound]\nsoundcard=5\nold2151=0\n";
  WriteFile(SettingsFile(), before);
  fs::permissions(SettingsFile(), fs::perms::owner_read | fs::perms::group_read);
  const std::string path = SettingsFilePath();
  EXPECT_EQ(testing_support::MessageOf([&] { Play(); }),
            path + " に書き込めません: Permission denied");
  EXPECT_EQ(ReadFile(SettingsFile()), before);
  EXPECT_TRUE(Log().empty());
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
}

TEST_F(PlayGameTest, OptionsWithoutAGameStoreNothingAndStartNothing) {
  TLaunchOptions options = SomeOptions();
  options.GameIndex = -1;
  EXPECT_EQ(Play(options), std::nullopt);
  EXPECT_FALSE(fs::exists(SettingsFile()));
  EXPECT_TRUE(Log().empty());
}

TEST_F(PlayGameTest, RepeatedPlaysHoldNoDescriptorAndLeaveNoChild) {
  const std::vector<int> before = testing_support::OpenDescriptors();
  const std::size_t handlesBefore = platform_posix::OpenHandleCount();
  for (int play = 0; play < testing_support::RepeatedStarts; ++play) {
    const auto result = Play();
    ASSERT_TRUE(result.has_value());
    ASSERT_FALSE(result->StartFailure.has_value()) << play << ": " << result->StartFailure->Reason;
  }
  EXPECT_EQ(testing_support::OpenDescriptors(), before);
  EXPECT_EQ(platform_posix::OpenHandleCount(), handlesBefore);
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
  EXPECT_EQ(Log().size(), static_cast<std::size_t>(testing_support::RepeatedStarts));
}

}  // namespace
