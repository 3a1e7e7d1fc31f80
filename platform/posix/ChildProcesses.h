#pragma once

#include <sys/types.h>

#include <cstddef>
#include <memory>

#include "platform/posix/Win32ApiPosix.h"

// The handles given out for started children, kept apart from the API functions that use them.
//
// A child's process handle and thread handle both refer to the same record (a POSIX child has no
// separate handle for its first thread). Handles are numbers that are never reused, so a handle
// closed twice or made up is refused rather than taken for another child.
//
// A child whose handles are all closed before anyone reaped it is reaped at once if it has
// ended; otherwise it is remembered and reaped by a later call into the process services (or by
// init, should the program end first), so that closing a handle early never leaves a zombie
// behind for good. Only the children started here are ever reaped: nothing waits for "any child".
//
// The table is locked, but a child is meant to be waited for by one thread at a time, as the
// launcher's single thread does.
namespace platform_posix {

struct TChildProcess {
  pid_t Pid = 0;
  // Both guarded by the table's lock.
  bool Reaped = false;
  int OpenHandles = 0;
};

struct TChildHandles {
  HANDLE Process;
  HANDLE Thread;
};

TChildHandles RegisterChild(pid_t pid);

// The child behind an open handle; empty for any other value.
std::shared_ptr<TChildProcess> FindChild(HANDLE handle);

bool IsReaped(const TChildProcess& child);
void MarkReaped(TChildProcess& child);

// Releases a handle; false when it is not open.
bool ReleaseHandle(HANDLE handle);

// Reaps the remembered children that have ended meanwhile.
void ReapOrphans();

// How many handles are open: what a caller that forgets CloseHandle leaves behind.
std::size_t OpenHandleCount();

}  // namespace platform_posix
