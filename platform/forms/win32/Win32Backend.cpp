// The native Windows backend: standard controls (BUTTON, LISTBOX) and comctl32 tooltips, with
// texts through the wide API and the dialog manager's keyboard handling.
#include <windows.h>

#include <commctrl.h>

#include "platform/forms/Backend.h"
#include "platform/forms/win32/ControlPeers.h"
#include "platform/forms/win32/FormPeer.h"
#include "platform/forms/win32/MessageLoop.h"
#include "platform/windows/WideText.h"

namespace forms::backend {

void Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW formClass{};
  formClass.cbSize = sizeof formClass;
  formClass.lpfnWndProc = win32::TWin32FormPeer::WindowProc;
  formClass.hInstance = GetModuleHandleW(nullptr);
  formClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  formClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  formClass.lpszClassName = win32::TWin32FormPeer::ClassName();
  RegisterClassExW(&formClass);
}

// Windows are stacked in Tab order when their form is shown; a control added to a form on
// screen later comes last in the Tab order.
std::unique_ptr<TFormPeer> CreatePeer(TForm& form) {
  return std::make_unique<win32::TWin32FormPeer>(form);
}
std::unique_ptr<TControlPeer> CreatePeer(TButton& control) {
  return std::make_unique<win32::TButtonPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TCheckBox& control) {
  return std::make_unique<win32::TCheckBoxPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TGroupBox& control) {
  return std::make_unique<win32::TGroupBoxPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TListBox& control) {
  return std::make_unique<win32::TListBoxPeer>(control);
}
std::unique_ptr<TControlPeer> CreatePeer(TRadioGroup& control) {
  return std::make_unique<win32::TRadioGroupPeer>(control);
}

void ShowErrorBox(const std::string& caption, const std::string& text) {
  // Owned by the active window, which it disables while it is open and activates again after;
  // with none, every window of the program waits for it.
  HWND owner = GetActiveWindow();
  HWND focus = GetFocus();
  MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(),
              MB_OK | MB_ICONSTOP | (owner == nullptr ? MB_TASKMODAL : 0));
  // The window that was active gets the keyboard back where it was, whatever the system made
  // active meanwhile.
  if (owner != nullptr && IsWindow(owner) && IsWindowVisible(owner)) {
    SetForegroundWindow(owner);
    SetActiveWindow(owner);
    if (focus != nullptr && IsWindow(focus) && GetAncestor(focus, GA_ROOT) == owner)
      SetFocus(focus);
  }
}

void DiscardPendingInput() {
  // The messages that start something: presses of keys and buttons, on the controls or on the
  // frame (the close box), and turns of the wheel. Releases and moves still pass, and so does
  // everything else waiting (repaints, focus, timers), for the loop to handle as usual. Asking
  // for them also turns what the window system holds for the program into messages first.
  static constexpr UINT Starts[] = {
      WM_KEYDOWN,       WM_SYSKEYDOWN,      WM_CHAR,          WM_SYSCHAR,
      WM_DEADCHAR,      WM_SYSDEADCHAR,     WM_LBUTTONDOWN,   WM_LBUTTONDBLCLK,
      WM_RBUTTONDOWN,   WM_RBUTTONDBLCLK,   WM_MBUTTONDOWN,   WM_MBUTTONDBLCLK,
      WM_XBUTTONDOWN,   WM_XBUTTONDBLCLK,   WM_MOUSEWHEEL,    WM_MOUSEHWHEEL,
      WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK,
      WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK, WM_NCXBUTTONDOWN, WM_NCXBUTTONDBLCLK,
  };
  MSG message;
  for (const UINT kind : Starts)
    while (PeekMessageW(&message, nullptr, kind, kind, PM_REMOVE | PM_NOYIELD)) {
    }
}

void RunMessageLoop(TForm& mainForm) {
  MSG message;
  while (mainForm.Visible()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for whoever runs the next loop
      break;
    }
    if (got < 0) break;
    win32::HandleMessage(message);
  }
}

}  // namespace forms::backend
