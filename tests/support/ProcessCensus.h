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

// The fields of /proc/<pid>/stat after the process's name ("pid (name) S ppid ..."): the name
// may hold blanks and parentheses, so they start after the last ')'. Empty when the process is
// gone.
inline std::string StatFieldsAfterName(const std::string& pid) {
  std::ifstream file("/proc/" + pid + "/stat");
  std::string line;
  if (!std::getline(file, line)) return {};
  const std::size_t close = line.rfind(')');
  return close == std::string::npos ? std::string() : line.substr(close + 1);
}

// The children of this process, from the parent field of every /proc/<pid>/stat.
inline std::vector<TChildState> ChildProcesses() {
  std::vector<TChildState> children;
  const pid_t self = getpid();
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return children;
  while (const dirent* entry = readdir(proc)) {
    const pid_t pid = std::atoi(entry->d_name);
    if (pid <= 0) continue;
    std::istringstream fields(StatFieldsAfterName(entry->d_name));
    char state = 0;
    pid_t parent = 0;
    if (fields >> state >> parent && parent == self) children.push_back({pid, state});
  }
  closedir(proc);
  return children;
}

// The state letter of one process ('Z' zombie, 'R'/'S' alive); 0 when it no longer exists.
inline char ProcessState(pid_t pid) {
  std::istringstream fields(StatFieldsAfterName(std::to_string(pid)));
  char state = 0;
  return fields >> state ? state : 0;
}

}  // namespace testing_support
