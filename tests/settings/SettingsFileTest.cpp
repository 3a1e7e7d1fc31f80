#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/sysutils.h"
#include "platform/win32api.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/TestFiles.h"

namespace {

using testing_support::MessageOf;
using testing_support::ReadFile;
using testing_support::WriteFile;

// The message of a refused store: the path, the words, and the system's reason.
std::string Refused(const std::string& path, const std::string& reason) {
  return path + " に書き込めません: " + reason;
}

struct Stored {
  std::int32_t soundCard = 0;
  std::int32_t soundEngine = 0;
  bool vsync = false;
  bool rdtsc = true;
  bool eagle = false;
  bool scanLines = false;
};

// The settings file takes these six and nothing else of the window's options.
TLaunchOptions Options(const Stored& stored) {
  return {.SoundCard = stored.soundCard,
          .SoundEngine = stored.soundEngine,
          .Vsync = stored.vsync,
          .Rdtsc = stored.rdtsc,
          .Eagle = stored.eagle,
          .ScanLines = stored.scanLines};
}

class SettingsFile : public testing::Test {
 protected:
  testing_support::TempDir directory;
  std::string path = (directory / "corvanta.ini").string();

  void Save(const Stored& stored) {
    TIniFile settings(path);
    SaveSettings(settings, Options(stored));
  }
  TSettingsValues Load() const { return LoadSettings(TIniFile(path)); }
};

TEST_F(SettingsFile, WithoutAFileLoadGivesTheDefaultsAndCreatesNothing) {
  const TSettingsValues values = Load();
  EXPECT_EQ(values.SoundCard, 0);
  EXPECT_EQ(values.SampleRate, 22050);
  EXPECT_EQ(values.Old2151, 0);
  EXPECT_EQ(values.XRes, 320);
  EXPECT_EQ(values.ScanLines, 0);
  EXPECT_EQ(values.Eagle, 0);
  EXPECT_EQ(values.Vsync, 0);
  EXPECT_EQ(values.Rdtsc, 1);
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A new section is appended right after the last line, without a blank line before it, as the
// Windows profile services do; so a first store writes three sections back to back.
TEST_F(SettingsFile, AFirstStoreCreatesTheFileInTheOrderOfTheWrites) {
  Save({.soundCard = 0, .soundEngine = 0, .vsync = false, .rdtsc = true});
  EXPECT_EQ(ReadFile(path),
            "[sound]\nsoundcard=0\nold2151=0\n[screen]\nvsync=0\neagle=0\nscanlines=0\n"
            "[general]\nrdtsc=1\n");
  const TSettingsValues values = Load();
  EXPECT_EQ(values, TSettingsValues{});
}

TEST_F(SettingsFile, NoSoundEngineChoiceLeavesOld2151Alone) {
  Save({.soundCard = -1,
        .soundEngine = -1,
        .vsync = true,
        .rdtsc = false,
        .eagle = true,
        .scanLines = true});
  EXPECT_EQ(ReadFile(path),
            "[sound]\nsoundcard=-1\n[screen]\nvsync=1\neagle=1\nscanlines=1\n[general]\nrdtsc=0\n");

  WriteFile(path, "[sound]\nold2151=1\n");
  Save({.soundEngine = -1});
  EXPECT_EQ(Load().Old2151, 1);
  Save({.soundEngine = 0});
  EXPECT_EQ(Load().Old2151, 0);
  Save({.soundEngine = 1});
  EXPECT_EQ(Load().Old2151, 1);
}

TEST_F(SettingsFile, NamesInAnotherCaseAreReplacedWhereTheyStand) {
  WriteFile(path, "[Sound]\nSoundCard=3\n[SCREEN]\nVsync=1\n");
  EXPECT_EQ(Load().SoundCard, 3);
  EXPECT_EQ(Load().Vsync, 1);
  Save({.soundCard = 5, .soundEngine = -1});
  EXPECT_EQ(ReadFile(path),
            "[Sound]\nSoundCard=5\n[SCREEN]\nVsync=0\neagle=0\nscanlines=0\n[general]\nrdtsc=1\n");
}

TEST_F(SettingsFile, EachKeyThatDoesNotConvertFallsBackAlone) {
  WriteFile(path,
            "[sound]\nsoundcard=12a\nsamplerate=48000\nold2151=x1\n"
            "[screen]\nxres=$280\nscanlines=-2147483648\neagle=0x10\nvsync=7\n"
            "[general]\nrdtsc=\n");
  const TSettingsValues values = Load();
  EXPECT_EQ(values.SoundCard, 0);
  EXPECT_EQ(values.SampleRate, 48000);
  EXPECT_EQ(values.Old2151, 1);
  EXPECT_EQ(values.XRes, 640);
  EXPECT_EQ(values.ScanLines, 0);
  EXPECT_EQ(values.Eagle, 16);
  EXPECT_EQ(values.Vsync, 7);
  EXPECT_EQ(values.Rdtsc, 1);
}

// The file as the emulator keeps it, with the launcher's six values in their places.
std::string EmulatorFile(const Stored& stored, std::int32_t old2151, std::string_view lineEnd) {
  const auto flag = [](bool on) { return on ? "1" : "0"; };
  std::string text = "\xEF\xBB\xBF; corvanta settings\n\n[General]\nlanguage = en\nrdtsc=" +
                     std::string(flag(stored.rdtsc)) +
                     "\n\n[sound]\nSoundCard  =  " + std::to_string(stored.soundCard) +
                     "\nsamplerate=44100\nOLD2151=" + std::to_string(old2151) +
                     "\nvolume=80 ; loud\n\n; the screen follows\n[screen]\nxres=640\n"
                     "vsync=" +
                     flag(stored.vsync) + "\n  eagle = " + flag(stored.eagle) +
                     "\nscanlines=" + flag(stored.scanLines) +
                     "\nfilter=\"soft\"\n\n[input]\njoy1=0x1F\n; no keys below\nlast line";
  std::string result;
  for (char c : text) {
    if (c == '\n')
      result.append(lineEnd);
    else
      result.push_back(c);
  }
  return result;
}

TEST_F(SettingsFile, TheEmulatorsLinesStayByteForByteThroughManyStores) {
  for (std::string_view lineEnd : {"\n", "\r\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(lineEnd)));
    std::int32_t old2151 = 1;
    WriteFile(path, EmulatorFile({.soundCard = 2, .vsync = true}, old2151, lineEnd));
    for (int round = 0; round < 40; ++round) {
      const Stored stored{.soundCard = round % 9 - 1,
                          .soundEngine = round % 3 - 1,
                          .vsync = round % 2 == 0,
                          .rdtsc = round % 3 == 0,
                          .eagle = round % 5 < 2,
                          .scanLines = round % 7 < 3};
      Save(stored);
      if (stored.soundEngine >= 0) old2151 = stored.soundEngine;
      ASSERT_EQ(ReadFile(path), EmulatorFile(stored, old2151, lineEnd)) << "round " << round;
    }
  }
}

TEST_F(SettingsFile, AReloadSeesWhatTheEmulatorStored) {
  Save({.soundCard = 1});
  TIniFile settings(path);
  // The emulator writes through the same profile services while the launcher waits.
  ASSERT_TRUE(WritePrivateProfileStringA("sound", "samplerate", "11025", path.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("screen", "xres", "400", path.c_str()));
  const TSettingsValues values = LoadSettings(settings);
  EXPECT_EQ(values.SampleRate, 11025);
  EXPECT_EQ(values.XRes, 400);
  EXPECT_EQ(values.SoundCard, 1);
}

TEST_F(SettingsFile, AReadOnlyFileFailsAtTheFirstWriteAndStaysAsItIs) {
  const std::string before = "[sound]\nsoundcard=4\n";
  WriteFile(path, before);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(MessageOf([&] { Save({.soundCard = 4}); }), Refused(path, "Permission denied"));
  EXPECT_EQ(ReadFile(path), before);
}

TEST_F(SettingsFile, APathThatIsADirectoryLoadsDefaultsAndRefusesTheStore) {
  std::filesystem::create_directory(path);
  WriteFile((directory / "corvanta.ini/inside").string(), "[sound]\nsoundcard=3\n");
  EXPECT_EQ(Load(), TSettingsValues{});
  EXPECT_EQ(MessageOf([&] { Save({}); }), Refused(path, "Is a directory"));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

// Each refusal says why, in the system's words, and leaves the file as it was.
TEST_F(SettingsFile, ARefusedStoreGivesTheSystemsReason) {
  struct Refusal {
    const char* name;
    std::function<bool(const std::string&)> prepare;  // false: cannot be made here
    std::string reason;
    std::int32_t loaded = 0;  // the sound card a load finds
    std::function<void(const std::string&)> undo = [](const std::string&) {};
    // Needs what not every file system or user has (the immutable flag: root, and a file
    // system that keeps it); where it cannot be made, the case says so and is left out.
    bool needsPrivilege = false;
  };
  const std::string before = "[sound]\nsoundcard=4\n";
  const auto setImmutable = [](const std::string& file, bool on) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    const bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                      (flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL,
                       ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (fd >= 0) ::close(fd);
    return done;
  };
  const Refusal refusals[] = {
      {"a FIFO", [](const std::string& file) { return ::mkfifo(file.c_str(), 0666) == 0; },
       "Invalid argument"},
      {"an immutable file",
       [&](const std::string& file) {
         WriteFile(file, before);
         return setImmutable(file, true);
       },
       "Operation not permitted", 4, [&](const std::string& file) { setImmutable(file, false); },
       true},
      {"a sparse file of 64 GiB",
       [&](const std::string& file) {
         WriteFile(file, before);
         return ::truncate(file.c_str(), off_t{64} << 30) == 0;
       },
       "File too large"},
      {"a file in a missing folder", [](const std::string&) { return true; },
       "No such file or directory"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    const std::string file =
        (directory /
         (refusal.reason == "No such file or directory" ? "gone/corvanta.ini" : refusal.name))
            .string();
    if (!refusal.prepare(file)) {
      const std::string why = std::strerror(errno);
      if (refusal.needsPrivilege && (errno == EPERM || errno == ENOTTY || errno == EOPNOTSUPP)) {
        std::cout << "[   SKIP   ] " << refusal.name << ": cannot be made here (" << why << ")\n";
        continue;
      }
      ADD_FAILURE() << "cannot make " << refusal.name << ": " << why;
      continue;
    }
    const bool small =
        std::filesystem::is_regular_file(file) && std::filesystem::file_size(file) < 4096;
    const std::string content = small ? ReadFile(file) : "";
    TIniFile settings(file);
    EXPECT_EQ(LoadSettings(settings).SoundCard, refusal.loaded);
    EXPECT_EQ(MessageOf([&] { SaveSettings(settings, Options({.soundCard = 5})); }),
              Refused(file, refusal.reason));
    if (small) {
      EXPECT_EQ(ReadFile(file), content);
    } else if (std::filesystem::is_regular_file(file)) {
      EXPECT_EQ(std::filesystem::file_size(file), std::uintmax_t{64} << 30);
    }
    refusal.undo(file);
  }
}

TEST_F(SettingsFile, ASymlinkedFileIsStoredThroughTheLink) {
  WriteFile((directory / "shared.ini").string(), "[sound]\nsoundcard=4\n");
  ASSERT_EQ(::symlink("shared.ini", path.c_str()), 0);
  Save({.soundCard = 6, .soundEngine = -1});
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadFile((directory / "shared.ini").string()),
            "[sound]\nsoundcard=6\n[screen]\nvsync=0\neagle=0\nscanlines=0\n[general]\nrdtsc=1\n");
  EXPECT_EQ(Load().SoundCard, 6);
}

// A folder that refuses writes even to root: a read-only file system, mounted in a mount
// namespace of this process alone so that nothing outside sees it.
class ReadOnlyFolder : public SettingsFile {
 protected:
  void SetUp() override {
    const std::string folder = directory.Path().string();
    if (::unshare(CLONE_NEWNS) != 0)
      GTEST_SKIP() << "cannot make a mount namespace (" << std::strerror(errno)
                   << "): a folder that refuses root cannot be made here";
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("corvanta-test", folder.c_str(), "tmpfs", 0, "size=64k,mode=0777") != 0)
      GTEST_SKIP() << "cannot mount a file system (" << std::strerror(errno)
                   << "): a folder that refuses root cannot be made here";
    mounted_ = true;
    WriteFile(path, kept);
    ASSERT_EQ(::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
  }
  void TearDown() override {
    if (mounted_) ::umount2(directory.Path().c_str(), MNT_DETACH);
  }

  const std::string kept = "[sound]\nsoundcard=2\n";

 private:
  bool mounted_ = false;
};

TEST_F(ReadOnlyFolder, RefusesTheStoreAndKeepsTheFile) {
  EXPECT_EQ(MessageOf([&] { Save({.soundCard = 2}); }), Refused(path, "Read-only file system"));
  EXPECT_EQ(ReadFile(path), kept);
  EXPECT_EQ(Load().SoundCard, 2);
}

TEST_F(ReadOnlyFolder, RefusesToCreateTheFile) {
  const std::string missing = (directory / "new.ini").string();
  TIniFile settings(missing);
  EXPECT_EQ(MessageOf([&] { SaveSettings(settings, Options({})); }),
            Refused(missing, "Read-only file system"));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
