#include "platform/forms/Forms.h"

#include <algorithm>

#include "platform/forms/Backend.h"

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {}

TForm::~TForm() {
  Application->FormDestroyed(this);
}

void TForm::SetFont(TFont font) {
  font_ = std::move(font);
  UpdatePeer(TPeerChange::Font);
}

void TForm::Show() {
  CreatePeers();
  visible_ = true;
  if (TFormPeer* peer = FormPeer()) peer->Show();
  if (activeControl_ == nullptr) SelectNext(true);
}

void TForm::Close() {
  if (!visible_) return;
  visible_ = false;
  if (TFormPeer* peer = FormPeer()) peer->Hide();
}

bool TForm::SelectNext(bool forward) {
  const std::vector<TControl*> list = TabOrderList();
  const size_t count = list.size();
  if (count == 0) return false;
  auto found = std::find(list.begin(), list.end(), activeControl_);
  // With nothing focused, start just outside the list, so the first (or last) stop is next.
  size_t from =
      found != list.end() ? static_cast<size_t>(found - list.begin()) : (forward ? count - 1 : 0);
  for (size_t step = 1; step <= count; ++step) {
    size_t index = forward ? (from + step) % count : (from + count - step) % count;
    if (list[index]->CanFocus()) {
      FocusControl(list[index]);
      return true;
    }
  }
  return false;
}

void TForm::FocusControl(TControl* control) {
  SetActive(control);
  if (control != nullptr && control->Peer() != nullptr) control->Peer()->Focus();
}

void TForm::NoteFocus(TControl* control) {
  SetActive(control);
}

void TForm::SetActive(TControl* control) {
  if (control == activeControl_) return;
  activeControl_ = control;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TForm::ControlRemoved(TControl* control) {
  for (const TControl* c = activeControl_; c != nullptr; c = c->Parent())
    if (c == control) {
      activeControl_ = nullptr;
      return;
    }
}

std::string TForm::HintAt(int x, int y) const {
  const TControl* control = ControlAtPos(x, y);
  if (control == nullptr) control = this;
  if (!control->ShowHint()) return {};
  for (; control != nullptr; control = control->Parent())
    if (!control->Hint().empty()) return control->Hint();
  return {};
}

std::unique_ptr<TControlPeer> TForm::MakePeer() {
  return forms::backend::CreatePeer(*this);
}

namespace {
TApplication theApplication;
}

TApplication* const Application = &theApplication;

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  forms::backend::Initialize();
}

void TApplication::Run() {
  if (mainForm_ == nullptr) return;
  mainForm_->Show();
  forms::backend::RunMessageLoop(*mainForm_);
  mainForm_ = nullptr;
  DestroyComponents();
}

void TApplication::DiscardPendingInput() {
  forms::backend::DiscardPendingInput();
}

void TApplication::ShowException(const Exception& error) {
  forms::backend::ShowErrorBox(title_, ErrorBoxText(error));
}

void TApplication::HandleException(const Exception& error) {
  if (OnException)
    OnException(this, error);
  else
    ShowException(error);
}

std::string ErrorBoxText(const Exception& error) {
  return error.Message() + ".";
}
