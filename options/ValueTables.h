#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The window's fixed choices, one row each: what the window shows, what goes onto the command
// line and the numbers the emulator stores for the same choice.

inline constexpr std::array<std::string_view, 8> SoundCardNames{"None",
                                                                "Sound Blaster",
                                                                "Sound Blaster AWE32",
                                                                "Pro Audio Spectrum",
                                                                "Ultrasound Max (CS4231 Code)",
                                                                "Ultrasound",
                                                                "Windows Sound System",
                                                                "Ensoniq Soundscape"};

struct TSampleRate {
  std::int32_t Hz;
  std::string_view Label;  // the number, a blank and the unit

  // The command line carries the number as the label writes it.
  constexpr std::string_view Text() const { return Label.substr(0, Label.find(' ')); }
};

inline constexpr std::array<TSampleRate, 3> SampleRates{{
    {11025, "11025 Hz"},
    {22050, "22050 Hz"},
    {44100, "44100 Hz"},
}};

struct TResolution {
  std::int32_t Width;
  std::int32_t Height;
  std::string_view Args;  // begins with a blank: it is appended right after the sample rate
  std::string_view Label;
};

inline constexpr std::array<TResolution, 3> Resolutions{{
    {320, 240, " -rx 320 -ry 240", "320 x 240"},
    {400, 300, " -rx 400 -ry 300", "400 x 300"},
    {640, 480, " -rx 640 -ry 480", "640 x 480"},
}};

// The sound engines; a row's index is also the number the emulator stores for it (old2151).
inline constexpr std::array<std::string_view, 2> SoundEngineNames{"New TYPE", "Old  TYPE"};

// The window shows the number the emulator is given.
inline constexpr std::array<std::string_view, 5> SkipFrameTexts{"1", "2", "3", "4", "5"};

namespace detail {
template <typename Row, std::size_t Size>
constexpr const Row* RowAt(const std::array<Row, Size>& table, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Size) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

template <typename Row, std::size_t Size>
constexpr std::optional<std::int32_t> IndexWhere(const std::array<Row, Size>& table,
                                                 std::int32_t Row::*field, std::int32_t value) {
  for (std::size_t i = 0; i < Size; ++i)
    if (table[i].*field == value) return static_cast<std::int32_t>(i);
  return std::nullopt;
}
}  // namespace detail

// Lookups by index: nothing for an index outside the table.
constexpr std::optional<std::string_view> SampleRateText(std::int32_t index) {
  if (const TSampleRate* rate = detail::RowAt(SampleRates, index)) return rate->Text();
  return std::nullopt;
}
constexpr std::optional<std::string_view> ResolutionArg(std::int32_t index) {
  if (const TResolution* resolution = detail::RowAt(Resolutions, index)) return resolution->Args;
  return std::nullopt;
}
// The emulator is given SkipFrameIndex + 1.
constexpr std::optional<std::string_view> SkipFrameText(std::int32_t skipFrameIndex) {
  if (const std::string_view* text = detail::RowAt(SkipFrameTexts, skipFrameIndex)) return *text;
  return std::nullopt;
}

// Read-back: the number the emulator stored, to the window's row; nothing for other numbers.
constexpr std::optional<std::int32_t> SampleRateIndexOf(std::int32_t hertz) {
  return detail::IndexWhere(SampleRates, &TSampleRate::Hz, hertz);
}
constexpr std::optional<std::int32_t> ResolutionIndexOfWidth(std::int32_t width) {
  return detail::IndexWhere(Resolutions, &TResolution::Width, width);
}
