#include "platform/forms/win32/ControlPeers.h"

#include <commctrl.h>

#include <string>

#include "platform/SystemError.h"
#include "platform/forms/Forms.h"
#include "platform/forms/win32/FormPeer.h"
#include "platform/sysutils.h"
#include "platform/windows/WideText.h"

namespace forms::win32 {
namespace {

// Control ids start above IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
int nextControlId = 100;

TWin32FormPeer& FormPeerOf(const TControl& control) {
  TForm* form = control.ParentForm();
  auto* peer = form != nullptr ? dynamic_cast<TWin32FormPeer*>(form->Peer()) : nullptr;
  if (peer == nullptr) throw Exception("The control " + control.Name() + " is in no shown window");
  return *peer;
}

HWND ParentWindowOf(const TControl& control) {
  TNativePeer* parent = NativePeerOf(control.Parent());
  if (parent == nullptr) throw Exception("The control " + control.Name() + " has no parent window");
  return parent->Handle();
}

HWND CreateChild(const wchar_t* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                 const RECT& place, HWND parent, TNativePeer* peer, HFONT font) {
  HWND window = CreateWindowExW(
      exStyle, windowClass, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
      place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId++)), GetModuleHandleW(nullptr),
      nullptr);
  if (window == nullptr)
    throw Exception("Cannot create a window: " + SystemErrorMessage(GetLastError()));
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return window;
}

// Moves a child window to `place` in its parent's client area.
void Place(HWND window, const RECT& place) {
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetTabStop(HWND window, bool stop) {
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  style = stop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
  SetWindowLongPtrW(window, GWL_STYLE, style);
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
      if (RouteCommand(wParam, lParam)) return 0;
      break;
    case WM_ERASEBKGND: {
      RECT inside;
      GetClientRect(window, &inside);
      FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // The children sit on the frame's face: the same colour as the form's.
      return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, ContainerProc, 0);
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// Makes the frame window of a group box or radio group a container of native children.
void MakeContainer(HWND frame) {
  SetWindowSubclass(frame, ContainerProc, 0, 0);
}

}  // namespace

// --- TChildPeer

TChildPeer::TChildPeer(TControl& control, const wchar_t* windowClass, DWORD style, DWORD exStyle)
    : TNativePeer(control), formPeer_(FormPeerOf(control)) {
  handle_ = CreateChild(windowClass, control.Caption(), style, exStyle,
                        formPeer_.Scale(control.BoundsRect()), ParentWindowOf(control), this,
                        formPeer_.Font());
  EnableWindow(handle_, control.EnabledInParents());
  formPeer_.AddHintTool(handle_);
}

TChildPeer::~TChildPeer() {
  formPeer_.RemoveHintTool(handle_);
  DestroyWindow(handle_);
}

void TChildPeer::Update(TPeerChange change) {
  switch (change) {
    case TPeerChange::Bounds:
      Place(handle_, formPeer_.Scale(control_.BoundsRect()));
      break;
    case TPeerChange::Caption:
      SetWindowTextW(handle_, Widen(control_.Caption()).c_str());
      break;
    case TPeerChange::Enabled:
      EnableWindow(handle_, control_.EnabledInParents());
      break;
    case TPeerChange::Font:
      SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(formPeer_.Font()), TRUE);
      break;
    case TPeerChange::Items:
    case TPeerChange::Selection:
      break;
  }
  UpdateOwn(change);
}

void TChildPeer::Focus() {
  ::SetFocus(FocusWindow());
}

// --- TButtonPeer

TButtonPeer::TButtonPeer(TButton& button)
    : TChildPeer(button, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP), button_(button) {}

void TButtonPeer::Command(HWND, WORD code) {
  if (code == BN_CLICKED) Press();
}

void TButtonPeer::Press() {
  DeliverUserEvent([this] { button_.UserClick(); });
}

// --- TCheckBoxPeer

TCheckBoxPeer::TCheckBoxPeer(TCheckBox& box)
    : TChildPeer(box, L"BUTTON", BS_CHECKBOX | WS_TABSTOP), box_(box) {
  UpdateOwn(TPeerChange::Selection);
}

void TCheckBoxPeer::Command(HWND, WORD code) {
  if (code == BN_CLICKED) DeliverUserEvent([this] { box_.UserClick(); });
}

void TCheckBoxPeer::UpdateOwn(TPeerChange change) {
  if (change == TPeerChange::Selection)
    SendMessageW(Handle(), BM_SETCHECK, box_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
}

// --- TListBoxPeer

TListBoxPeer::TListBoxPeer(TListBox& list)
    : TChildPeer(list, L"LISTBOX",
                 WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                 WS_EX_CLIENTEDGE),
      list_(list) {
  FillItems();
}

void TListBoxPeer::FillItems() {
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (int row = 0; row < list_.Items().Count(); ++row)
    SendMessageW(Handle(), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(Widen(list_.Items()[row]).c_str()));
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TListBoxPeer::Command(HWND, WORD code) {
  switch (code) {
    case LBN_SELCHANGE: {
      const int row = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
      DeliverUserEvent([this, row] { list_.UserSelect(row); });
      // The object may have refused (a disabled list): show what it holds.
      if (list_.ItemIndex() != row)
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
      break;
    }
    case LBN_DBLCLK:
      DeliverUserEvent([this] { list_.UserDoubleClick(); });
      break;
  }
}

void TListBoxPeer::UpdateOwn(TPeerChange change) {
  if (change == TPeerChange::Items) FillItems();
  if (change == TPeerChange::Selection)
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
}

// --- TGroupBoxPeer

TGroupBoxPeer::TGroupBoxPeer(TGroupBox& group)
    : TChildPeer(group, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT) {
  MakeContainer(Handle());
}

// --- TRadioGroupPeer

TRadioGroupPeer::TRadioGroupPeer(TRadioGroup& group)
    : TChildPeer(group, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT),
      group_(group) {
  MakeContainer(Handle());
  MakeButtons();
}

TRadioGroupPeer::~TRadioGroupPeer() {
  DestroyButtons();
}

void TRadioGroupPeer::MakeButtons() {
  for (int index = 0; index < group_.Items().Count(); ++index) {
    // WS_GROUP on the first: the arrow keys stay among these buttons. BS_NOTIFY reports the
    // focus, which the arrow keys move.
    const DWORD style = BS_RADIOBUTTON | BS_NOTIFY | (index == 0 ? WS_GROUP : 0);
    HWND button = CreateChild(L"BUTTON", group_.Items()[index], style, 0, RECT{}, Handle(), this,
                              FormPeer().Font());
    EnableWindow(button, group_.EnabledInParents());
    FormPeer().AddHintTool(button);
    buttons_.push_back(button);
  }
  PlaceButtons();
  ShowSelection();
}

void TRadioGroupPeer::DestroyButtons() {
  for (HWND button : buttons_) {
    FormPeer().RemoveHintTool(button);
    DestroyWindow(button);
  }
  buttons_.clear();
}

void TRadioGroupPeer::PlaceButtons() {
  for (int index = 0; index < static_cast<int>(buttons_.size()); ++index) {
    Place(buttons_[static_cast<std::size_t>(index)],
          FormPeer().Scale(group_.ButtonBounds(index, FormPeer().TextHeight())));
  }
}

void TRadioGroupPeer::ShowSelection() {
  for (int index = 0; index < static_cast<int>(buttons_.size()); ++index) {
    HWND button = buttons_[static_cast<std::size_t>(index)];
    const bool selected = index == group_.ItemIndex();
    SendMessageW(button, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    SetTabStop(button, selected);
  }
}

HWND TRadioGroupPeer::FocusWindow() const {
  const int index = group_.ItemIndex();
  if (index >= 0 && index < static_cast<int>(buttons_.size()))
    return buttons_[static_cast<std::size_t>(index)];
  return buttons_.empty() ? Handle() : buttons_.front();
}

void TRadioGroupPeer::Command(HWND from, WORD code) {
  // A button that gets the focus is picked, as one that is clicked: that is how the arrow keys
  // move the selection. (Tab only ever lands on the selected one.)
  if (code != BN_CLICKED && code != BN_SETFOCUS) return;
  for (int index = 0; index < static_cast<int>(buttons_.size()); ++index) {
    if (buttons_[static_cast<std::size_t>(index)] != from) continue;
    DeliverUserEvent([this, index] { group_.UserSelect(index); });
    return;
  }
}

void TRadioGroupPeer::UpdateOwn(TPeerChange change) {
  switch (change) {
    case TPeerChange::Bounds:
    case TPeerChange::Font:
      for (HWND button : buttons_)
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(FormPeer().Font()), TRUE);
      PlaceButtons();
      break;
    case TPeerChange::Enabled:
      for (HWND button : buttons_) EnableWindow(button, group_.EnabledInParents());
      break;
    case TPeerChange::Items:
      DestroyButtons();
      MakeButtons();
      break;
    case TPeerChange::Selection:
      ShowSelection();
      break;
    case TPeerChange::Caption:
      break;
  }
}

}  // namespace forms::win32
