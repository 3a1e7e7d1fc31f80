#include "platform/posix/ExecutableSearch.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/posix/CurrentDirectory.h"
#include "platform/posix/SymbolicLink.h"

namespace platform_posix {

namespace {

std::optional<std::string> OwnExecutableDirectory() {
  std::string path;
  if (ReadLink("/proc/self/exe", path) != 0) return std::nullopt;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  path.resize(slash == 0 ? 1 : slash);
  return path;
}

bool IsNonDirectoryEntry(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

std::string JoinPath(const std::string& directory, std::string_view name) {
  std::string path = directory;
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

}  // namespace

std::vector<std::string> ExecutableSearchDirectories() {
  std::vector<std::string> directories;
  if (auto own = OwnExecutableDirectory()) directories.push_back(std::move(*own));
  if (std::string current; CurrentDirectory(current) == 0)
    directories.push_back(std::move(current));
  if (const char* path = std::getenv("PATH")) {
    const std::string_view list(path);
    std::size_t start = 0;
    while (start <= list.size()) {
      std::size_t end = list.find(':', start);
      if (end == std::string_view::npos) end = list.size();
      if (end > start) directories.emplace_back(list.substr(start, end - start));
      start = end + 1;
    }
  }
  return directories;
}

std::optional<std::string> FindExecutable(std::string_view name,
                                          const std::vector<std::string>& directories) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string_view::npos) return std::string(name);
  for (const std::string& directory : directories) {
    std::string candidate = JoinPath(directory, name);
    if (IsNonDirectoryEntry(candidate)) return candidate;
  }
  return std::nullopt;
}

}  // namespace platform_posix
