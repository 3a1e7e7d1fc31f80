#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace testing_support {

// Sets an environment variable (or unsets it, given nothing) until the end of the scope, then
// puts back what was there.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(std::string name, const std::optional<std::string>& value)
      : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) previous_ = old;
    Apply(value);
  }
  ~ScopedEnvironmentVariable() { Apply(previous_); }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  void Apply(const std::optional<std::string>& value) {
    if (value)
      setenv(name_.c_str(), value->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace testing_support
