#pragma once

#include <functional>
#include <string>

#include "platform/sysutils.h"

namespace testing_support {

// The message of the Exception that `action` raises, or "<no exception>" when it raises none, so
// that a comparison with the expected message fails and says why.
inline std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "<no exception>";
}

}  // namespace testing_support
