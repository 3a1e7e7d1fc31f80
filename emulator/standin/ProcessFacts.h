#pragma once

#include <optional>
#include <string>
#include <vector>

namespace standin {

// The descriptor numbers this process has open.
std::vector<int> OpenDescriptors();

// The command line exactly as the process received it, where the platform hands it over as one
// text; nothing where it hands over an argument vector only.
std::optional<std::string> RawCommandLine();

}  // namespace standin
