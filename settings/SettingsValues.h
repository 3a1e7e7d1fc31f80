#pragma once

#include <cstdint>

// The eight integers one load of the settings file yields, exactly as converted: nothing here
// clamps them or maps them to the window's choices.
struct TSettingsValues {
  std::int32_t SoundCard = 0;
  std::int32_t SampleRate = 22050;
  std::int32_t Old2151 = 0;
  std::int32_t XRes = 320;
  std::int32_t ScanLines = 0;
  std::int32_t Eagle = 0;
  std::int32_t Vsync = 0;
  std::int32_t Rdtsc = 1;

  friend bool operator==(const TSettingsValues&, const TSettingsValues&) = default;
};
