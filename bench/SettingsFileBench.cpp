// The settings file as a Play uses it: the load of the window's start, the store before the
// emulator starts, and one Play's store plus load, on an emulator-sized file (about 300 lines in
// 15 sections) and on a 1 MB one, in the temporary folder (a disk) and in /dev/shm (memory).
//
// A store whose values are already in the file writes nothing, which is the common Play; a
// value that changed (a box the user ticked) replaces the file once, flushed to the disk; all
// six changed replace it six times.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "options/LaunchOptions.h"
#include "settings/SettingsFile.h"

namespace {

namespace fs = std::filesystem;

struct FileShape {
  const char* name;
  int keysPerSection;
};

constexpr FileShape Emulator{"300 lines", 18};
constexpr FileShape Large{"1 MB", 1700};

// Fifteen sections as the emulator keeps them: a comment, its keys, a blank line. The
// launcher's keys stand among the emulator's, at different depths of their sections.
std::string EmulatorFile(const FileShape& shape) {
  const std::array<const char*, 15> sections{
      "general", "paths",   "sound",  "input",     "joystick", "keyboard", "network", "debug",
      "screen",  "palette", "cheats", "savestate", "recent",   "misc",     "video"};
  const std::map<std::string, std::vector<std::pair<int, std::string>>> shared{
      {"general", {{shape.keysPerSection / 2, "rdtsc=1"}}},
      {"sound",
       {{2, "soundcard=2"},
        {shape.keysPerSection / 3, "samplerate=44100"},
        {shape.keysPerSection - 2, "old2151=0"}}},
      {"screen",
       {{1, "xres=640"},
        {shape.keysPerSection / 3, "scanlines=0"},
        {shape.keysPerSection * 2 / 3, "eagle=1"},
        {shape.keysPerSection - 1, "vsync=0"}}},
  };
  std::string text;
  for (const char* section : sections) {
    text.append("; ").append(section).append(" settings of the emulator\n");
    text.append("[").append(section).append("]\n");
    const auto own = shared.find(section);
    for (int key = 0; key < shape.keysPerSection; ++key) {
      bool placed = false;
      if (own != shared.end())
        for (const auto& [at, line] : own->second)
          if (at == key) {
            text.append(line).append("\n");
            placed = true;
          }
      if (!placed)
        text.append(section)
            .append("_option_")
            .append(std::to_string(key))
            .append(" = C:\\EMU\\DATA\\")
            .append(std::to_string(key * 7919 % 1000))
            .append("\n");
    }
    text.append("\n");
  }
  return text;
}

// Unchanged stores what the file holds; OneChanged toggles Vsync between two stores, as a user
// ticking one box does; AllChanged toggles all six values.
enum class Values { Unchanged, OneChanged, AllChanged };

TLaunchOptions Options(Values values, bool alternate) {
  const bool all = values == Values::AllChanged && alternate;
  return {.GameIndex = 10,
          .SoundCard = all ? 6 : 2,
          .SampleRateIndex = 2,
          .SoundEngine = all ? 1 : 0,
          .ResolutionIndex = 2,
          .SkipFrameIndex = 0,
          .Vsync = alternate,
          .Rdtsc = !all,
          .Eagle = !all,
          .ScanLines = all};
}

// A folder holding corvanta.ini of the given shape, the current directory while it lives.
class SettingsFolder {
 public:
  SettingsFolder(const fs::path& parent, const FileShape& shape) : previous_(fs::current_path()) {
    std::string pattern = (parent / "corvanta-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp in " + pattern);
    folder_ = pattern;
    std::ofstream(folder_ / "corvanta.ini", std::ios::binary) << EmulatorFile(shape);
    fs::current_path(folder_);
    path_ = SettingsFilePath();
  }
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;
  ~SettingsFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(folder_, ignored);
  }

  const std::string& Path() const { return path_; }

 private:
  fs::path previous_;
  fs::path folder_;
  std::string path_;
};

void Load(benchmark::State& state, fs::path parent, FileShape shape) {
  SettingsFolder folder(parent, shape);
  for (auto _ : state) {
    const TIniFile settings(folder.Path());
    benchmark::DoNotOptimize(LoadSettings(settings));
  }
}

void Save(benchmark::State& state, fs::path parent, FileShape shape, Values values) {
  SettingsFolder folder(parent, shape);
  bool alternate = false;
  for (auto _ : state) {
    if (values != Values::Unchanged) alternate = !alternate;
    TIniFile settings(folder.Path());
    SaveSettings(settings, Options(values, alternate));
  }
}

// What one Play does with the file: the path, the store, and the load after the emulator ended.
void Play(benchmark::State& state, fs::path parent, FileShape shape, Values values) {
  SettingsFolder folder(parent, shape);
  bool alternate = false;
  for (auto _ : state) {
    if (values != Values::Unchanged) alternate = !alternate;
    TIniFile settings(SettingsFilePath());
    SaveSettings(settings, Options(values, alternate));
    benchmark::DoNotOptimize(LoadSettings(settings));
  }
}

void RegisterAll() {
  std::vector<std::pair<std::string, fs::path>> places{{"disk", fs::temp_directory_path()}};
  if (fs::is_directory("/dev/shm")) places.emplace_back("memory", "/dev/shm");
  for (const auto& [place, parent] : places) {
    for (const FileShape& shape : {Emulator, Large}) {
      const std::string suffix = std::string("/") + shape.name + "/" + place;
      benchmark::RegisterBenchmark(("LoadSettings" + suffix).c_str(), Load, parent, shape)
          ->UseRealTime()
          ->Unit(benchmark::kMicrosecond);
      for (Values values : {Values::Unchanged, Values::OneChanged, Values::AllChanged}) {
        const std::string kind = values == Values::Unchanged    ? "/values unchanged"
                                 : values == Values::OneChanged ? "/one value changed"
                                                                : "/all six changed";
        benchmark::RegisterBenchmark(("SaveSettings" + suffix + kind).c_str(), Save, parent, shape,
                                     values)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("PlayStoreAndLoad" + suffix + kind).c_str(), Play, parent,
                                     shape, values)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
