// The Play action on Windows against the stand-in emulator, through the system's own process
// creation: the emulator found by the system's search under "corvanta", given exactly the
// composed command line, its handles released.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "launch/PlayAction.h"
#include "platform/sysutils.h"
#include "settings/SettingsFile.h"
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

fs::path StandinPath() {
  wchar_t own[MAX_PATH];
  GetModuleFileNameW(nullptr, own, MAX_PATH);
  return fs::path(own).parent_path() / CORVANTA_STANDIN_RELATIVE_PATH;
}

// PASSSHTB (three trailing blanks) at 44100 Hz, 640 x 480, frame skip 5, joystick on; sound
// card 7, the newer sound engine, RDTSC and scan lines on.
TLaunchOptions SomeOptions() {
  return {.GameIndex = 11,
          .SoundCard = 7,
          .SampleRateIndex = 2,
          .SoundEngine = 0,
          .ResolutionIndex = 2,
          .SkipFrameIndex = 4,
          .Rdtsc = true,
          .AnalogJoystick = true,
          .ScanLines = true};
}

class WindowsPlay : public testing::Test {
 protected:
  WindowsPlay() { fs::copy_file(StandinPath(), dir / "corvanta.exe"); }

  std::optional<TPlayResult> Play() { return PlayGame(SomeOptions(), SettingsFilePath()); }
  std::vector<nlohmann::json> Log() const { return ReadJsonLines(dir / "standin.log"); }

  TempDir dir;
  ScopedCurrentDirectory inDir{dir.Path()};
  ScopedEnvironmentVariable log{"CORVANTA_STANDIN_LOG", "standin.log"};
};

TEST_F(WindowsPlay, TheEmulatorGetsTheComposedTextAndTheStoredSettings) {
  const auto result = Play();
  ASSERT_TRUE(result.has_value());
  EXPECT_FALSE(result->StartFailure.has_value()) << result->StartFailure->Reason;
  const auto log = Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0]["command_line"], "corvanta PASSSHTB    -r 44100 -rx 640 -ry 480 -frame 5 -joy");
  EXPECT_EQ(log[0]["cwd"], dir.Path().string());
  const nlohmann::json stored = {{"sound.soundcard", "7"}, {"sound.old2151", "0"},
                                 {"screen.vsync", "0"},    {"general.rdtsc", "1"},
                                 {"screen.eagle", "0"},    {"screen.scanlines", "1"}};
  EXPECT_EQ(log[0]["settings"], stored);
  // The stand-in stored its rate and width; the reload shows them.
  EXPECT_EQ(result->Settings.SampleRate, 44100);
  EXPECT_EQ(result->Settings.XRes, 640);
  EXPECT_EQ(result->Settings.SoundCard, 7);
}

TEST_F(WindowsPlay, TheReloadCarriesWhatTheEmulatorChanged) {
  ScopedEnvironmentVariable changes{"CORVANTA_STANDIN_SET", "sound.soundcard=2;screen.scanlines=0"};
  const auto result = Play();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Settings.SoundCard, 2);
  EXPECT_EQ(result->Settings.ScanLines, 0);
}

TEST_F(WindowsPlay, WithoutAnEmulatorThePlayGoesOnWithTheReload) {
  fs::remove(dir / "corvanta.exe");
  const auto result = Play();
  ASSERT_TRUE(result.has_value());
  ASSERT_TRUE(result->StartFailure.has_value());
  EXPECT_FALSE(result->StartFailure->Reason.empty());
  EXPECT_EQ(result->Settings.SoundCard, 7);       // the store happened
  EXPECT_EQ(result->Settings.SampleRate, 22050);  // and nobody wrote the rate
  EXPECT_TRUE(Log().empty());
}

TEST_F(WindowsPlay, ARefusedStoreEndsThePlayBeforeTheEmulatorStarts) {
  const std::string before = "[sound]\r\nsoundcard=5\r\n";
  WriteFile(dir / "corvanta.ini", before);
  HANDLE held = CreateFileA((dir / "corvanta.ini").string().c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(Play(), Exception);
  CloseHandle(held);
  EXPECT_EQ(ReadFile(dir / "corvanta.ini"), before);
  EXPECT_TRUE(Log().empty());
}

TEST_F(WindowsPlay, PlaysHoldNoHandle) {
  ASSERT_TRUE(Play().has_value());  // the first run's one-time allocations
  DWORD before = 0, after = 0;
  GetProcessHandleCount(GetCurrentProcess(), &before);
  for (int play = 0; play < 20; ++play) ASSERT_TRUE(Play().has_value());
  GetProcessHandleCount(GetCurrentProcess(), &after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(Log().size(), 21u);
}

}  // namespace
