#pragma once

#include <memory>
#include <string>

#include "platform/forms/Peer.h"

class TButton;
class TCheckBox;
class TForm;
class TGroupBox;
class TListBox;
class TRadioGroup;

// What a backend provides. Exactly one backend is linked into a program: forms_headless (no
// peers; the unit tests), forms_fltk (X11 through FLTK 1.3) or forms_win32 (the native Windows
// controls). Nothing above this header knows which.
namespace forms::backend {

// Opens the connection to the display. Where there is none to open, the backend says so in
// one line on stderr, naming the display it tried, and ends the process with exit code 1:
// there is nowhere to show an error box.
void Initialize();

// The native peer of a control, made inside its parent's peer; nullptr from a backend without
// peers.
std::unique_ptr<TFormPeer> CreatePeer(TForm& form);
std::unique_ptr<TControlPeer> CreatePeer(TButton& control);
std::unique_ptr<TControlPeer> CreatePeer(TCheckBox& control);
std::unique_ptr<TControlPeer> CreatePeer(TGroupBox& control);
std::unique_ptr<TControlPeer> CreatePeer(TListBox& control);
std::unique_ptr<TControlPeer> CreatePeer(TRadioGroup& control);

// The application's error box: caption, text, the stop icon and one OK button; modal to every
// window of the application; returns when it has been dismissed.
void ShowErrorBox(const std::string& caption, const std::string& text);

// Processes the user's input until `mainForm` has been closed. The form is shown already.
void RunMessageLoop(TForm& mainForm);

// Drops the clicks and key presses that reached the application but were not processed yet;
// everything else waiting (repaints, focus changes, releases) is processed as usual.
void DiscardPendingInput();

}  // namespace forms::backend
