#include "platform/posix/WholeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstddef>

#include "platform/posix/SymbolicLink.h"

namespace {

// No settings file comes near this size. A larger one is neither read into memory nor written:
// reads give EFBIG at once, whatever the file's size, so a huge or sparse file costs nothing.
constexpr std::size_t MaxProfileFileSize = 4 * 1024 * 1024;

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

// Reads to the end, but never more than the bound: a file that grew past it meanwhile gives
// EFBIG rather than a memory the size of the file.
int ReadAll(int fd, off_t sizeHint, std::string& bytes) {
  if (sizeHint < 0 || static_cast<std::size_t>(sizeHint) > MaxProfileFileSize) return EFBIG;
  constexpr std::size_t Limit = MaxProfileFileSize + 1;
  // One byte more than the size shows, so that a file that grew meanwhile is read to its end.
  bytes.resize(static_cast<std::size_t>(sizeHint) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) {
      if (used >= Limit) {
        bytes.clear();
        return EFBIG;
      }
      bytes.resize(bytes.size() * 2 < Limit ? bytes.size() * 2 : Limit);
    }
    const ssize_t count =
        ::pread(fd, bytes.data() + used, bytes.size() - used, static_cast<off_t>(used));
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

int WriteAllAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t count = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
    offset += count;
  }
  return 0;
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
    if (const int error = platform_posix::ReadLink(path, link)) return error;
    if (link.starts_with('/'))
      path = std::move(link);
    else
      path = path.substr(0, path.rfind('/') + 1) + link;
  }
  return ELOOP;
}

// "<file name>.<process id>-<count>.tmp", beside the file: the new text while it is written.
// Renamed to "....recover" once it is whole and flushed, just before the file is overwritten in
// place: from then until the overwrite has ended it may be the only whole copy of the settings.
constexpr std::string_view TemporarySuffix = ".tmp";
constexpr std::string_view RecoverySuffix = ".recover";

std::string TemporaryName(std::string_view base) {
  static std::atomic<unsigned> counter{0};
  return std::string(base) + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
         std::string(TemporarySuffix);
}

std::string RecoveryName(std::string_view temporaryName) {
  return std::string(temporaryName.substr(0, temporaryName.size() - TemporarySuffix.size())) +
         std::string(RecoverySuffix);
}

// The target's folder and its name in it. Temporary files are made, renamed and removed by
// their name relative to the folder, so that a target whose path is as long as the system
// allows still has room for a temporary name.
struct TPlace {
  std::string folder;
  std::string base;
};

TPlace PlaceOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  if (slash == std::string::npos) return {".", target};
  return {slash == 0 ? "/" : target.substr(0, slash), target.substr(slash + 1)};
}

// The process id in a name of either form, or 0 when the name is of neither.
pid_t TemporaryOwner(std::string_view name, std::string_view base) {
  const std::string_view suffix = name.ends_with(TemporarySuffix)  ? TemporarySuffix
                                  : name.ends_with(RecoverySuffix) ? RecoverySuffix
                                                                   : std::string_view();
  if (suffix.empty() || !name.starts_with(base) || name.size() <= base.size() + 1 ||
      name[base.size()] != '.')
    return 0;
  const std::string_view middle =
      name.substr(base.size() + 1, name.size() - base.size() - 1 - suffix.size());
  const std::size_t dash = middle.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == middle.size()) return 0;
  for (std::size_t i = 0; i < middle.size(); ++i)
    if (i != dash && (middle[i] < '0' || middle[i] > '9')) return 0;
  pid_t pid = 0;
  const auto result = std::from_chars(middle.data(), middle.data() + dash, pid);
  return result.ec == std::errc() && pid > 0 ? pid : 0;
}

// Whether the file at `name` in the folder holds exactly `bytes`.
bool Holds(int folder, const char* name, std::string_view bytes) {
  FileDescriptor file(::openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  struct stat status;
  if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::size_t>(status.st_size) != bytes.size())
    return false;
  std::string held;
  return ReadAll(file.Get(), status.st_size, held) == 0 && held == bytes;
}

// A temporary file whose process no longer runs is what a killed store left behind: a ".tmp"
// one never replaced anything, so the file is as it was. A ".recover" one is the whole text of a
// store killed while it overwrote the file in place; it goes once the file holds that text (the
// store had ended), and otherwise stays for the user, since the file may have been cut midway.
// Files of running processes (another launcher storing at this moment) and of other names stay.
void RemoveStaleTemporaries(int folder, std::string_view base, std::string_view current) {
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return;
  DIR* directory = ::fdopendir(listing);
  if (directory == nullptr) {
    ::close(listing);
    return;
  }
  while (const dirent* entry = ::readdir(directory)) {
    const pid_t owner = TemporaryOwner(entry->d_name, base);
    if (owner == 0 || owner == ::getpid()) continue;
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
    struct stat status;
    if (::fstatat(::dirfd(directory), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode))
      continue;
    if (std::string_view(entry->d_name).ends_with(RecoverySuffix) &&
        !Holds(::dirfd(directory), entry->d_name, current))
      continue;
    ::unlinkat(::dirfd(directory), entry->d_name, 0);
  }
  ::closedir(directory);
}

// The size of the list of extended attribute names; -1 where it cannot be told. A file system
// without extended attributes has none.
ssize_t AttributeListSize(int fd) {
  const ssize_t size = ::flistxattr(fd, nullptr, 0);
  if (size < 0 && (errno == ENOTSUP || errno == ENOSYS)) return 0;
  return size;
}

// Whether the new file is the old one in all but its contents: owner, group, mode, no extended
// attributes (ACLs and security labels are such attributes) on either, and no other name of
// the old one that a rename would leave with the old text.
bool KeepsIdentity(const TReplaceTarget& target, int newFd) {
  struct stat created;
  if (::fstat(newFd, &created) != 0) return false;
  const struct stat& old = target.status;
  return old.st_nlink == 1 && created.st_uid == old.st_uid && created.st_gid == old.st_gid &&
         (created.st_mode & 07777) == (old.st_mode & 07777) && AttributeListSize(target.fd) == 0 &&
         AttributeListSize(newFd) == 0;
}

// A temporary file beside the target holding `bytes`, flushed. For an existing target it is
// given the target's owner (where allowed) and mode; a new file gets the umask's mode.
struct TTemporary {
  int folder = -1;
  std::string name;
  int fd = -1;

  TTemporary() = default;
  TTemporary(const TTemporary&) = delete;
  TTemporary& operator=(const TTemporary&) = delete;
  ~TTemporary() { Discard(); }
  // The file is now the target's (renamed): nothing to remove.
  void Release() { name.clear(); }
  // Marks the whole, flushed copy as the one to recover from should the overwrite be cut short.
  void MarkForRecovery() {
    const std::string recovery = RecoveryName(name);
    if (::renameat(folder, name.c_str(), folder, recovery.c_str()) == 0) name = recovery;
  }
  void Discard() {
    if (fd >= 0) ::close(fd);
    if (!name.empty()) ::unlinkat(folder, name.c_str(), 0);
    fd = -1;
    name.clear();
  }
};

// Gives the copy the original's owner and group. Only root may give a file to another owner;
// anyone else's attempt fails and leaves the copy theirs, which KeepsIdentity then finds, so the
// copy is not renamed over the file: the failure is handled there, not here. (A cast to void
// would not quiet the unused-result warning of a fortified build.)
void TryToKeepOwner(int fd, const struct stat& original) {
  if (original.st_uid == ::geteuid() && original.st_gid == ::getegid()) return;
  [[maybe_unused]] const bool given = ::fchown(fd, original.st_uid, original.st_gid) == 0;
}

int WriteTemporary(const TReplaceTarget& target, std::string_view base, std::string_view bytes,
                   TTemporary& temporary) {
  for (int attempt = 0; attempt < 100 && temporary.fd < 0; ++attempt) {
    const std::string name = TemporaryName(base);
    // A new file is created with 0666 so that the kernel applies the umask, as for any file.
    temporary.fd = ::openat(temporary.folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
                            target.exists ? S_IRUSR | S_IWUSR : 0666);
    if (temporary.fd >= 0) temporary.name = name;
    if (temporary.fd < 0 && errno != EEXIST) return errno;
  }
  if (temporary.fd < 0) return EEXIST;
  if (target.exists) {
    TryToKeepOwner(temporary.fd, target.status);
    (void)::fchmod(temporary.fd, target.status.st_mode & 07777);
  }
  if (const int error = WriteAllAt(temporary.fd, bytes, 0)) return error;
  if (::fdatasync(temporary.fd) != 0) return errno;
  return 0;
}

// After a failed store, whose error is the one reported: the file cut back to its old length
// where that still works; if it does not, nothing more can be done here.
void TryToCutBack(int fd, std::size_t length) {
  [[maybe_unused]] const bool cut = ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

// Overwrites the file's contents in place and flushes them. Room for a larger text is reserved
// first, so that a full disk refuses the store before anything changed; any failure after the
// first byte is written puts the old text back.
int OverwriteInPlace(int fd, std::string_view old, std::string_view bytes) {
  if (bytes.size() > old.size() && ::fallocate(fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 &&
      errno != EOPNOTSUPP && errno != ENOSYS) {
    const int error = errno;
    // A failed reservation may have left blocks or a length behind.
    TryToCutBack(fd, old.size());
    return error;
  }
  int error = WriteAllAt(fd, bytes, 0);
  if (error == 0 && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error == 0 && ::fdatasync(fd) != 0) error = errno;
  if (error != 0) {
    (void)WriteAllAt(fd, old, 0);
    TryToCutBack(fd, old.size());
    (void)::fdatasync(fd);
  }
  return error;
}

}  // namespace

TReplaceTarget::~TReplaceTarget() {
  if (fd >= 0) ::close(fd);
}

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
  // another user's file and any file on a read-only file system, root included.
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
  target.fd = fd;
  target.exists = true;
  if (::fstat(fd, &target.status) != 0) return errno;
  if (const int error = CheckRegular(target.status)) return error;
  // Root may write any file; a settings file without a write permission bit is still refused.
  if ((target.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return ReadAll(fd, target.status.st_size, bytes);
}

int ReplaceWholeFile(const TReplaceTarget& target, std::string_view old, std::string_view bytes) {
  if (bytes.size() > MaxProfileFileSize) return EFBIG;
  const TPlace place = PlaceOf(target.path);
  FileDescriptor folder(::open(place.folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  const int folderError = folder.Get() < 0 ? errno : 0;
  if (folderError != 0 && !target.exists) return folderError;
  if (folderError == 0) RemoveStaleTemporaries(folder.Get(), place.base, old);

  TTemporary temporary;
  temporary.folder = folder.Get();
  const int temporaryError =
      folderError != 0 ? folderError : WriteTemporary(target, place.base, bytes, temporary);
  const auto renameOver = [&] {
    return ::renameat(folder.Get(), temporary.name.c_str(), folder.Get(), place.base.c_str());
  };
  if (!target.exists) {
    if (temporaryError != 0) return temporaryError;
    if (renameOver() != 0) return errno;
    temporary.Release();
    return 0;
  }
  if (temporaryError == 0 && KeepsIdentity(target, temporary.fd) && renameOver() == 0) {
    temporary.Release();
    return 0;
  }
  // The folder takes no new file, the rename would change what the file is, or the folder
  // refused the rename (a sticky folder, for one): the file itself takes the new text. Without
  // a temporary copy, the reservation and the old text in memory still keep it whole; a copy
  // that could not be written whole goes first, so that it takes no room from the file.
  if (temporaryError != 0)
    temporary.Discard();
  else
    temporary.MarkForRecovery();
  return OverwriteInPlace(target.fd, old, bytes);
}
