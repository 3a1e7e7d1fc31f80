#pragma once

#include <map>
#include <optional>
#include <string>

#include "tests/support/RunProgram.h"

namespace testing_support {

// Starts `application` (a path; or, when empty, whatever the system's search finds for the first
// word of `commandLine`) with exactly `commandLine` as its command line, in `directory`, with the
// test's environment plus `extraEnv`, and waits for its end. An empty result when nothing could
// be started.
std::optional<TProgramEnd> RunCommandLine(const std::string& application,
                                          const std::string& commandLine,
                                          const std::string& directory,
                                          const std::map<std::string, std::string>& extraEnv = {});

}  // namespace testing_support
