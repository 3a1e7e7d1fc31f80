#include "emulator/standin/ProcessFacts.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>

namespace standin {

std::vector<int> OpenDescriptors() {
  std::vector<int> descriptors;
  DIR* listing = opendir("/proc/self/fd");
  if (listing == nullptr) return descriptors;
  const int own = dirfd(listing);  // the listing's own descriptor is not one we inherited
  while (const dirent* entry = readdir(listing)) {
    char* end = nullptr;
    const long number = std::strtol(entry->d_name, &end, 10);
    if (end != entry->d_name && *end == '\0' && number != own)
      descriptors.push_back(static_cast<int>(number));
  }
  closedir(listing);
  std::sort(descriptors.begin(), descriptors.end());
  return descriptors;
}

std::optional<std::string> RawCommandLine() { return std::nullopt; }

}  // namespace standin
