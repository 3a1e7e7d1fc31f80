// The settings file as a file: what a store keeps of it (its links, owner, group, mode and
// extended attributes), what it needs of its folder, how it meets a huge file and a full disk,
// and what a killed store leaves behind. Through the profile services on real files; the cases
// of another user run in a child process that has become that user.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32api.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::WriteFile;

constexpr uid_t OwnerUid = 1000;
constexpr gid_t SharedGid = 2000;
constexpr uid_t StorerUid = 3000;
constexpr gid_t StorerGid = 3000;

const std::string Before = "[sound]\nsoundcard=1\n";
const std::string After = "[sound]\nsoundcard=7\n";

std::string Read(const std::string& path) {
  char buffer[64];
  const DWORD length = GetPrivateProfileStringA("sound", "soundcard", "<default>", buffer,
                                                sizeof buffer, path.c_str());
  return std::string(buffer, length);
}

// 0 when stored, else the error the store reported.
int Store(const std::string& path, const char* value = "7") {
  if (WritePrivateProfileStringA("sound", "soundcard", value, path.c_str())) return 0;
  return static_cast<int>(GetLastError());
}

struct Identity {
  ino_t inode;
  nlink_t links;
  uid_t uid;
  gid_t gid;
  mode_t mode;
  friend bool operator==(const Identity&, const Identity&) = default;
};

Identity IdentityOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path << ": " << std::strerror(errno);
  return {status.st_ino, status.st_nlink, status.st_uid, status.st_gid, status.st_mode & 07777};
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The store run by another user: a child process with that user's ids stores and reports its
// error in its exit code. Skips where this process cannot take another user's ids.
std::optional<int> StoreAs(uid_t uid, gid_t gid, std::vector<gid_t> groups,
                           const std::string& path) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
      ::_exit(255);
    ::_exit(Store(path) & 0x7F);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) == 255)
    return std::nullopt;
  return WEXITSTATUS(status);
}

class ProfileFiles : public testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0)
      GTEST_SKIP() << "files of other users and their stores need root (the test makes them "
                      "with chown and takes the other user's ids in a child)";
    WriteFile(file, Before);
  }

  // Stores as root, or as the other user where the case needs one.
  int StoreBy(bool otherUser) {
    if (!otherUser) return Store(file);
    const auto error = StoreAs(StorerUid, StorerGid, {SharedGid}, file);
    if (!error) ADD_FAILURE() << "cannot take another user's ids";
    return error.value_or(-1);
  }

 public:  // for the cases' preparations
  testing_support::TempDir directory;
  std::string file = (directory / "corvanta.ini").string();
};

struct IdentityCase {
  const char* name;
  bool otherUser;  // the store runs as a member of the file's group, not as its owner
  std::function<void(ProfileFiles&)> prepare;
};

// Each file must come out of a store with its new text and as what it was: the same links,
// owner, group and mode, its extended attributes, and no temporary file beside it.
TEST_F(ProfileFiles, AStoreKeepsWhatTheFileIs) {
  const IdentityCase cases[] = {
      {"a file of its own", false, [](ProfileFiles&) {}},
      {"a file with a second name", false,
       [](ProfileFiles& t) {
         ASSERT_EQ(::link(t.file.c_str(), (t.directory / "shared.ini").c_str()), 0);
       }},
      {"another user's group-writable file in a shared folder", true,
       [](ProfileFiles& t) {
         ASSERT_EQ(::chown(t.file.c_str(), OwnerUid, SharedGid), 0);
         ASSERT_EQ(::chmod(t.file.c_str(), 0664), 0);
         ASSERT_EQ(::chown(t.directory.Path().c_str(), 0, SharedGid), 0);
         ASSERT_EQ(::chmod(t.directory.Path().c_str(), 0775), 0);
       }},
      {"a file with an extended attribute", false,
       [](ProfileFiles& t) {
         ASSERT_EQ(::setxattr(t.file.c_str(), "user.corvanta", "kept", 4, 0), 0)
             << std::strerror(errno);
       }},
      {"a writable file in a folder that takes no new file", true,
       [](ProfileFiles& t) {
         ASSERT_EQ(::chown(t.file.c_str(), StorerUid, StorerGid), 0);
         ASSERT_EQ(::chmod(t.directory.Path().c_str(), 0555), 0);
       }},
      {"a file whose group only its owner's group has", true,
       [](ProfileFiles& t) {
         ASSERT_EQ(::chown(t.file.c_str(), StorerUid, SharedGid), 0);
         ASSERT_EQ(::chmod(t.file.c_str(), 0640), 0);
         ASSERT_EQ(::chmod(t.directory.Path().c_str(), 0777), 0);
       }},
  };
  for (const IdentityCase& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(directory.Path());
    fs::create_directory(directory.Path());
    ::chmod(directory.Path().c_str(), 0755);
    WriteFile(file, Before);
    c.prepare(*this);
    const Identity before = IdentityOf(file);
    const std::vector<std::string> entries = Entries(directory.Path());

    ASSERT_EQ(StoreBy(c.otherUser), 0);

    EXPECT_EQ(ReadFile(file), After);
    const Identity after = IdentityOf(file);
    EXPECT_EQ(after.links, before.links);
    EXPECT_EQ(after.uid, before.uid);
    EXPECT_EQ(after.gid, before.gid);
    EXPECT_EQ(after.mode, before.mode);
    if (before.links > 1) {
      EXPECT_EQ(after.inode, before.inode);
      EXPECT_EQ(ReadFile(directory / "shared.ini"), After);
    }
    char value[16] = {};
    const ssize_t size = ::getxattr(file.c_str(), "user.corvanta", value, sizeof value);
    if (std::string(c.name).find("attribute") != std::string::npos) {
      EXPECT_EQ(std::string(value, size > 0 ? size : 0), "kept");
    }
    EXPECT_EQ(Entries(directory.Path()), entries);
    ::chmod(directory.Path().c_str(), 0755);
  }
}

// Where nothing speaks against it, the store still replaces the file by a rename: a reader that
// opened the file before the store reads the old text whole, never a half-written one.
TEST_F(ProfileFiles, AFileOfItsOwnIsReplacedWhole) {
  const int reader = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(Store(file), 0);
  char buffer[64];
  const ssize_t count = ::pread(reader, buffer, sizeof buffer, 0);
  ::close(reader);
  EXPECT_EQ(std::string(buffer, count > 0 ? count : 0), Before);
  EXPECT_EQ(ReadFile(file), After);
}

TEST_F(ProfileFiles, AStoreRemovesOnlyTheTemporaryFilesOfKilledStores) {
  // A process that has ended: its id names no process (until the system gives it again).
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
  const std::string dead = std::to_string(ended);
  const std::string running = "1";  // the first process of the system runs as long as it does

  const std::vector<std::string> kept{
      "corvanta.ini",
      "corvanta.ini." + dead + "-x.tmp",     // not of the naming
      "corvanta.ini." + running + "-0.tmp",  // a store that may be running now
      "corvanta.ini.bak",                    // the user's
      "other.ini." + dead + "-0.tmp",        // another file's
      // The whole text of a store killed while it overwrote the file, which does not hold that
      // text: the file may have been cut midway, and this is the copy to recover it from.
      "corvanta.ini." + dead + "-2.recover",
  };
  for (const std::string& name : kept)
    if (name != "corvanta.ini") WriteFile(directory / name, "[sound]\nsoundcard=9\n");
  fs::create_directory(directory / ("corvanta.ini." + dead + "-1.tmp"));
  WriteFile(directory / ("corvanta.ini." + dead + "-0.tmp"), "[sound]\nsoundcard=9\n");
  WriteFile(directory / ("corvanta.ini." + dead + "-17.tmp"), "");
  // A store killed after its overwrite had ended: the file holds the copy's text.
  WriteFile(directory / ("corvanta.ini." + dead + "-3.recover"), Before);

  ASSERT_EQ(Store(file), 0);

  std::vector<std::string> expected = kept;
  expected.push_back("corvanta.ini." + dead + "-1.tmp");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(directory.Path()), expected);
  EXPECT_EQ(ReadFile(file), After);
}

// Huge files are neither read into memory nor written: a read gives the default at once, a
// store is refused with EFBIG, and the file stays as it was.
TEST_F(ProfileFiles, AFileBeyondTheBoundReadsAsDefaultsAndRefusesStores) {
  struct SizeCase {
    const char* name;
    off_t size;  // the file is cut or extended (sparse) to this size
    const char* value;
    std::string read;
    int storeError;
  };
  constexpr off_t MiB = 1024 * 1024;
  const SizeCase cases[] = {
      {"a sparse file of 64 GiB", 64 * 1024 * MiB, "7", "<default>", EFBIG},
      {"a file of 5 MiB", 5 * MiB, "7", "<default>", EFBIG},
      {"a file just within the bound", 4 * MiB - 4, "7", "1", 0},
      {"a store that would take it beyond the bound", 4 * MiB - 4, "1234567", "1", EFBIG},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(file, Before);
    ASSERT_EQ(::truncate(file.c_str(), c.size), 0) << std::strerror(errno);
    EXPECT_EQ(Read(file), c.read);
    EXPECT_EQ(Store(file, c.value), c.storeError);
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    if (c.storeError != 0) {
      EXPECT_EQ(status.st_size, c.size);
      EXPECT_EQ(Read(file), c.read);
    }
    EXPECT_LT(status.st_blocks * 512, 8 * MiB) << "the file was filled";
    EXPECT_EQ(Entries(directory.Path()), std::vector<std::string>{"corvanta.ini"});
  }
}

// A full disk: a tiny file system of our own, in a mount namespace of this process alone.
class FullDisk : public ProfileFiles {
 protected:
  void SetUp() override {
    ProfileFiles::SetUp();
    if (IsSkipped()) return;
    const std::string folder = directory.Path().string();
    if (::unshare(CLONE_NEWNS) != 0)
      GTEST_SKIP() << "cannot make a mount namespace (" << std::strerror(errno) << ")";
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("corvanta-test", folder.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
      GTEST_SKIP() << "cannot mount a file system (" << std::strerror(errno) << ")";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount2(directory.Path().c_str(), MNT_DETACH);
  }

  // Fills what is left of the file system.
  void Fill() {
    const int fd = ::open((directory / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(512, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    const std::string byte(1, 'f');
    while (::write(fd, byte.data(), 1) > 0) {
    }
    ::close(fd);
  }

 private:
  bool mounted_ = false;
};

TEST_F(FullDisk, RefusesAStoreThatNeedsRoomAndKeepsTheFile) {
  for (const bool linked : {false, true}) {
    SCOPED_TRACE(linked ? "a file with a second name" : "a file of its own");
    fs::remove(directory / "filler");
    fs::remove(directory / "shared.ini");
    // A file that fills its last block, so that any growth needs a new one.
    const std::string full = Before + "; " + std::string(4096 - Before.size() - 3, 'x') + "\n";
    WriteFile(file, full);
    if (linked) {
      ASSERT_EQ(::link(file.c_str(), (directory / "shared.ini").c_str()), 0);
    }
    Fill();
    EXPECT_EQ(Store(file, "1234567"), ENOSPC);
    EXPECT_EQ(ReadFile(file), full);
    // A store that needs no more room than the file has still goes through.
    EXPECT_EQ(Store(file, "2"), 0);
    std::string stored = full;
    stored.replace(stored.find("soundcard=1"), 11, "soundcard=2");
    EXPECT_EQ(ReadFile(file), stored);
    std::vector<std::string> expected{"corvanta.ini", "filler"};
    if (linked) expected.push_back("shared.ini");
    EXPECT_EQ(Entries(directory.Path()), expected);
  }
}

}  // namespace
