#include <cstring>

#include "platform/SystemError.h"

// The last-error value is an errno value here.
std::string SystemErrorMessage(DWORD code) {
  return std::strerror(static_cast<int>(code));
}
