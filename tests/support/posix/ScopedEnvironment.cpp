#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>

namespace testing_support {

std::optional<std::string> ScopedEnvironmentVariable::Read(const std::string& name) {
  if (const char* value = std::getenv(name.c_str())) return value;
  return std::nullopt;
}

void ScopedEnvironmentVariable::Apply(const std::string& name,
                                      const std::optional<std::string>& value) {
  if (value)
    setenv(name.c_str(), value->c_str(), 1);
  else
    unsetenv(name.c_str());
}

}  // namespace testing_support
