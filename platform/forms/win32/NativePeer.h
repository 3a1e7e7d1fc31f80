#pragma once

#include <windows.h>

#include "platform/forms/Controls.h"

namespace forms::win32 {

class TWin32FormPeer;

// What every native peer of this backend shares: the control it mirrors and the native windows
// that mirror it. A native child window carries its peer in GWLP_USERDATA, so that a
// notification from it finds its way back.
class TNativePeer {
 public:
  explicit TNativePeer(TControl& control) : control_(control) {}
  virtual ~TNativePeer() = default;
  TNativePeer(const TNativePeer&) = delete;
  TNativePeer& operator=(const TNativePeer&) = delete;

  TControl& Control() const { return control_; }
  // The window that holds this control's native children.
  HWND Handle() const { return handle_; }

  // A WM_COMMAND notification `code` from `from`, one of this peer's windows.
  virtual void Command(HWND /*from*/, WORD /*code*/) {}
  // The window the keyboard focus goes to.
  virtual HWND FocusWindow() const { return handle_; }

 protected:
  TControl& control_;
  HWND handle_ = nullptr;
};

// The native peer of `control`, or nullptr where it has none (yet).
TNativePeer* NativePeerOf(const TControl* control);
// The peer whose native window `window` is, or nullptr for a window of no peer.
TNativePeer* NativePeerOfWindow(HWND window);

// Sends a WM_COMMAND from a native child to the peer it belongs to. Only a genuine notification
// counts: the dialog manager reports Enter and Escape as commands IDOK and IDCANCEL naming the
// focused window, and those have no meaning in this window. True if a peer took it.
bool RouteCommand(WPARAM wParam, LPARAM lParam);

}  // namespace forms::win32
