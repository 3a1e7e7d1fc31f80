#pragma once

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

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

  void Button1Click(TObject* Sender);
  void CheckBox5Click(TObject* Sender);
};

extern TForm1* Form1;
