#include "tests/support/RunProgram.h"

#include "tests/support/ProcessCensus.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace testing_support {

TProgramEnd RunProgram(const std::vector<std::string>& argv, const std::string& directory,
                       const std::map<std::string, std::string>& extraEnv,
                       const std::vector<int>& inherited) {
  std::map<std::string, std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const auto equals = text.find('=');
    if (equals != std::string::npos) environment[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [name, value] : extraEnv) environment[name] = value;
  std::vector<std::string> envText;
  for (const auto& [name, value] : environment) envText.push_back(name + "=" + value);

  std::vector<char*> args, env;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  for (auto& entry : envText) env.push_back(entry.data());
  env.push_back(nullptr);

  std::FILE* errors = std::tmpfile();
  if (errors == nullptr) throw std::runtime_error("tmpfile failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fileno(errors), STDERR_FILENO);
  // The child starts with 0, 1 and 2 and the descriptors the test hands it, nothing more: the
  // test runner's own files (ctest's log, for one) stay out of what the child records.
  for (int descriptor : OpenDescriptors())
    if (descriptor > STDERR_FILENO &&
        std::find(inherited.begin(), inherited.end(), descriptor) == inherited.end())
      posix_spawn_file_actions_addclose(&actions, descriptor);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t child = 0;
  const int spawnError = posix_spawn(&child, args[0], &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) {
    std::fclose(errors);
    throw std::runtime_error("cannot start " + argv[0]);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }

  TProgramEnd end;
  if (WIFEXITED(status)) end.ExitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) end.Signal = WTERMSIG(status);
  std::rewind(errors);
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, errors)) > 0;)
    end.Stderr.append(buffer, n);
  std::fclose(errors);
  return end;
}

}  // namespace testing_support
