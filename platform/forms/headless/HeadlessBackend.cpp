// The backend without a display: controls have no native peers, the message loop has nothing
// to wait for, and the error box becomes a line on stderr. The unit tests run on it.
#include <iostream>

#include "platform/forms/Backend.h"

namespace forms::backend {
namespace {

class TNoPeers final : public TPeerFactory {
 public:
  std::unique_ptr<TFormPeer> CreateForm(TForm&) override { return nullptr; }
  std::unique_ptr<TControlPeer> CreateButton(TButton&) override { return nullptr; }
  std::unique_ptr<TControlPeer> CreateCheckBox(TCheckBox&) override { return nullptr; }
  std::unique_ptr<TControlPeer> CreateGroupBox(TGroupBox&) override { return nullptr; }
  std::unique_ptr<TControlPeer> CreateListBox(TListBox&) override { return nullptr; }
  std::unique_ptr<TControlPeer> CreateRadioGroup(TRadioGroup&) override { return nullptr; }
};

}  // namespace

void Initialize() {}

TPeerFactory& PeerFactory() {
  static TNoPeers factory;
  return factory;
}

void ShowErrorBox(const std::string& caption, const std::string& text) {
  std::cerr << caption << ": " << text << '\n';
}

void RunMessageLoop(TForm&) {}

void DiscardPendingInput() {}

}  // namespace forms::backend
