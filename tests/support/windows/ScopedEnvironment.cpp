#include "tests/support/ScopedEnvironment.h"

#include <windows.h>

namespace testing_support {

// The process's environment block, which CreateProcess hands to a child started without one of
// its own; the C run time's copy is not what a child sees.
std::optional<std::string> ScopedEnvironmentVariable::Read(const std::string& name) {
  const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::string value(size, '\0');
  const DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

void ScopedEnvironmentVariable::Apply(const std::string& name,
                                      const std::optional<std::string>& value) {
  SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
}

}  // namespace testing_support
