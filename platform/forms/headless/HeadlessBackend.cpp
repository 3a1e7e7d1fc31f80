// The backend without a display: controls have no native peers, the message loop has nothing
// to wait for, and the error box becomes a line on stderr. The unit tests run on it.
#include <iostream>

#include "platform/forms/Backend.h"

namespace forms::backend {

void Initialize() {}

std::unique_ptr<TFormPeer> CreatePeer(TForm&) {
  return nullptr;
}
std::unique_ptr<TControlPeer> CreatePeer(TButton&) {
  return nullptr;
}
std::unique_ptr<TControlPeer> CreatePeer(TCheckBox&) {
  return nullptr;
}
std::unique_ptr<TControlPeer> CreatePeer(TGroupBox&) {
  return nullptr;
}
std::unique_ptr<TControlPeer> CreatePeer(TListBox&) {
  return nullptr;
}
std::unique_ptr<TControlPeer> CreatePeer(TRadioGroup&) {
  return nullptr;
}

void ShowErrorBox(const std::string& caption, const std::string& text) {
  std::cerr << caption << ": " << text << '\n';
}

void RunMessageLoop(TForm&) {}

void DiscardPendingInput() {}

}  // namespace forms::backend
