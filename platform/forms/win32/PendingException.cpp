#include "platform/forms/win32/PendingException.h"

namespace forms::win32 {
namespace {
std::exception_ptr pending;
}

void KeepPendingException(std::exception_ptr error) {
  if (!pending) pending = std::move(error);
}

void RaisePendingException() {
  if (!pending) return;
  std::exception_ptr error = std::move(pending);
  pending = nullptr;
  std::rethrow_exception(error);
}

}  // namespace forms::win32
