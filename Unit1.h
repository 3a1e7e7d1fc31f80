#pragma once

#include "options/LaunchOptions.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "settings/SettingsValues.h"

// The launcher's window: the game list, the option groups and the Play button.
class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* Owner);

  TRadioGroup* RadioGroup1 = nullptr;  // SoundCard
  TRadioGroup* RadioGroup2 = nullptr;  // YM2151 Sample Rate
  TRadioGroup* RadioGroup5 = nullptr;  // Resolution
  TRadioGroup* RadioGroup6 = nullptr;  // Skip Frame
  TListBox* ListBox1 = nullptr;        // the games
  TButton* Button1 = nullptr;          // Play!!
  TGroupBox* GroupBox1 = nullptr;      // Vsync
  TCheckBox* CheckBox1 = nullptr;
  TGroupBox* GroupBox2 = nullptr;  // RDTSC
  TCheckBox* CheckBox2 = nullptr;
  TGroupBox* GroupBox3 = nullptr;  // AnalogJoystick
  TCheckBox* CheckBox3 = nullptr;
  TGroupBox* GroupBox4 = nullptr;  // Eagle graphics
  TCheckBox* CheckBox4 = nullptr;
  TGroupBox* GroupBox5 = nullptr;  // ScanLine
  TCheckBox* CheckBox5 = nullptr;
  TRadioGroup* RadioGroup3 = nullptr;  // Sound Emu

  // Puts loaded settings into the controls, in a fixed order: the ScanLine box before the
  // resolution, so that a stored width overrides what the ScanLine coupling selects.
  void ApplySettings(const TSettingsValues& values);
  // The options of a Play as the controls show them.
  TLaunchOptions ReadOptionsFromWindow() const;

  // Play: store the options, run the emulator, wait for its end, show what it left behind.
  void Button1Click(TObject* Sender);
  // ScanLine on selects 640 x 480 and locks the resolution; off unlocks it.
  void CheckBox5Click(TObject* Sender);
};

extern TForm1* Form1;
