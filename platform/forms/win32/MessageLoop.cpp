#include "platform/forms/win32/MessageLoop.h"

#include "platform/forms/Forms.h"
#include "platform/forms/NativeFocus.h"
#include "platform/forms/win32/ControlPeers.h"
#include "platform/forms/win32/FormPeer.h"
#include "platform/forms/win32/PendingException.h"

namespace forms::win32 {
namespace {

bool IsFormWindow(HWND window) {
  wchar_t name[32] = {};
  return window != nullptr && GetClassNameW(window, name, 32) > 0 &&
         lstrcmpW(name, TWin32FormPeer::ClassName()) == 0;
}

void NoteFocusChange() {
  HWND focus = GetFocus();
  TNativePeer* peer = NativePeerOfWindow(focus);
  NoteNativeFocus(focus, peer != nullptr ? &peer->Control() : nullptr);
}

// Enter presses the push button that has the focus, on every form. The dialog manager would
// only do that for a dialog's default button, and a form has none: elsewhere Enter stays
// without meaning.
bool PressFocusedButton(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  if (message.hwnd != GetFocus() || GetKeyState(VK_CONTROL) < 0) return false;
  auto* button = dynamic_cast<TButtonPeer*>(NativePeerOfWindow(message.hwnd));
  if (button == nullptr || !IsWindowEnabled(message.hwnd)) return false;
  button->Press();
  return true;
}

}  // namespace

void HandleMessage(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (PressFocusedButton(message)) {
    // Handled: neither the dialog manager nor the button sees this Enter.
  } else if (!IsFormWindow(root) || !IsDialogMessageW(root, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RaisePendingException();
  NoteFocusChange();
}

void HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    HandleMessage(message);
  }
  RaisePendingException();
  NoteFocusChange();
}

}  // namespace forms::win32
