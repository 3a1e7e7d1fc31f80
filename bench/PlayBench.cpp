// One Play against the stand-in emulator, beside a bare posix_spawn + waitpid of the same
// stand-in with the same arguments in the same folder: the difference is what the Play adds
// (the stores, the search, the handle table, the reload) to the cost of running the emulator.
//
// The stand-in ends at once and keeps no log. Run with
//   --benchmark_repetitions=30 --benchmark_enable_random_interleaving=true
// so that both see the same machine load. Wall time on a shared machine swings with the load;
// the counter cpu_us (processor time of the launcher and its children together, per iteration)
// swings much less and shows the work each adds.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "launch/PlayAction.h"
#include "platform/posix/command_line_args.h"
#include "settings/SettingsFile.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

TLaunchOptions BenchOptions() {
  TLaunchOptions options;
  options.GameIndex = 0;
  options.SoundCard = 3;
  options.SampleRateIndex = 1;
  options.SoundEngine = 0;
  options.ResolutionIndex = 0;
  options.SkipFrameIndex = 0;
  options.Rdtsc = true;
  return options;
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

void BM_BareSpawnAndWait(benchmark::State& state) {
  TEmulatorFolder folder;
  std::vector<std::string> arguments =
      platform_posix::SplitCommandLine(BuildCommandLine(BenchOptions())->View());
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string program = (folder.Path() / "corvanta").string();
  TProcessorTime processorTime(state);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("posix_spawn failed");
      break;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
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

}  // namespace

BENCHMARK_MAIN();
