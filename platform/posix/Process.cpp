// Process creation and wait over posix_spawn and waitpid, for what the launcher asks of them:
// start a program named by the first word of a command line, with the caller's environment and
// current directory, and wait for its end.
//
// Only that call shape is served. An application name, inherited handles, creation flags, an
// environment block, a current directory or start-up flags would each ask for something this
// layer does not do; such a call starts nothing and reports EINVAL rather than quietly doing
// something else. The start-up record is otherwise not read: the child gets the defaults.
//
// The last-error value holds an errno value on failure.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/ChildProcesses.h"
#include "platform/posix/CommandLineArgs.h"
#include "platform/posix/ExecutableSearch.h"
#include "platform/posix/LastError.h"
#include "platform/posix/Win32ApiPosix.h"

extern char** environ;

namespace {

using namespace platform_posix;

bool IsSupportedCall(LPCSTR applicationName, LPSTR commandLine, BOOL inheritHandles,
                     DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                     const STARTUPINFOA* startupInfo, const PROCESS_INFORMATION* processInfo) {
  return applicationName == nullptr && commandLine != nullptr && inheritHandles == FALSE &&
         creationFlags == 0 && environment == nullptr && currentDirectory == nullptr &&
         startupInfo != nullptr && startupInfo->dwFlags == 0 && processInfo != nullptr;
}

// The child keeps descriptors 0, 1 and 2 only: nothing the launcher holds open (the display
// connection, files) leaks into it. Each of the three that the launcher itself lacks (started
// from a desktop entry or a service with them closed) is /dev/null in the child, so that the
// emulator's first open file does not become its standard input or output. Its signal mask is
// empty and every signal has its default action, whatever the launcher blocked or ignored,
// since exec would hand those on.
class TSpawnSetup {
 public:
  TSpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attributes_);
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO && error_ == 0; ++fd)
      if (fcntl(fd, F_GETFD) == -1 && errno == EBADF)
        error_ = posix_spawn_file_actions_addopen(&actions_, fd, "/dev/null", O_RDWR, 0);
    if (error_ == 0)
      error_ = posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    if (error_ == 0) error_ = posix_spawnattr_setsigmask(&attributes_, &none);
    if (error_ == 0) error_ = posix_spawnattr_setsigdefault(&attributes_, &all);
    if (error_ == 0)
      error_ =
          posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~TSpawnSetup() {
    posix_spawnattr_destroy(&attributes_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  TSpawnSetup(const TSpawnSetup&) = delete;
  TSpawnSetup& operator=(const TSpawnSetup&) = delete;

  // posix_spawn reports a failed exec as its result and has reaped that child already.
  int Spawn(const std::string& path, std::vector<std::string>& arguments, pid_t& pid) {
    if (error_ != 0) return error_;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return posix_spawn(&pid, path.c_str(), &actions_, &attributes_, argv.data(), environ);
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
  int error_ = 0;
};

}  // namespace

BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine,
                    LPSECURITY_ATTRIBUTES /*lpProcessAttributes*/,
                    LPSECURITY_ATTRIBUTES /*lpThreadAttributes*/, BOOL bInheritHandles,
                    DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                    LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation) {
  ReapOrphans();
  if (!IsSupportedCall(lpApplicationName, lpCommandLine, bInheritHandles, dwCreationFlags,
                       lpEnvironment, lpCurrentDirectory, lpStartupInfo, lpProcessInformation))
    return Fail(EINVAL);

  // The child's argv[0] is the name as written; the program run is the file the search found.
  std::vector<std::string> arguments = SplitCommandLine(lpCommandLine);
  if (arguments.empty()) return Fail(ENOENT);
  const auto path = FindExecutable(arguments.front(), ExecutableSearchDirectories());
  if (!path) return Fail(ENOENT);

  pid_t pid = 0;
  if (const int error = TSpawnSetup().Spawn(*path, arguments, pid); error != 0) return Fail(error);

  const TChildHandles handles = RegisterChild(pid);
  lpProcessInformation->hProcess = handles.Process;
  lpProcessInformation->hThread = handles.Thread;
  lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
  lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);  // a process's first thread id
  return TRUE;
}

// Waits without a time limit (INFINITE) or only looks (0); other time-outs are not served and
// fail with EINVAL. Once the child has ended it is reaped here; a signal arriving during the
// wait does not end it early.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  const auto child = FindChild(hHandle);
  if (!child) {
    SetLastError(EBADF);
    return WAIT_FAILED;
  }
  if (dwMilliseconds != INFINITE && dwMilliseconds != 0) {
    SetLastError(EINVAL);
    return WAIT_FAILED;
  }
  if (IsReaped(*child)) return WAIT_OBJECT_0;

  const int options = dwMilliseconds == 0 ? WNOHANG : 0;
  int status = 0;
  pid_t result;
  do {
    result = waitpid(child->Pid, &status, options);
  } while (result == -1 && errno == EINTR);

  if (result == 0) return WAIT_TIMEOUT;
  // ECHILD: someone else reaped it (SIGCHLD ignored, for one), so it has ended all the same.
  if (result == child->Pid || errno == ECHILD) {
    MarkReaped(*child);
    return WAIT_OBJECT_0;
  }
  SetLastError(static_cast<DWORD>(errno));
  return WAIT_FAILED;
}

BOOL CloseHandle(HANDLE hObject) {
  if (!ReleaseHandle(hObject)) return Fail(EBADF);
  return TRUE;
}
