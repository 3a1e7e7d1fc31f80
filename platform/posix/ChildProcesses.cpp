#include "platform/posix/ChildProcesses.h"

#include <sys/wait.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace platform_posix {

namespace {

std::mutex tableLock;
std::unordered_map<std::uintptr_t, std::shared_ptr<TChildProcess>> openHandles;
std::vector<pid_t> orphans;
// Spaced like Windows handles; never zero, never reused.
std::uintptr_t lastHandle = 0;

HANDLE NewHandleLocked(const std::shared_ptr<TChildProcess>& child) {
  lastHandle += 4;
  openHandles.emplace(lastHandle, child);
  ++child->OpenHandles;
  return reinterpret_cast<HANDLE>(lastHandle);
}

// True when the child has been reaped now or no longer exists as our child.
bool TryReap(pid_t pid) {
  int status = 0;
  pid_t result;
  do {
    result = waitpid(pid, &status, WNOHANG);
  } while (result == -1 && errno == EINTR);
  return result == pid || (result == -1 && errno == ECHILD);
}

void ReapOrphansLocked() {
  std::erase_if(orphans, TryReap);
}

}  // namespace

TChildHandles RegisterChild(pid_t pid) {
  auto child = std::make_shared<TChildProcess>();
  child->Pid = pid;
  std::lock_guard lock(tableLock);
  const HANDLE process = NewHandleLocked(child);
  const HANDLE thread = NewHandleLocked(child);
  return {process, thread};
}

std::shared_ptr<TChildProcess> FindChild(HANDLE handle) {
  std::lock_guard lock(tableLock);
  const auto found = openHandles.find(reinterpret_cast<std::uintptr_t>(handle));
  return found == openHandles.end() ? nullptr : found->second;
}

bool IsReaped(const TChildProcess& child) {
  std::lock_guard lock(tableLock);
  return child.Reaped;
}

void MarkReaped(TChildProcess& child) {
  std::lock_guard lock(tableLock);
  child.Reaped = true;
}

bool ReleaseHandle(HANDLE handle) {
  const int savedErrno = errno;
  std::lock_guard lock(tableLock);
  const auto found = openHandles.find(reinterpret_cast<std::uintptr_t>(handle));
  if (found == openHandles.end()) return false;
  const std::shared_ptr<TChildProcess> child = std::move(found->second);
  openHandles.erase(found);
  // No handle is left through which anyone could wait for the child.
  if (--child->OpenHandles == 0 && !child->Reaped) {
    child->Reaped = TryReap(child->Pid);
    if (!child->Reaped) orphans.push_back(child->Pid);
  }
  ReapOrphansLocked();
  errno = savedErrno;
  return true;
}

void ReapOrphans() {
  const int savedErrno = errno;
  std::lock_guard lock(tableLock);
  ReapOrphansLocked();
  errno = savedErrno;
}

std::size_t OpenHandleCount() {
  std::lock_guard lock(tableLock);
  return openHandles.size();
}

}  // namespace platform_posix
