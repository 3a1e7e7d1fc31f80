#pragma once

#include <windows.h>

#include <vector>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/win32/NativePeer.h"

namespace forms::win32 {

class TWin32FormPeer;

// A control that is one native child window of the standard classes.
class TChildPeer : public TControlPeer, public TNativePeer {
 public:
  ~TChildPeer() override;
  void Update(TPeerChange change) override;
  void Focus() override;

 protected:
  TChildPeer(TControl& control, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);
  TWin32FormPeer& FormPeer() const { return formPeer_; }
  // Kind-specific updates; the shared ones (bounds, caption, enabled, font) are done already.
  virtual void UpdateOwn(TPeerChange /*change*/) {}

 private:
  TWin32FormPeer& formPeer_;
};

class TButtonPeer final : public TChildPeer {
 public:
  explicit TButtonPeer(TButton& button);
  void Command(HWND from, WORD code) override;
  // Enter on the focused button: it is pressed at once, as a dialog's default button is.
  void Press();

 private:
  TButton& button_;
};

// BS_CHECKBOX, not the automatic kind: the object decides the state, the window shows it.
class TCheckBoxPeer final : public TChildPeer {
 public:
  explicit TCheckBoxPeer(TCheckBox& box);
  void Command(HWND from, WORD code) override;

 protected:
  void UpdateOwn(TPeerChange change) override;

 private:
  TCheckBox& box_;
};

class TListBoxPeer final : public TChildPeer {
 public:
  explicit TListBoxPeer(TListBox& list);
  void Command(HWND from, WORD code) override;

 protected:
  void UpdateOwn(TPeerChange change) override;

 private:
  void FillItems();
  TListBox& list_;
};

// A BS_GROUPBOX frame that holds other controls' windows. The standard group box neither paints
// its inside nor passes its children's notifications on; a subclass does both.
class TGroupBoxPeer final : public TChildPeer {
 public:
  explicit TGroupBoxPeer(TGroupBox& group);
};

// A group box frame with one BS_RADIOBUTTON per item, not the automatic kind: a click asks the
// object, which may select the button, and the windows show what it decided, none included.
// Only the selected button is a Tab stop, so Tab enters the group there and passes over a
// group without a selection; the arrow keys move the selection within it.
class TRadioGroupPeer final : public TChildPeer {
 public:
  explicit TRadioGroupPeer(TRadioGroup& group);
  ~TRadioGroupPeer() override;
  void Command(HWND from, WORD code) override;
  HWND FocusWindow() const override;

 protected:
  void UpdateOwn(TPeerChange change) override;

 private:
  void MakeButtons();
  void DestroyButtons();
  void PlaceButtons();
  void ShowSelection();

  TRadioGroup& group_;
  std::vector<HWND> buttons_;
};

}  // namespace forms::win32
