#pragma once

#include <functional>
#include <string>

#include "platform/forms/Classes.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Graphics.h"
#include "platform/sysutils.h"

// The window's frame and its place on the screen. A form is a dialog, the one kind of window
// this program shows.
enum TFormBorderStyle {
  bsDialog,  // a fixed frame with a caption bar, a system menu and a close box only
};

enum TPosition {
  poScreenCenter,  // centred on the screen when shown
};

// A top-level window. Its bounds are its client area (Left and Top on the screen); every control
// in it uses the form's font.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  const TFont& Font() const { return font_; }
  void SetFont(TFont font);
  const TIcon& Icon() const { return icon_; }
  void SetIcon(TIcon icon) { icon_ = icon; }

  bool Visible() const { return visible_; }
  // Makes the native window (first time) and shows it; the focus goes to the first Tab stop.
  void Show();
  // Hides the window. Closing the application's main form ends its message loop.
  void Close();

  // The control that has the keyboard focus, or nullptr.
  TControl* ActiveControl() const { return activeControl_; }
  // Moves the focus to the next Tab stop after the focused control (or before it, backwards),
  // wrapping round; controls that cannot take the focus now are passed over. False if there is
  // no stop at all.
  bool SelectNext(bool forward);
  void FocusControl(TControl* control);
  // The backend's report that the native focus went to `control`.
  void NoteFocus(TControl* control);
  // Fires whenever ActiveControl changes.
  TNotifyEvent OnActiveControlChange;

  // The hint to show with the pointer at (x, y) of the client area: that of the innermost control
  // there, or of the nearest enclosing control that has one; empty where that control's
  // ShowHint is off.
  std::string HintAt(int x, int y) const;

  TFormPeer* FormPeer() const { return static_cast<TFormPeer*>(Peer()); }

 protected:
  std::unique_ptr<TControlPeer> MakePeer() override;

 private:
  friend class TControl;
  friend class TApplication;
  friend class TWinControl;
  // `control` and what it holds leave the form: the focus, if there, goes with them.
  void ControlRemoved(TControl* control);
  void SetActive(TControl* control);

  TFormBorderStyle borderStyle_ = bsDialog;
  TPosition position_ = poScreenCenter;
  TFont font_;
  TIcon icon_;
  bool visible_ = false;
  TControl* activeControl_ = nullptr;
};

// The program's one application object: it runs the main form and shows errors.
class TApplication : public TComponent {
 public:
  TApplication() : TComponent(nullptr) {}
  ~TApplication() override;

  // Opens the display (see forms::backend::Initialize).
  void Initialize();

  // The program's name for its users: the caption of its error boxes.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // Makes a form owned by the application into `reference`; the first one made becomes the
  // main form. If the construction throws, `reference` is left as it was.
  template <typename TFormClass>
  void CreateForm(TFormClass*& reference) {
    reference = new TFormClass(this);
    if (mainForm_ == nullptr) mainForm_ = reference;
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and processes the user's input until it has been closed; then
  // releases the forms.
  void Run();

  // Drops the clicks and key presses waiting to be processed: what the user did while the
  // program was busy and not listening.
  void DiscardPendingInput();

  // The error box: caption Title, text the message and a full stop, stop icon, OK.
  void ShowException(const Exception& error);
  // What the message dispatch does with an Exception that left an event handler: OnException
  // if set, else ShowException.
  void HandleException(const Exception& error);
  std::function<void(TObject* Sender, const Exception& error)> OnException;

 private:
  friend class TForm;
  void FormDestroyed(TForm* form) {
    if (mainForm_ == form) mainForm_ = nullptr;
  }

  std::string title_;
  TForm* mainForm_ = nullptr;
};

extern TApplication* const Application;

// The text of the error box for `error`: its message followed by a full stop, always.
std::string ErrorBoxText(const Exception& error);

// Runs the reaction to one user action. An Exception that leaves it goes to
// Application->HandleException, and the caller's message loop goes on.
template <typename Action>
void DeliverUserEvent(Action&& action) {
  try {
    action();
  } catch (const Exception& error) {
    Application->HandleException(error);
  }
}
