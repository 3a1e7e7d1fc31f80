#include "platform/forms/StdCtrls.h"

#include "platform/forms/Backend.h"

void TStrings::Assign(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Changed();
}

void TButton::UserClick() {
  if (!EnabledInParents()) return;
  if (OnClick) OnClick(this);
}

std::unique_ptr<TControlPeer> TButton::MakePeer() {
  return forms::backend::CreatePeer(*this);
}

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  UpdatePeer(TPeerChange::Selection);
  if (OnClick) OnClick(this);
}

void TCheckBox::UserClick() {
  if (!EnabledInParents()) return;
  SetChecked(!checked_);
}

std::unique_ptr<TControlPeer> TCheckBox::MakePeer() {
  return forms::backend::CreatePeer(*this);
}

TListBox::TListBox(TComponent* AOwner) : TControl(AOwner) {
  items_.onChange_ = [this] { ItemsChanged(); };
}

void TListBox::SetItemIndex(int index) {
  if (index < 0 || index >= items_.Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  UpdatePeer(TPeerChange::Selection);
}

void TListBox::UserSelect(int index) {
  if (!EnabledInParents()) return;
  if (index < 0 || index >= items_.Count()) {
    // The user cannot take the selection away: put the native list back as it was.
    UpdatePeer(TPeerChange::Selection);
    return;
  }
  int before = itemIndex_;
  SetItemIndex(index);
  if (itemIndex_ != before && OnClick) OnClick(this);
}

void TListBox::UserDoubleClick() {
  if (!EnabledInParents()) return;
  if (OnDblClick) OnDblClick(this);
}

void TListBox::ItemsChanged() {
  if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
  UpdatePeer(TPeerChange::Items);
}

std::unique_ptr<TControlPeer> TListBox::MakePeer() {
  return forms::backend::CreatePeer(*this);
}

std::unique_ptr<TControlPeer> TGroupBox::MakePeer() {
  return forms::backend::CreatePeer(*this);
}
