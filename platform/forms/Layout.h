#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/forms/Forms.h"
#include "platform/sysutils.h"

// A form described as data: the window's own settings and one row per control, in creation
// (and stacking) order. A parent's row comes before its children's.

enum class TControlKind { RadioGroup, ListBox, Button, GroupBox, CheckBox };

// How a control decides whether its hint shows.
enum class THintSwitch {
  FromParent,  // ParentShowHint on
  On,          // ShowHint on, ParentShowHint off
};

struct TLayoutItem {
  std::string_view Name;
  TControlKind Kind;
  std::string_view Parent;  // empty: the form itself
  int Left;
  int Top;
  int Width;
  int Height;
  std::string_view Caption;
  int TabOrder;
  std::string_view Hint;
  THintSwitch HintSwitch;
  std::span<const std::string_view> Items;  // list rows or radio buttons
  int ItemIndex;                            // lists and radio groups; -1: none
  bool Checked;                             // check boxes
};

struct TFormSettings {
  std::string_view Caption;
  int ClientWidth;
  int ClientHeight;
  TFormBorderStyle BorderStyle;
  TPosition Position;
  TFont Font;
  bool ShowHint;
  TIcon Icon;
};

void ApplyFormSettings(TForm& form, const TFormSettings& settings);

// Makes the controls of `layout`, owned by `form`. Raises Exception for a parent that no earlier
// row names.
void BuildLayout(TForm& form, std::span<const TLayoutItem> layout);

// The control called `name` among those `form` owns, as a `Control`; raises Exception where
// there is none of that name and kind.
template <typename Control>
Control* FindLayoutControl(const TForm& form, const std::string& name) {
  auto* control = dynamic_cast<Control*>(form.FindComponent(name));
  if (control == nullptr)
    throw Exception("The window has no control " + name + " of the expected kind");
  return control;
}

// Sets `field` to the control called `name` (see FindLayoutControl).
template <typename Control>
void BindControl(const TForm& form, Control*& field, const std::string& name) {
  field = FindLayoutControl<Control>(form, name);
}
