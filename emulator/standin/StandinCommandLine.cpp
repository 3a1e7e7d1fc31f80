#include "emulator/standin/StandinCommandLine.h"

#include <charconv>
#include <optional>

#include "options/GameTable.h"
#include "options/ValueTables.h"

namespace standin {
namespace {

std::optional<std::int32_t> ParseNumber(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

}  // namespace

std::variant<TRunRequest, TContractBreach> ParseArguments(const std::vector<std::string>& args) {
  // Fixed shape: game, then four switches with values in their order, then the joystick switch.
  static constexpr const char* Switches[] = {"-r", "-rx", "-ry", "-frame"};
  constexpr std::size_t ExpectedCount = 1 + 2 * std::size(Switches) + 1;
  if (args.size() != ExpectedCount)
    return TContractBreach{"expected " + std::to_string(ExpectedCount) + " arguments, got " +
                           std::to_string(args.size())};

  TRunRequest request;
  request.Game = args[0];
  if (!GameRowOfIdentifier(request.Game))
    return TContractBreach{"unknown game identifier '" + request.Game + "'"};

  std::int32_t values[std::size(Switches)] = {};
  for (std::size_t i = 0; i < std::size(Switches); ++i) {
    const std::string& name = args[1 + 2 * i];
    const std::string& text = args[2 + 2 * i];
    if (name != Switches[i])
      return TContractBreach{"expected switch '" + std::string(Switches[i]) + "', got '" + name +
                             "'"};
    const auto value = ParseNumber(text);
    if (!value)
      return TContractBreach{"switch " + name + " needs a decimal number, got '" + text + "'"};
    values[i] = *value;
  }
  request.SampleRate = values[0];
  request.Width = values[1];
  request.Height = values[2];
  request.FrameSkip = values[3];

  if (!SampleRateIndexOf(request.SampleRate))
    return TContractBreach{"unsupported sample rate " + std::to_string(request.SampleRate)};
  const auto resolution = ResolutionIndexOfWidth(request.Width);
  if (!resolution || Resolutions[static_cast<std::size_t>(*resolution)].Height != request.Height)
    return TContractBreach{"unsupported resolution " + std::to_string(request.Width) + " x " +
                           std::to_string(request.Height)};
  if (request.FrameSkip < 1 || request.FrameSkip > static_cast<std::int32_t>(SkipFrameTexts.size()))
    return TContractBreach{"frame skip " + std::to_string(request.FrameSkip) + " is outside 1.." +
                           std::to_string(SkipFrameTexts.size())};

  const std::string& joystick = args.back();
  if (joystick != "-joy" && joystick != "-nojoy")
    return TContractBreach{"expected -joy or -nojoy, got '" + joystick + "'"};
  request.Joystick = joystick == "-joy";
  return request;
}

}  // namespace standin
