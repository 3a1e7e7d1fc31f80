// Running out of memory on the way through the profile services: a read gives the default, a
// store is refused with ENOMEM, and TIniFile says so in its message; nothing aborts. Memory
// runs out here by a replacement of the global allocation that refuses large blocks while a
// test arms it.

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>

#include "platform/inifiles.h"
#include "platform/sysutils.h"
#include "platform/win32api.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/TestFiles.h"

namespace {

std::atomic<std::size_t> largestBlock{std::numeric_limits<std::size_t>::max()};

class ScopedMemoryLimit {
 public:
  explicit ScopedMemoryLimit(std::size_t bytes) { largestBlock = bytes; }
  ~ScopedMemoryLimit() { largestBlock = std::numeric_limits<std::size_t>::max(); }
  ScopedMemoryLimit(const ScopedMemoryLimit&) = delete;
  ScopedMemoryLimit& operator=(const ScopedMemoryLimit&) = delete;
};

}  // namespace

void* operator new(std::size_t size) {
  if (size > largestBlock) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace {

TEST(ProfileMemory, RunningOutOfMemoryIsAnErrorNotAnAbort) {
  testing_support::TempDir directory;
  const std::string path = (directory / "corvanta.ini").string();
  const std::string before = "[sound]\nsoundcard=3\n; " + std::string(1 << 20, 'x') + "\n";
  testing_support::WriteFile(path, before);

  char buffer[64];
  {
    ScopedMemoryLimit limit(64 * 1024);
    SetLastError(0);
    const DWORD length =
        GetPrivateProfileStringA("sound", "soundcard", "d", buffer, sizeof buffer, path.c_str());
    EXPECT_EQ(std::string(buffer, length), "d");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ENOMEM));
    EXPECT_FALSE(WritePrivateProfileStringA("sound", "soundcard", "4", path.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ENOMEM));
    TIniFile settings(path);
    EXPECT_EQ(settings.ReadInteger("sound", "soundcard", 22050), 22050);
    EXPECT_EQ(testing_support::MessageOf([&] { settings.WriteInteger("sound", "soundcard", 4); }),
              path + " に書き込めません: Cannot allocate memory");
  }
  EXPECT_EQ(testing_support::ReadFile(path), before);
  EXPECT_EQ(TIniFile(path).ReadInteger("sound", "soundcard", 0), 3);
}

}  // namespace
