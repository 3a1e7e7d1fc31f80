// One Play against the stand-in emulator, beside a bare posix_spawn + waitpid of the same
// stand-in with the same arguments in the same folder: the difference is what the Play adds
// (the stores, the search, the handle table, the reload) to the cost of running the emulator.
//
// The stand-in ends at once and keeps no log. BM_PlayAgainstBareSpawn runs both in turns within
// one loop and gives the ratio of their medians: on a shared machine that is the figure to
// trust, since the load cannot change between the two. The others run each part on its own,
// with cpu_us, the processor time of the launcher and its children together per iteration.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "launch/PlayAction.h"
#include "platform/posix/CommandLineArgs.h"
#include "settings/SettingsFile.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

TLaunchOptions BenchOptions() {
  return {.GameIndex = 0,
          .SoundCard = 3,
          .SampleRateIndex = 1,
          .SoundEngine = 0,
          .ResolutionIndex = 0,
          .SkipFrameIndex = 0,
          .Rdtsc = true};
}

// A folder like the emulator's: the stand-in under the emulator's name, and the settings file.
class TEmulatorFolder {
 public:
  TEmulatorFolder() {
    std::string pattern = (fs::temp_directory_path() / "corvanta-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    fs::create_symlink(CORVANTA_STANDIN_PATH, path_ / "corvanta");
    previous_ = fs::current_path();
    fs::current_path(path_);
    unsetenv("CORVANTA_STANDIN_LOG");
  }
  ~TEmulatorFolder() {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_, previous_;
};

double ProcessorSeconds() {
  double seconds = 0;
  for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    for (const timeval& time : {usage.ru_utime, usage.ru_stime})
      seconds += static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
  }
  return seconds;
}

// Processor time of this process and its reaped children over the benchmark's loop.
class TProcessorTime {
 public:
  explicit TProcessorTime(benchmark::State& state) : state_(state), start_(ProcessorSeconds()) {}
  ~TProcessorTime() {
    state_.counters["cpu_us"] =
        benchmark::Counter((ProcessorSeconds() - start_) * 1e6, benchmark::Counter::kAvgIterations);
  }

 private:
  benchmark::State& state_;
  double start_;
};

// The stand-in started as plainly as POSIX allows: its path, the Play's arguments, no search,
// no file actions, no handles.
class TBareSpawn {
 public:
  explicit TBareSpawn(const TEmulatorFolder& folder)
      : program_((folder.Path() / "corvanta").string()),
        arguments_(platform_posix::SplitCommandLine(BuildCommandLine(BenchOptions())->View())) {
    for (std::string& argument : arguments_) argv_.push_back(argument.data());
    argv_.push_back(nullptr);
  }
  bool Run() {
    pid_t pid = 0;
    if (posix_spawn(&pid, program_.c_str(), nullptr, nullptr, argv_.data(), environ) != 0)
      return false;
    int status = 0;
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
    }
    return true;
  }

 private:
  std::string program_;
  std::vector<std::string> arguments_;
  std::vector<char*> argv_;
};

void BM_BareSpawnAndWait(benchmark::State& state) {
  TEmulatorFolder folder;
  TBareSpawn bare(folder);
  TProcessorTime processorTime(state);
  for (auto _ : state) {
    if (!bare.Run()) {
      state.SkipWithError("posix_spawn failed");
      break;
    }
  }
}
BENCHMARK(BM_BareSpawnAndWait)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_PlayGame(benchmark::State& state) {
  TEmulatorFolder folder;
  const TLaunchOptions options = BenchOptions();
  TProcessorTime processorTime(state);
  for (auto _ : state) {
    const auto result = PlayGame(options, SettingsFilePath());
    if (!result || result->StartFailure) {
      state.SkipWithError("the emulator did not run");
      break;
    }
    benchmark::DoNotOptimize(result->Settings);
  }
}
BENCHMARK(BM_PlayGame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The two parts of a Play apart: the process services alone, and the stores with the reload.
void BM_RunEmulatorAndWait(benchmark::State& state) {
  TEmulatorFolder folder;
  const TCommandLine commandLine = *BuildCommandLine(BenchOptions());
  TProcessorTime processorTime(state);
  for (auto _ : state) {
    if (RunEmulatorAndWait(commandLine)) {
      state.SkipWithError("the emulator did not run");
      break;
    }
  }
}
BENCHMARK(BM_RunEmulatorAndWait)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_StoreAndReload(benchmark::State& state) {
  TEmulatorFolder folder;
  const TLaunchOptions options = BenchOptions();
  TProcessorTime processorTime(state);
  for (auto _ : state) {
    TIniFile settings(SettingsFilePath());
    SaveSettings(settings, options);
    benchmark::DoNotOptimize(LoadSettings(settings));
  }
}
BENCHMARK(BM_StoreAndReload)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Both side by side in every iteration, in turns, so that a change of machine load between one
// benchmark and the next cannot tip the comparison: the counters give the median time of each
// and the ratio of the medians. Argument 0: every Play stores the values the file holds already
// (the usual Play, nothing is written); 1: every Play changes the sound card, so one store replaces
// the file.
void BM_PlayAgainstBareSpawn(benchmark::State& state) {
  TEmulatorFolder folder;
  TLaunchOptions options = BenchOptions();
  const bool changeEveryPlay = state.range(0) == 1;
  TBareSpawn bareSpawn(folder);
  const auto bare = [&] { return bareSpawn.Run(); };
  const auto play = [&] {
    if (changeEveryPlay) options.SoundCard = options.SoundCard == 3 ? 4 : 3;
    const auto result = PlayGame(options, SettingsFilePath());
    return result && !result->StartFailure;
  };
  const auto timed = [](auto&& action, std::vector<double>& times) {
    const auto start = std::chrono::steady_clock::now();
    const bool ran = action();
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
    return ran;
  };
  std::vector<double> playTimes, bareTimes;
  bool playFirst = true;
  for (auto _ : state) {
    const bool ran = playFirst ? timed(play, playTimes) && timed(bare, bareTimes)
                               : timed(bare, bareTimes) && timed(play, playTimes);
    if (!ran) {
      state.SkipWithError("the emulator did not run");
      return;
    }
    playFirst = !playFirst;
  }
  const auto median = [](std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2),
                     times.end());
    return times[times.size() / 2];
  };
  const double playMedian = median(playTimes), bareMedian = median(bareTimes);
  state.counters["play_us"] = playMedian;
  state.counters["bare_us"] = bareMedian;
  state.counters["ratio"] = playMedian / bareMedian;
}
BENCHMARK(BM_PlayAgainstBareSpawn)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
