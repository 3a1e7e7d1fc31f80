#pragma once

// What a process holds that a leak would show: its open descriptors and its child processes,
// running or ended but not reaped (zombies). Read from /proc, without changing anything.

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "emulator/standin/ProcessFacts.h"

namespace testing_support {

// The descriptor numbers this process has open, counted as the stand-in emulator counts its own.
using standin::OpenDescriptors;

struct TChildState {
  pid_t Pid;
  char State;  // 'Z' for a zombie
};

// The children of this process, from the parent field of every /proc/<pid>/stat.
inline std::vector<TChildState> ChildProcesses() {
  std::vector<TChildState> children;
  const pid_t self = getpid();
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return children;
  while (const dirent* entry = readdir(proc)) {
    const pid_t pid = std::atoi(entry->d_name);
    if (pid <= 0) continue;
    std::ifstream file("/proc/" + std::string(entry->d_name) + "/stat");
    std::string line;
    if (!std::getline(file, line)) continue;  // gone meanwhile
    // "pid (name) S ppid ...": the name may hold blanks and parentheses, so read after the last.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    char state = 0;
    pid_t parent = 0;
    if (rest >> state >> parent && parent == self) children.push_back({pid, state});
  }
  closedir(proc);
  return children;
}

// The state letter of one process ('Z' zombie, 'R'/'S' alive); 0 when it no longer exists.
inline char ProcessState(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(file, line)) return 0;
  const std::size_t close = line.rfind(')');
  return close == std::string::npos || close + 2 >= line.size() ? 0 : line[close + 2];
}

}  // namespace testing_support
