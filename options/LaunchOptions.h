#pragma once

#include <cstdint>

// The options of one Play, as the window gathers them. Indexes are zero-based rows of the
// window's choices; -1 means that nothing is chosen.
struct TLaunchOptions {
  std::int32_t GameIndex = -1;        // row of GameTable, 0..22
  std::int32_t SoundCard = -1;        // -1..7, see SoundCardNames
  std::int32_t SampleRateIndex = -1;  // 0..2: 11025, 22050, 44100 Hz
  std::int32_t SoundEngine = -1;      // 0..1, see SoundEngineNames; -1 = neither
  std::int32_t ResolutionIndex = -1;  // 0..2: 320 x 240, 400 x 300, 640 x 480
  std::int32_t SkipFrameIndex = -1;   // 0..4; the emulator is given the value + 1
  bool Vsync = false;
  bool Rdtsc = false;
  bool AnalogJoystick = false;
  bool Eagle = false;
  bool ScanLines = false;

  friend bool operator==(const TLaunchOptions&, const TLaunchOptions&) = default;
};
