#include "emulator/standin/ProcessFacts.h"

#include <windows.h>

namespace standin {

// A Windows child is handed handles, not numbered descriptors; there is nothing to list.
std::vector<int> OpenDescriptors() {
  return {};
}

// Windows hands a process its command line as one text; the argument vector is only the C run
// time's reading of it, which loses the blanks.
std::optional<std::string> RawCommandLine() {
  return std::string(GetCommandLineA());
}

}  // namespace standin
