#pragma once

#include <array>
#include <string_view>

// What the launcher and the emulator agree on: the executable's name, the switches of its
// command line, and the settings file with the keys both of them read or write.
namespace emulator {

inline constexpr std::string_view ExecutableName = "corvanta";

// Command-line pieces; each carries its own blanks.
inline constexpr std::string_view SampleRateSwitch = " -r ";
inline constexpr std::string_view FrameSkipSwitch = " -frame ";
inline constexpr std::string_view JoystickOnSwitch = " -joy";
inline constexpr std::string_view JoystickOffSwitch = " -nojoy";

// The settings file sits in the current directory: the executable's name with ".ini".
inline constexpr std::string_view SettingsFileBaseName = "corvanta";
inline constexpr std::string_view SettingsFileExtension = ".ini";
inline constexpr std::string_view SettingsFileName = "corvanta.ini";

struct TSettingKey {
  std::string_view Section;
  std::string_view Key;
};

inline constexpr TSettingKey SoundCardKey{"sound", "soundcard"};
inline constexpr TSettingKey SampleRateKey{"sound", "samplerate"};
inline constexpr TSettingKey Old2151Key{"sound", "old2151"};
inline constexpr TSettingKey XResKey{"screen", "xres"};
inline constexpr TSettingKey ScanLinesKey{"screen", "scanlines"};
inline constexpr TSettingKey EagleKey{"screen", "eagle"};
inline constexpr TSettingKey VsyncKey{"screen", "vsync"};
inline constexpr TSettingKey RdtscKey{"general", "rdtsc"};

// The six keys the launcher stores before every start, in the order it stores them.
inline constexpr std::array<TSettingKey, 6> StoredKeys{SoundCardKey, Old2151Key, VsyncKey,
                                                       RdtscKey,     EagleKey,   ScanLinesKey};

}  // namespace emulator
