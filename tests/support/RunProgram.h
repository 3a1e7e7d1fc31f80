#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct TProgramEnd {
  std::optional<int> ExitCode;  // set when the program exited
  std::optional<int> Signal;    // set when a signal ended it
  std::string Stderr;
};

// Runs `argv` (argv[0] a path) in `directory` with the test's environment plus `extraEnv`, and
// waits for its end. The program inherits 0, 1, 2 and the descriptors in `inherited` only.
TProgramEnd RunProgram(const std::vector<std::string>& argv, const std::string& directory,
                       const std::map<std::string, std::string>& extraEnv = {},
                       const std::vector<int>& inherited = {});

}  // namespace testing_support
