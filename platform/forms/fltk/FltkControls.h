#pragma once

#include <memory>

#include "platform/forms/Peer.h"

namespace forms::fltk {

std::unique_ptr<TControlPeer> MakeButtonPeer(TButton& control);
std::unique_ptr<TControlPeer> MakeCheckBoxPeer(TCheckBox& control);
std::unique_ptr<TControlPeer> MakeGroupBoxPeer(TGroupBox& control);
std::unique_ptr<TControlPeer> MakeListBoxPeer(TListBox& control);
std::unique_ptr<TControlPeer> MakeRadioGroupPeer(TRadioGroup& control);
std::unique_ptr<TFormPeer> MakeFormPeer(TForm& form);

}  // namespace forms::fltk
