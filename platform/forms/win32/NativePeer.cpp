#include "platform/forms/win32/NativePeer.h"

namespace forms::win32 {

TNativePeer* NativePeerOf(const TControl* control) {
  return control != nullptr ? dynamic_cast<TNativePeer*>(control->Peer()) : nullptr;
}

TNativePeer* NativePeerOfWindow(HWND window) {
  if (window == nullptr) return nullptr;
  // Only windows of this process carry our pointers.
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  return reinterpret_cast<TNativePeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool RouteCommand(WPARAM wParam, LPARAM lParam) {
  auto from = reinterpret_cast<HWND>(lParam);
  if (from == nullptr || GetDlgCtrlID(from) != LOWORD(wParam)) return false;
  TNativePeer* peer = NativePeerOfWindow(from);
  if (peer == nullptr) return false;
  peer->Command(from, HIWORD(wParam));
  return true;
}

}  // namespace forms::win32
