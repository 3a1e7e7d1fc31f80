#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The fixed texts of the command line and the numbers the emulator stores for the same
// choices. A row of each table is one choice of the window.

inline constexpr std::array<std::string_view, 8> SoundCardNames{"None",
                                                                "Sound Blaster",
                                                                "Sound Blaster AWE32",
                                                                "Pro Audio Spectrum",
                                                                "Ultrasound Max (CS4231 Code)",
                                                                "Ultrasound",
                                                                "Windows Sound System",
                                                                "Ensoniq Soundscape"};

inline constexpr std::array<std::string_view, 3> SampleRateTexts{"11025", "22050", "44100"};
inline constexpr std::array<std::int32_t, 3> SampleRatesHz{11025, 22050, 44100};

// Each begins with a blank: it is appended right after the sample rate.
inline constexpr std::array<std::string_view, 3> ResolutionArgs{
    " -rx 320 -ry 240", " -rx 400 -ry 300", " -rx 640 -ry 480"};
inline constexpr std::array<std::int32_t, 3> ResolutionWidths{320, 400, 640};
inline constexpr std::array<std::int32_t, 3> ResolutionHeights{240, 300, 480};

inline constexpr std::array<std::string_view, 5> SkipFrameTexts{"1", "2", "3", "4", "5"};

namespace detail {
template <typename Table>
constexpr std::optional<typename Table::value_type> Lookup(const Table& table, std::int32_t i) {
  if (i < 0 || static_cast<std::size_t>(i) >= table.size()) return std::nullopt;
  return table[static_cast<std::size_t>(i)];
}

template <typename Table>
constexpr std::optional<std::int32_t> IndexOf(const Table& table, std::int32_t value) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (table[i] == value) return static_cast<std::int32_t>(i);
  return std::nullopt;
}
}  // namespace detail

// Lookups by index: nothing for an index outside the table.
constexpr std::optional<std::string_view> SampleRateText(std::int32_t index) {
  return detail::Lookup(SampleRateTexts, index);
}
constexpr std::optional<std::string_view> ResolutionArg(std::int32_t index) {
  return detail::Lookup(ResolutionArgs, index);
}
// The emulator is given SkipFrameIndex + 1.
constexpr std::optional<std::string_view> SkipFrameText(std::int32_t skipFrameIndex) {
  return detail::Lookup(SkipFrameTexts, skipFrameIndex);
}

// Read-back: the number the emulator stored, to the window's row; nothing for other numbers.
constexpr std::optional<std::int32_t> SampleRateIndexOf(std::int32_t hertz) {
  return detail::IndexOf(SampleRatesHz, hertz);
}
constexpr std::optional<std::int32_t> ResolutionIndexOfWidth(std::int32_t width) {
  return detail::IndexOf(ResolutionWidths, width);
}
