#include "platform/posix/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }

  int Get() const { return fd_; }

  // Closes now and reports what close reports: a write error can surface only here.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

int CheckRegular(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) return EISDIR;
  if (!S_ISREG(status.st_mode)) return EINVAL;
  return 0;
}

int ReadAll(int fd, off_t sizeHint, std::string& bytes) {
  // One byte more than the size shows, so that a file that grew meanwhile is read to its end.
  bytes.resize(static_cast<std::size_t>(sizeHint) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t count = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (count < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return errno;
    }
    if (count == 0) break;
    used += static_cast<std::size_t>(count);
  }
  bytes.resize(used);
  return 0;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return 0;
}

int ReadLink(const std::string& path, std::string& target) {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t count = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (count < 0) return errno;
    if (static_cast<std::size_t>(count) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(count));
      target = std::move(buffer);
      return 0;
    }
    if (buffer.size() > PATH_MAX) return ENAMETOOLONG;
    buffer.resize(buffer.size() * 2);
  }
}

// Follows the last component's symbolic links. A dangling link resolves to the missing file
// it names, which a write then creates.
int ResolveLinks(std::string path, std::string& resolved) {
  constexpr int MaxLinks = 40;
  for (int hop = 0; hop < MaxLinks; ++hop) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) {
      if (errno != ENOENT) return errno;
      resolved = std::move(path);
      return 0;
    }
    if (!S_ISLNK(status.st_mode)) {
      resolved = std::move(path);
      return 0;
    }
    std::string link;
    if (const int error = ReadLink(path, link)) return error;
    if (link.starts_with('/'))
      path = std::move(link);
    else
      path = path.substr(0, path.rfind('/') + 1) + link;
  }
  return ELOOP;
}

std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace

int ReadWholeFile(const char* path, std::string& bytes) {
  bytes.clear();
  FileDescriptor file(::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) return errno;
  struct stat status;
  if (::fstat(file.Get(), &status) != 0) return errno;
  if (const int error = CheckRegular(status)) return error;
  return ReadAll(file.Get(), status.st_size, bytes);
}

int PrepareReplace(const char* path, TReplaceTarget& target, std::string& bytes) {
  bytes.clear();
  target.path = path;
  // Opening for writing asks the system whether this process may write the file: it refuses
  // another user's file and any file on a read-only file system, root included. Nothing is
  // written through this descriptor.
  constexpr int Flags = O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW;
  int fd = ::open(target.path.c_str(), Flags);
  if (fd < 0 && errno == ELOOP) {
    if (const int error = ResolveLinks(path, target.path)) return error;
    fd = ::open(target.path.c_str(), Flags);
  }
  if (fd < 0) {
    if (errno != ENOENT) return errno;
    target.exists = false;
    return 0;
  }
  FileDescriptor file(fd);
  target.exists = true;
  if (::fstat(fd, &target.status) != 0) return errno;
  if (const int error = CheckRegular(target.status)) return error;
  // Root may write any file; a settings file without a write permission bit is still refused.
  if ((target.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return ReadAll(fd, target.status.st_size, bytes);
}

int ReplaceWholeFile(const TReplaceTarget& target, std::string_view bytes) {
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = TemporaryName(target.path);
    // A new file is created with 0666 so that the kernel applies the umask, as for any file.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                target.exists ? S_IRUSR | S_IWUSR : 0666);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;

  FileDescriptor file(fd);
  int error = 0;
  if (target.exists) {
    const struct stat& status = target.status;
    // Only root may give the file back to its owner; anyone else writes a file of their own,
    // as an ordinary write through a writable directory would.
    if ((status.st_uid != ::geteuid() || status.st_gid != ::getegid()) &&
        ::fchown(fd, status.st_uid, status.st_gid) != 0) {
    }
    if (::fchmod(fd, status.st_mode & 07777) != 0) error = errno;
  }
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && ::fdatasync(fd) != 0) error = errno;
  const int closeError = file.Close();
  if (error == 0) error = closeError;
  if (error == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temporary.c_str());
  return error;
}
