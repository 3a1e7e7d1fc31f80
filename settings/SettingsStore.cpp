#include "emulator/EmulatorContract.h"
#include "settings/SettingsFile.h"

namespace {

std::int32_t Read(const TIniFile& settings, const emulator::TSettingKey& key,
                  std::int32_t fallback) {
  return settings.ReadInteger(key.Section, key.Key, fallback);
}

void Write(TIniFile& settings, const emulator::TSettingKey& key, std::int32_t value) {
  settings.WriteInteger(key.Section, key.Key, value);
}

}  // namespace

TSettingsValues LoadSettings(const TIniFile& settings) {
  const TSettingsValues defaults;
  TSettingsValues values;
  values.SoundCard = Read(settings, emulator::SoundCardKey, defaults.SoundCard);
  values.SampleRate = Read(settings, emulator::SampleRateKey, defaults.SampleRate);
  values.Old2151 = Read(settings, emulator::Old2151Key, defaults.Old2151);
  values.XRes = Read(settings, emulator::XResKey, defaults.XRes);
  values.ScanLines = Read(settings, emulator::ScanLinesKey, defaults.ScanLines);
  values.Eagle = Read(settings, emulator::EagleKey, defaults.Eagle);
  values.Vsync = Read(settings, emulator::VsyncKey, defaults.Vsync);
  values.Rdtsc = Read(settings, emulator::RdtscKey, defaults.Rdtsc);
  return values;
}

void SaveSettings(TIniFile& settings, const TLaunchOptions& options) {
  // The order decides the layout of a new file: "general" comes after "screen" because vsync
  // creates "screen" before rdtsc creates "general".
  Write(settings, emulator::SoundCardKey, options.SoundCard);
  // Without a sound-engine choice the emulator's own value stays.
  if (options.SoundEngine == 0 || options.SoundEngine == 1)
    Write(settings, emulator::Old2151Key, options.SoundEngine);
  Write(settings, emulator::VsyncKey, options.Vsync ? 1 : 0);
  Write(settings, emulator::RdtscKey, options.Rdtsc ? 1 : 0);
  Write(settings, emulator::EagleKey, options.Eagle ? 1 : 0);
  Write(settings, emulator::ScanLinesKey, options.ScanLines ? 1 : 0);
}
