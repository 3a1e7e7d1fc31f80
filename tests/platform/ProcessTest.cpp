#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/SystemError.h"
#include "platform/posix/ChildProcesses.h"
#include "platform/posix/CommandLineArgs.h"
#include "platform/win32api.h"
#include "tests/support/ProcessCensus.h"
#include "tests/support/RepeatedStarts.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScopedCurrentDirectory;
using testing_support::ScopedEnvironmentVariable;
using testing_support::TempDir;

const std::string ProbePath = PROCESS_PROBE_PATH;

// What the probe reported, by kind: "arg", "cwd", "env", "fd", "end".
struct TProbeReport {
  std::vector<std::string> Args;
  std::string Cwd;
  std::string Env;
  std::vector<int> Fds;
  std::string IgnoredSignals, BlockedSignals;
  bool RanToItsEnd = false;
};

TProbeReport ReadReport(const fs::path& path) {
  TProbeReport report;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    const std::size_t blank = line.find(' ');
    const std::string kind = line.substr(0, blank);
    const std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (kind == "arg") report.Args.push_back(value);
    if (kind == "cwd") report.Cwd = value;
    if (kind == "env") report.Env = value;
    if (kind == "fd") report.Fds.push_back(std::stoi(value));
    if (kind == "sigign") report.IgnoredSignals = value;
    if (kind == "sigblk") report.BlockedSignals = value;
    if (kind == "end") report.RanToItsEnd = true;
  }
  return report;
}

// One call as the launcher makes it. Fills `info` and gives CreateProcessA's result.
BOOL Start(std::string commandLine, PROCESS_INFORMATION& info) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(STARTUPINFOA);
  info = {};
  return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info);
}

void WaitAndClose(const PROCESS_INFORMATION& info) {
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
}

// Still a child of ours, running or not yet reaped; asks without reaping.
bool IsUnreapedChild(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0;
}

void AwaitZombie(pid_t pid) {
  for (int i = 0; i < 60000 && testing_support::ProcessState(pid) != 'Z'; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_EQ(testing_support::ProcessState(pid), 'Z');
}

void WriteScript(const fs::path& path, const std::string& body, fs::perms permissions) {
  std::ofstream(path) << "#!/bin/sh\n" << body << '\n';
  fs::permissions(path, permissions);
}

class ProcessTest : public ::testing::Test {
 protected:
  TempDir cwd;
  ScopedCurrentDirectory inCwd{cwd.Path()};
  fs::path report = cwd.Path() / "report";
};

TEST_F(ProcessTest, ChildGetsTheSplitCommandLineTheCurrentDirectoryAndTheEnvironment) {
  ScopedEnvironmentVariable value("PROCESS_PROBE_VALUE", "seen by the child");
  const std::string line =
      ProbePath + " " + report.string() + R"(  ALIENSYN   -r	22050 "two words" a\"b)";
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(line, info)) << SystemErrorMessage(GetLastError());
  EXPECT_GT(info.dwProcessId, 0u);
  WaitAndClose(info);

  const TProbeReport got = ReadReport(report);
  const std::vector<std::string> expected{ProbePath, report.string(), "ALIENSYN", "-r",
                                          "22050",   "two words",     R"(a"b)"};
  EXPECT_EQ(got.Args, expected);
  EXPECT_EQ(got.Args, platform_posix::SplitCommandLine(line));
  EXPECT_EQ(got.Cwd, fs::current_path().string());
  EXPECT_EQ(got.Env, "seen by the child");
  EXPECT_TRUE(got.RanToItsEnd);
}

TEST_F(ProcessTest, ChildInheritsNoDescriptorBeyondTheStandardThree) {
  const int file = open(cwd.Path().c_str(), O_RDONLY | O_DIRECTORY);  // no O_CLOEXEC on purpose
  ASSERT_GE(file, 0);
  const int high = dup2(file, 57);
  ASSERT_EQ(high, 57);
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(ProbePath + " " + report.string(), info));
  WaitAndClose(info);

  const TProbeReport got = ReadReport(report);
  ASSERT_TRUE(got.RanToItsEnd);
  for (int fd : got.Fds) EXPECT_LE(fd, 2) << "descriptor " << fd << " reached the child";
  // The launcher's own descriptors stay open.
  EXPECT_EQ(fcntl(file, F_GETFD), 0);
  EXPECT_EQ(fcntl(high, F_GETFD), 0);
  close(high);
  close(file);
}

// A launcher started with its standard descriptors closed still gives the emulator all three,
// so that the emulator's own files do not land on 0, 1 or 2.
TEST_F(ProcessTest, ChildGetsTheStandardThreeEvenWhereTheLauncherLacksThem) {
  for (const std::vector<int>& closed : std::vector<std::vector<int>>{{0, 1, 2}, {1}, {0, 2}}) {
    SCOPED_TRACE(testing::PrintToString(closed));
    fs::remove(report);
    const pid_t launcher = fork();
    ASSERT_GE(launcher, 0);
    if (launcher == 0) {
      for (int fd : closed) close(fd);
      PROCESS_INFORMATION info;
      if (!Start(ProbePath + " " + report.string(), info)) _exit(2);
      if (WaitForSingleObject(info.hProcess, INFINITE) != WAIT_OBJECT_0) _exit(3);
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(launcher, &status, 0), launcher);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const TProbeReport got = ReadReport(report);
    ASSERT_TRUE(got.RanToItsEnd);
    EXPECT_EQ(got.Fds, (std::vector<int>{0, 1, 2}));
  }
}

// exec keeps ignored signals and the blocked mask; the child starts with neither.
TEST_F(ProcessTest, ChildStartsWithDefaultSignalHandling) {
  struct sigaction ignore {
  }, previousTerm{}, previousPipe{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGTERM, &ignore, &previousTerm);
  sigaction(SIGPIPE, &ignore, &previousPipe);
  sigset_t block, previousMask;
  sigemptyset(&block);
  sigaddset(&block, SIGUSR2);
  pthread_sigmask(SIG_BLOCK, &block, &previousMask);

  PROCESS_INFORMATION info;
  const BOOL started = Start(ProbePath + " " + report.string(), info);
  pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
  sigaction(SIGPIPE, &previousPipe, nullptr);
  sigaction(SIGTERM, &previousTerm, nullptr);
  ASSERT_TRUE(started);
  WaitAndClose(info);

  const TProbeReport got = ReadReport(report);
  ASSERT_TRUE(got.RanToItsEnd);
  // Bit n-1 stands for signal n. (The C library's own signals 32 and 33 it leaves ignored.)
  const auto has = [](const std::string& mask, int signal) {
    return (std::stoull(mask, nullptr, 16) >> (signal - 1) & 1) != 0;
  };
  EXPECT_FALSE(has(got.IgnoredSignals, SIGTERM));
  EXPECT_FALSE(has(got.IgnoredSignals, SIGPIPE));
  EXPECT_FALSE(has(got.BlockedSignals, SIGUSR2));
}

// Where SIGCHLD is ignored the system reaps children itself; the wait still ends with the child.
TEST_F(ProcessTest, WaitingWorksWhereChildrenAreReapedBySomeoneElse) {
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGCHLD, &ignore, &previous);
  const fs::path release = cwd.Path() / "release";
  PROCESS_INFORMATION info;
  const BOOL started =
      Start(ProbePath + " " + report.string() + " --wait-for=" + release.string(), info);
  std::ofstream(release).close();
  const DWORD result = started ? WaitForSingleObject(info.hProcess, INFINITE) : WAIT_FAILED;
  sigaction(SIGCHLD, &previous, nullptr);
  ASSERT_TRUE(started);
  EXPECT_EQ(result, WAIT_OBJECT_0);
  EXPECT_TRUE(ReadReport(report).RanToItsEnd);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
}

// The search order, seen from outside: a script of one name in the test program's own directory,
// the current directory and a PATH directory; each reports where it lies.
TEST_F(ProcessTest, LooksInItsOwnDirectoryThenTheCurrentOneThenPath) {
  const std::string name = "process-test-probe-" + std::to_string(getpid());
  const fs::path own = fs::read_symlink("/proc/self/exe").parent_path() / name;
  TempDir pathDirectory;
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ScopedEnvironmentVariable path("PATH", pathDirectory.Path().string() + ":" + oldPath);
  struct TRemove {
    fs::path path;
    ~TRemove() { fs::remove(path); }
  } removeOwn{own};
  const std::vector<std::pair<fs::path, std::string>> places{
      {own.parent_path(), "own"}, {cwd.Path(), "current"}, {pathDirectory.Path(), "path"}};
  for (const auto& [directory, place] : places)
    WriteScript(directory / name, "echo " + place + " > \"$1\"", fs::perms::owner_all);

  const auto runAndReadPlace = [&](const std::string& program) {
    PROCESS_INFORMATION info;
    if (!Start(program + " " + report.string(), info))
      return "failed: " + SystemErrorMessage(GetLastError());
    WaitAndClose(info);
    std::string place;
    std::ifstream(report) >> place;
    return place;
  };
  EXPECT_EQ(runAndReadPlace(name), "own");
  // A name with a slash is a path, searched nowhere.
  EXPECT_EQ(runAndReadPlace("./" + name), "current");
  fs::remove(own);
  EXPECT_EQ(runAndReadPlace(name), "current");
  fs::remove(cwd.Path() / name);
  EXPECT_EQ(runAndReadPlace(name), "path");
}

TEST_F(ProcessTest, NothingStartsWhenTheProgramCannotBeRun) {
  WriteScript(cwd.Path() / "unrunnable", "exit 0", fs::perms::owner_read | fs::perms::owner_write);
  std::ofstream(cwd.Path() / "garbage") << "\x01\x02 not a program\n";
  fs::permissions(cwd.Path() / "garbage", fs::perms::owner_all);
  fs::create_directory(cwd.Path() / "folder");
  // A file the search finds first is the one: no passing over it to the program on PATH.
  WriteScript(cwd.Path() / "true", "exit 0", fs::perms::owner_read | fs::perms::owner_write);

  struct Case {
    const char* line;
    int error;
  };
  const Case cases[] = {
      {"no-such-program-anywhere -r 1", ENOENT},
      {"./no-such-program", ENOENT},
      {"folder", ENOENT},
      {"   ", ENOENT},
      {"unrunnable -r 1", EACCES},
      {"true", EACCES},
      {"garbage", ENOEXEC},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    PROCESS_INFORMATION info;
    EXPECT_EQ(Start(c.line, info), FALSE) << c.line;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error)) << c.line;
  }
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
}

TEST_F(ProcessTest, RefusesWhatItDoesNotProvide) {
  std::string line = ProbePath + " -";
  const auto call = [&](LPCSTR application, BOOL inherit, DWORD flags, LPVOID environment,
                        LPCSTR directory, DWORD startupFlags) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(STARTUPINFOA);
    startup.dwFlags = startupFlags;
    PROCESS_INFORMATION info{};
    SetLastError(0);
    const BOOL started = CreateProcessA(application, line.data(), nullptr, nullptr, inherit, flags,
                                        environment, directory, &startup, &info);
    return started ? 0 : static_cast<int>(GetLastError());
  };
  char environment[] = "A=1\0";
  EXPECT_EQ(call(ProbePath.c_str(), FALSE, 0, nullptr, nullptr, 0), EINVAL);
  EXPECT_EQ(call(nullptr, TRUE, 0, nullptr, nullptr, 0), EINVAL);
  EXPECT_EQ(call(nullptr, FALSE, 0x10, nullptr, nullptr, 0), EINVAL);
  EXPECT_EQ(call(nullptr, FALSE, 0, environment, nullptr, 0), EINVAL);
  EXPECT_EQ(call(nullptr, FALSE, 0, nullptr, "/", 0), EINVAL);
  EXPECT_EQ(call(nullptr, FALSE, 0, nullptr, nullptr, 1), EINVAL);
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
}

TEST_F(ProcessTest, HowTheChildEndsDoesNotMatter) {
  for (const char* ending : {"--exit=3", "--raise"}) {
    PROCESS_INFORMATION info;
    ASSERT_TRUE(Start(ProbePath + " " + report.string() + " " + ending, info));
    const pid_t pid = static_cast<pid_t>(info.dwProcessId);
    WaitAndClose(info);
    EXPECT_TRUE(ReadReport(report).RanToItsEnd) << ending;
    EXPECT_FALSE(IsUnreapedChild(pid)) << ending;
  }
}

TEST_F(ProcessTest, PollingLooksWithoutWaiting) {
  const fs::path release = cwd.Path() / "release";
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(ProbePath + " " + report.string() + " --wait-for=" + release.string(), info));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(info.hThread, 0), WAIT_TIMEOUT);
  SetLastError(0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 1000), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(EINVAL));
  std::ofstream(release).close();
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(ReadReport(report).RanToItsEnd);
  // Once ended, every wait on either handle is answered at once.
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(info.hThread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
}

TEST_F(ProcessTest, ClosedOrMadeUpHandlesAreRefused) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(ProbePath + " -", info));
  WaitAndClose(info);
  for (HANDLE handle : {info.hProcess, info.hThread, static_cast<HANDLE>(nullptr),
                        reinterpret_cast<HANDLE>(&info)}) {
    SetLastError(0);
    EXPECT_EQ(CloseHandle(handle), FALSE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(EBADF));
    EXPECT_EQ(WaitForSingleObject(handle, INFINITE), WAIT_FAILED);
  }
}

std::atomic<int> signalsHandled{0};
extern "C" void CountSignal(int) {
  signalsHandled.fetch_add(1);
}

// A signal handler installed without SA_RESTART makes waitpid fail with EINTR; the wait must
// carry on until the child has really ended.
TEST_F(ProcessTest, SignalsDuringTheWaitDoNotEndItEarly) {
  struct sigaction action {};
  action.sa_handler = CountSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);
  signalsHandled = 0;

  const fs::path release = cwd.Path() / "release";
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(ProbePath + " " + report.string() + " --wait-for=" + release.string(), info));
  const pid_t pid = static_cast<pid_t>(info.dwProcessId);

  // Interrupts the waiting thread again and again; lets the child end only after many of the
  // interruptions have landed, and goes on interrupting until the wait has returned.
  const pthread_t waiter = pthread_self();
  std::atomic<bool> waitReturned{false};
  std::thread interrupter([&] {
    while (!waitReturned) {
      pthread_kill(waiter, SIGUSR1);
      if (signalsHandled >= 20 && !fs::exists(release)) std::ofstream(release).close();
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  const DWORD result = WaitForSingleObject(info.hProcess, INFINITE);
  const bool ended = ReadReport(report).RanToItsEnd;
  const bool unreaped = IsUnreapedChild(pid);
  waitReturned = true;
  interrupter.join();
  sigaction(SIGUSR1, &previous, nullptr);
  std::ofstream(release).close();  // should the wait have failed, the child still ends

  EXPECT_EQ(result, WAIT_OBJECT_0);
  EXPECT_GE(signalsHandled.load(), 20);
  EXPECT_TRUE(ended);
  EXPECT_FALSE(unreaped);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
}

TEST_F(ProcessTest, ClosingTheLastHandleOfAnEndedChildReapsIt) {
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(ProbePath + " -", info));
  const pid_t pid = static_cast<pid_t>(info.dwProcessId);
  AwaitZombie(pid);
  EXPECT_TRUE(CloseHandle(info.hThread));
  EXPECT_TRUE(IsUnreapedChild(pid)) << "the process handle still holds the child";
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_FALSE(IsUnreapedChild(pid));
}

TEST_F(ProcessTest, AChildLeftRunningByClosedHandlesIsReapedLater) {
  const fs::path release = cwd.Path() / "release";
  PROCESS_INFORMATION info;
  ASSERT_TRUE(Start(ProbePath + " - --wait-for=" + release.string(), info));
  const pid_t pid = static_cast<pid_t>(info.dwProcessId);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_TRUE(CloseHandle(info.hThread));
  std::ofstream(release).close();
  AwaitZombie(pid);

  PROCESS_INFORMATION next;
  ASSERT_TRUE(Start(ProbePath + " -", next));
  WaitAndClose(next);
  EXPECT_FALSE(IsUnreapedChild(pid));
}

TEST_F(ProcessTest, RepeatedRunsLeaveNoDescriptorAndNoChild) {
  const std::vector<int> before = testing_support::OpenDescriptors();
  const std::size_t handlesBefore = platform_posix::OpenHandleCount();
  for (int run = 0; run < testing_support::RepeatedStarts; ++run) {
    PROCESS_INFORMATION info;
    ASSERT_TRUE(Start("true", info)) << run << ": " << SystemErrorMessage(GetLastError());
    ASSERT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(CloseHandle(info.hProcess));
    ASSERT_TRUE(CloseHandle(info.hThread));
  }
  EXPECT_EQ(testing_support::OpenDescriptors(), before);
  EXPECT_EQ(platform_posix::OpenHandleCount(), handlesBefore);
  EXPECT_TRUE(testing_support::ChildProcesses().empty());
}

}  // namespace
