#include "platform/forms/Layout.h"

#include <vector>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"

namespace {

std::vector<std::string> Lines(std::span<const std::string_view> items) {
  return {items.begin(), items.end()};
}

TControl* MakeControl(TForm& form, const TLayoutItem& item) {
  switch (item.Kind) {
    case TControlKind::RadioGroup: {
      auto* group = new TRadioGroup(&form);
      group->Items().Assign(Lines(item.Items));
      group->SetItemIndex(item.ItemIndex);
      return group;
    }
    case TControlKind::ListBox: {
      auto* list = new TListBox(&form);
      list->Items().Assign(Lines(item.Items));
      list->SetItemIndex(item.ItemIndex);
      return list;
    }
    case TControlKind::Button:
      return new TButton(&form);
    case TControlKind::GroupBox:
      return new TGroupBox(&form);
    case TControlKind::CheckBox: {
      auto* box = new TCheckBox(&form);
      box->SetChecked(item.Checked);
      return box;
    }
  }
  throw Exception("Unknown kind of control " + std::string(item.Name));
}

}  // namespace

void ApplyFormSettings(TForm& form, const TFormSettings& settings) {
  form.SetCaption(std::string(settings.Caption));
  form.SetClientSize(settings.ClientWidth, settings.ClientHeight);
  form.SetBorderStyle(settings.BorderStyle);
  form.SetPosition(settings.Position);
  form.SetFont(settings.Font);
  form.SetShowHint(settings.ShowHint);
  form.SetIcon(settings.Icon);
}

void BuildLayout(TForm& form, std::span<const TLayoutItem> layout) {
  for (const TLayoutItem& item : layout) {
    TWinControl* parent = &form;
    if (!item.Parent.empty())
      parent = FindLayoutControl<TWinControl>(form, std::string(item.Parent));
    TControl* control = MakeControl(form, item);
    control->SetName(std::string(item.Name));
    control->SetBounds(item.Left, item.Top, item.Width, item.Height);
    control->SetCaption(std::string(item.Caption));
    control->SetTabOrder(item.TabOrder);
    control->SetHint(std::string(item.Hint));
    switch (item.HintSwitch) {
      case THintSwitch::FromParent:
        control->SetParentShowHint(true);
        break;
      case THintSwitch::On:
        control->SetShowHint(true);
        break;
    }
    control->SetParent(parent);
  }
}
