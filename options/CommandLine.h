#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "options/LaunchOptions.h"

// The emulator's command line, composed in a fixed buffer of 100 bytes: at most 99 characters
// and the terminating zero. Process creation may write into the buffer it is given, so the
// text stays in a mutable buffer of its own rather than a shared string.
class TCommandLine {
 public:
  static constexpr std::size_t BufferSize = 100;

  TCommandLine() = default;

  // Appends `piece` at the current end; refuses, leaving the text as it was, when the piece
  // would not fit before the terminator.
  [[nodiscard]] bool Append(std::string_view piece);

  std::string_view View() const { return {buffer_.data(), length_}; }
  const char* CStr() const { return buffer_.data(); }
  char* Data() { return buffer_.data(); }
  std::size_t Length() const { return length_; }

 private:
  std::array<char, BufferSize> buffer_{};
  std::size_t length_ = 0;
};

// Composes "corvanta <identifier> -r <rate> -rx <w> -ry <h> -frame <n> -joy|-nojoy" from the
// options. Nothing when an index it reads lies outside its table (no game row, for instance):
// such an option set has no command line, and the caller must not start a Play with it.
std::optional<TCommandLine> BuildCommandLine(const TLaunchOptions& options);
