// Measures a GUI program's start-up on the current display:
//   map-timer PROGRAM
// starts PROGRAM, prints the milliseconds from its exec to the mapping of its first top-level
// window, then, after a second of idling, its resident memory in kB and the part of it that is
// pages of font files (clean, shared, and as many as the glyphs on screen need); then ends it.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

extern char** environ;

namespace {

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// A line of smaps that opens a mapping: "start-end perms offset dev inode [path]".
bool OpensMapping(const std::string& line) {
  const std::string range = line.substr(0, line.find(' '));
  return range.find('-') != std::string::npos &&
         range.find_first_not_of("0123456789abcdef-") == std::string::npos;
}

long FontFileKb(pid_t pid) {
  std::ifstream maps("/proc/" + std::to_string(pid) + "/smaps");
  std::string line;
  bool font = false;
  long kb = 0;
  while (std::getline(maps, line)) {
    if (OpensMapping(line))
      font = line.find("/fonts/") != std::string::npos;
    else if (font && line.rfind("Rss:", 0) == 0)
      kb += std::stol(line.substr(4));
  }
  return kb;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: map-timer PROGRAM\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map-timer: cannot open display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  char* args[] = {argv[1], nullptr};
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  if (posix_spawn(&pid, argv[1], nullptr, nullptr, args, environ) != 0) {
    std::perror("map-timer: posix_spawn");
    return 2;
  }
  double mappedMs = -1;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  while (mappedMs < 0) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) {
        mappedMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        break;
      }
    }
    if (mappedMs < 0 && poll(&connection, 1, 10000) <= 0) {
      std::fprintf(stderr, "map-timer: no window within 10 s\n");
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return 1;
    }
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long rss = ResidentKb(pid);
  const long fonts = FontFileKb(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  std::printf("%.1f %ld %ld\n", mappedMs, rss, fonts);
  XCloseDisplay(display);
  return 0;
}
