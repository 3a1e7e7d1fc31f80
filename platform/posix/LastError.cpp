#include "platform/posix/Win32ApiPosix.h"

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
