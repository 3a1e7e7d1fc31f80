#include "options/CommandLine.h"

#include "emulator/EmulatorContract.h"
#include "options/GameTable.h"
#include "options/ValueTables.h"

bool TCommandLine::Append(std::string_view piece) {
  if (piece.size() >= BufferSize - length_) return false;
  piece.copy(buffer_.data() + length_, piece.size());
  length_ += piece.size();
  return true;
}

std::optional<TCommandLine> BuildCommandLine(const TLaunchOptions& options) {
  const TGameEntry* game = GameAt(options.GameIndex);
  const auto rate = SampleRateText(options.SampleRateIndex);
  const auto resolution = ResolutionArg(options.ResolutionIndex);
  const auto skipFrame = SkipFrameText(options.SkipFrameIndex);
  if (game == nullptr || !rate || !resolution || !skipFrame) return std::nullopt;

  // Each piece brings its own blanks; nothing is put between them.
  const std::string_view pieces[] = {
      emulator::ExecutableName,
      " ",
      game->Identifier,
      emulator::SampleRateSwitch,
      *rate,
      *resolution,
      emulator::FrameSkipSwitch,
      *skipFrame,
      options.AnalogJoystick ? emulator::JoystickOnSwitch : emulator::JoystickOffSwitch,
  };
  TCommandLine line;
  for (std::string_view piece : pieces)
    if (!line.Append(piece)) return std::nullopt;
  return line;
}
