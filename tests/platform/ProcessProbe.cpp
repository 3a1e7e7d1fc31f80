// A child for the process tests. It reports what it was given, one fact a line, into the file
// named by its first argument ("-": report nothing):
//   arg <text>     every argument, argv[0] first
//   cwd <path>     its working directory
//   env <text>     the value of PROCESS_PROBE_VALUE, or "(unset)"
//   fd <n>         every open descriptor
//   sigign <hex>   the signals it ignores, sigblk <hex> those it blocks (from /proc/self/status)
//   end            written last, after any waiting, so a reader knows the child ran to its end
// --wait-for=PATH holds the child until that file exists (or its folder is gone); --exit=N ends
// with that code; --raise ends by SIGKILL after the report.

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/support/ProcessCensus.h"

int main(int argc, char** argv) {
  const std::vector<int> descriptors = testing_support::OpenDescriptors();
  int exitCode = 0;
  bool raise = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.starts_with("--wait-for=")) {
      // Gives up when the file's folder is gone: its test has ended, and no probe outlives it.
      const std::filesystem::path release(argv[i] + 11);
      while (!std::filesystem::exists(release) && std::filesystem::exists(release.parent_path()))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } else if (argument.starts_with("--exit="))
      exitCode = std::atoi(argv[i] + 7);
    else if (argument == "--raise")
      raise = true;
  }
  if (argc > 1 && std::string_view(argv[1]) != "-") {
    std::ofstream report(argv[1]);
    for (int i = 0; i < argc; ++i) report << "arg " << argv[i] << '\n';
    std::vector<char> cwd(4096);
    report << "cwd " << (getcwd(cwd.data(), cwd.size()) ? cwd.data() : "(unknown)") << '\n';
    const char* value = std::getenv("PROCESS_PROBE_VALUE");
    report << "env " << (value ? value : "(unset)") << '\n';
    for (int fd : descriptors) report << "fd " << fd << '\n';
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
      if (line.starts_with("SigIgn:"))
        report << "sigign " << line.substr(line.find_last_of(" \t") + 1) << '\n';
      if (line.starts_with("SigBlk:"))
        report << "sigblk " << line.substr(line.find_last_of(" \t") + 1) << '\n';
    }
    report << "end\n";
  }
  if (raise) kill(getpid(), SIGKILL);
  return exitCode;
}
