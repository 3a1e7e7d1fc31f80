#include "platform/posix/LastError.h"

namespace {
// Like the Windows last-error value: one per thread, set by the call that failed.
thread_local DWORD lastError = ERROR_SUCCESS;
}  // namespace

DWORD GetLastError() {
  return lastError;
}
void SetLastError(DWORD code) {
  lastError = code;
}

namespace platform_posix {

BOOL Fail(int error) {
  SetLastError(static_cast<DWORD>(error));
  return FALSE;
}

}  // namespace platform_posix
