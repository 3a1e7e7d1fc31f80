#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace standin {

// What a command line that keeps the contract asks for.
struct TRunRequest {
  std::string Game;            // identifier without its trailing blanks
  std::int32_t SampleRate = 0;  // hertz
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t FrameSkip = 0;  // 1..5
  bool Joystick = false;
};

struct TContractBreach {
  std::string Message;
};

// Checks the arguments (argv[0] excluded) against the launcher's contract:
//   <game> -r <rate> -rx <width> -ry <height> -frame <1..5> -joy|-nojoy
std::variant<TRunRequest, TContractBreach> ParseArguments(const std::vector<std::string>& args);

}  // namespace standin
