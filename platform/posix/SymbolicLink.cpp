#include "platform/posix/SymbolicLink.h"

#include <unistd.h>

#include <cerrno>
#include <climits>

namespace platform_posix {

int ReadLink(const std::string& path, std::string& target) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t count = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (count < 0) return errno;
    // A link that fills the buffer may have been cut: read it again with more room.
    if (static_cast<std::size_t>(count) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(count));
      target = std::move(buffer);
      return 0;
    }
    if (buffer.size() > PATH_MAX) return ENAMETOOLONG;
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace platform_posix
