#include "platform/forms/Controls.h"

#include <algorithm>

#include "platform/forms/Forms.h"
#include "platform/sysutils.h"

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
  // A form whose part as a TWinControl is gone has detached its children already.
  if (TForm* form = ParentForm(); form != nullptr && form != this) form->ControlRemoved(this);
  peer_.reset();
  if (parent_ != nullptr) std::erase(parent_->controls_, this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) {
    if (TForm* form = ParentForm()) form->ControlRemoved(this);
    DestroyPeers();
    std::erase(parent_->controls_, this);
  }
  parent_ = parent;
  if (parent_ == nullptr) return;
  if (tabOrder_ < 0) tabOrder_ = static_cast<int>(parent_->controls_.size());
  parent_->controls_.push_back(this);
  if (parent_->Peer() != nullptr) CreatePeers();
}

TForm* TControl::ParentForm() const {
  const TControl* control = this;
  while (control->parent_ != nullptr) control = control->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  TRect bounds{left, top, width, height};
  if (bounds == bounds_) return;
  bounds_ = bounds;
  UpdatePeer(TPeerChange::Bounds);
}

void TControl::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  UpdatePeer(TPeerChange::Caption);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

bool TControl::EnabledInParents() const {
  for (const TControl* control = this; control != nullptr; control = control->parent_)
    if (!control->enabled_) return false;
  return true;
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_ != nullptr) return parent_->ShowHint();
  return showHint_;
}

void TControl::SetShowHint(bool showHint) {
  showHint_ = showHint;
  parentShowHint_ = false;
}

bool TControl::CanFocus() const {
  return TakesFocus() && EnabledInParents();
}

void TControl::SetFocus() {
  TForm* form = ParentForm();
  if (form == nullptr || !CanFocus())
    throw Exception("Cannot focus a disabled or invisible window");
  form->FocusControl(this);
}

bool TControl::Focused() const {
  TForm* form = ParentForm();
  return form != nullptr && form->ActiveControl() == this;
}

void TControl::UpdatePeer(TPeerChange change) {
  if (peer_) peer_->Update(change);
}

void TControl::CreatePeers() {
  if (!peer_) peer_ = MakePeer();
}

void TControl::DestroyPeers() {
  peer_.reset();
}

void TControl::EnabledChanged() {
  UpdatePeer(TPeerChange::Enabled);
}

TWinControl::~TWinControl() {
  if (TForm* form = ParentForm(); form != nullptr && form != this) form->ControlRemoved(this);
  // Native children live inside the native parent: take them down first, while both exist.
  DestroyPeers();
  for (TControl* control : controls_) control->parent_ = nullptr;
  controls_.clear();
}

TControl* TWinControl::ControlAtPos(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (!control->BoundsRect().Contains(x, y)) continue;
    if (auto* container = dynamic_cast<TWinControl*>(control)) {
      if (TControl* inner = container->ControlAtPos(x - control->Left(), y - control->Top()))
        return inner;
    }
    return control;
  }
  return nullptr;
}

std::vector<TControl*> TWinControl::TabOrderList() const {
  std::vector<TControl*> list;
  AppendTabOrder(list);
  return list;
}

std::vector<TControl*> TWinControl::ChildrenInTabOrder() const {
  std::vector<TControl*> children = controls_;
  std::stable_sort(children.begin(), children.end(), [](const TControl* a, const TControl* b) {
    return a->TabOrder() < b->TabOrder();
  });
  return children;
}

void TWinControl::AppendTabOrder(std::vector<TControl*>& list) const {
  for (TControl* control : ChildrenInTabOrder()) {
    list.push_back(control);
    if (auto* container = dynamic_cast<TWinControl*>(control)) container->AppendTabOrder(list);
  }
}

void TWinControl::CreatePeers() {
  TControl::CreatePeers();
  if (!peer_) return;  // a backend without peers
  for (TControl* control : controls_) control->CreatePeers();
}

void TWinControl::DestroyPeers() {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->DestroyPeers();
  TControl::DestroyPeers();
}

void TWinControl::EnabledChanged() {
  TControl::EnabledChanged();
  for (TControl* control : controls_) control->EnabledChanged();
}
