#pragma once

// Changes to the test process's own state that undo themselves: an environment variable, the
// current directory, and a temporary directory that is removed with everything in it.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace test_support {

class TScopedEnvironmentVariable {
 public:
  // Sets `name` to `value`, or unsets it when `value` is empty.
  TScopedEnvironmentVariable(std::string name, const std::optional<std::string>& value)
      : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) old_ = old;
    Apply(value);
  }
  ~TScopedEnvironmentVariable() { Apply(old_); }
  TScopedEnvironmentVariable(const TScopedEnvironmentVariable&) = delete;
  TScopedEnvironmentVariable& operator=(const TScopedEnvironmentVariable&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) {
    if (value)
      setenv(name_.c_str(), value->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  std::string name_;
  std::optional<std::string> old_;
};

class TScopedWorkingDirectory {
 public:
  explicit TScopedWorkingDirectory(const std::filesystem::path& directory)
      : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  ~TScopedWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(old_, ignored);
  }
  TScopedWorkingDirectory(const TScopedWorkingDirectory&) = delete;
  TScopedWorkingDirectory& operator=(const TScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path old_;
};

class TTemporaryDirectory {
 public:
  TTemporaryDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvanta-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TTemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTemporaryDirectory(const TTemporaryDirectory&) = delete;
  TTemporaryDirectory& operator=(const TTemporaryDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace test_support
