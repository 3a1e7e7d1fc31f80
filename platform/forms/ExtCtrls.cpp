#include "platform/forms/ExtCtrls.h"

#include "platform/forms/Backend.h"

TRadioGroup::TRadioGroup(TComponent* AOwner) : TWinControl(AOwner) {
  items_.onChange_ = [this] { ItemsChanged(); };
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < 0) index = -1;
  if (index >= items_.Count()) index = items_.Count() - 1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  UpdatePeer(TPeerChange::Selection);
}

void TRadioGroup::UserSelect(int index) {
  if (!EnabledInParents() || index < 0 || index >= items_.Count()) return;
  SetItemIndex(index);
}

TRect TRadioGroup::ButtonBounds(int index, int textHeight) const {
  const int count = items_.Count();
  if (count == 0) return {};
  const int below = Height() - textHeight - 5;
  const int step = below / count;
  const int top = textHeight + 1 + (below % count) / 2;
  return {8, top + index * step, Width() - 10, step};
}

void TRadioGroup::ItemsChanged() {
  if (itemIndex_ >= items_.Count()) itemIndex_ = items_.Count() - 1;
  UpdatePeer(TPeerChange::Items);
}

std::unique_ptr<TControlPeer> TRadioGroup::MakePeer() {
  return forms::backend::CreatePeer(*this);
}
