#pragma once

#include <optional>
#include <string>

namespace testing_support {

// Sets an environment variable of this process (or unsets it, given nothing) until the end of
// the scope, then puts back what was there. A child process started meanwhile inherits it.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(std::string name, const std::optional<std::string>& value)
      : name_(std::move(name)), previous_(Read(name_)) {
    Apply(name_, value);
  }
  ~ScopedEnvironmentVariable() { Apply(name_, previous_); }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  // Each system's own environment calls, in posix/ and windows/.
  static std::optional<std::string> Read(const std::string& name);
  static void Apply(const std::string& name, const std::optional<std::string>& value);

  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace testing_support
