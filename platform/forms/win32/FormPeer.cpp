#include "platform/forms/win32/FormPeer.h"

#include <commctrl.h>

#include <exception>

#include "platform/SystemError.h"
#include "platform/forms/win32/ApplicationWindow.h"
#include "platform/forms/win32/FontChoice.h"
#include "platform/forms/win32/PendingException.h"
#include "platform/sysutils.h"
#include "platform/windows/WideText.h"

namespace forms::win32 {
namespace {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

TOOLINFOW ToolFor(HWND owner, HWND window) {
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by the common controls of every version
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  return tool;
}

// Stacks the native windows of the container and of every container inside in Tab order, which
// is the order the dialog manager's Tab key follows.
void StackInTabOrder(const TWinControl& container) {
  HWND previous = HWND_TOP;
  for (TControl* child : container.ChildrenInTabOrder()) {
    TNativePeer* peer = NativePeerOf(child);
    if (peer == nullptr) continue;
    SetWindowPos(peer->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = peer->Handle();
    if (auto* inner = dynamic_cast<TWinControl*>(child)) StackInTabOrder(*inner);
  }
}

}  // namespace

const wchar_t* TWin32FormPeer::ClassName() {
  return L"CorvantaForm";
}

TWin32FormPeer::TWin32FormPeer(TForm& form) : TNativePeer(form), form_(form), dpi_(ScreenDpi()) {
  ApplyFont();
  RECT frame{0, 0, Scale(form.ClientWidth()), Scale(form.ClientHeight())};
  AdjustWindowRectEx(&frame, Style(), FALSE, ExStyle());
  handle_ = CreateWindowExW(ExStyle(), ClassName(), Widen(form.Caption()).c_str(), Style(),
                            Scale(form.Left()), Scale(form.Top()), frame.right - frame.left,
                            frame.bottom - frame.top, ApplicationWindow(), nullptr,
                            GetModuleHandleW(nullptr), this);
  if (handle_ == nullptr) {
    DeleteObject(font_);
    throw Exception("Cannot create the window: " + SystemErrorMessage(GetLastError()));
  }

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_ != nullptr) {
    // The hints are Japanese: they take the form's font, which has the glyphs.
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(400));
    AddHintTool(handle_);
  }
}

TWin32FormPeer::~TWin32FormPeer() {
  if (tooltip_ != nullptr) DestroyWindow(tooltip_);
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
  DeleteObject(font_);
}

DWORD TWin32FormPeer::Style() const {
  return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

DWORD TWin32FormPeer::ExStyle() const {
  // A dialog frame, without an icon on its caption; the Tab key descends into containers.
  return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}

RECT TWin32FormPeer::Scale(const TRect& bounds) const {
  return RECT{Scale(bounds.Left), Scale(bounds.Top), Scale(bounds.Left + bounds.Width),
              Scale(bounds.Top + bounds.Height)};
}

void TWin32FormPeer::ApplyFont() {
  HFONT previous = font_;
  font_ = CreateFormFont(form_.Font(), dpi_);
  if (previous != nullptr) DeleteObject(previous);
}

void TWin32FormPeer::ApplyBounds(bool centre) {
  RECT frame{0, 0, Scale(form_.ClientWidth()), Scale(form_.ClientHeight())};
  AdjustWindowRectEx(&frame, Style(), FALSE, ExStyle());
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(handle_, nullptr, x, y, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | (centre ? 0 : SWP_NOMOVE));
}

void TWin32FormPeer::Update(TPeerChange change) {
  switch (change) {
    case TPeerChange::Bounds:
      ApplyBounds(false);
      break;
    case TPeerChange::Caption:
      SetWindowTextW(handle_, Widen(form_.Caption()).c_str());
      break;
    case TPeerChange::Enabled:
      EnableWindow(handle_, form_.Enabled());
      break;
    case TPeerChange::Font: {
      ApplyFont();
      if (tooltip_ != nullptr)
        SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      std::vector<TControl*> all = form_.TabOrderList();
      for (TControl* control : all)
        if (control->Peer() != nullptr) control->Peer()->Update(TPeerChange::Font);
      break;
    }
    case TPeerChange::Items:
    case TPeerChange::Selection:
      break;
  }
}

void TWin32FormPeer::Focus() {
  ::SetFocus(handle_);
}

void TWin32FormPeer::Show() {
  ApplyBounds(true);
  StackInTabOrder(form_);
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  UpdateWindow(handle_);
}

void TWin32FormPeer::Hide() {
  ShowWindow(handle_, SW_HIDE);
  // Wakes the message loop, which ends once the main form is no longer visible.
  PostMessageW(handle_, WM_NULL, 0, 0);
}

void TWin32FormPeer::AddHintTool(HWND window) {
  if (tooltip_ == nullptr) return;
  TOOLINFOW tool = ToolFor(handle_, window);
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TWin32FormPeer::RemoveHintTool(HWND window) {
  if (tooltip_ == nullptr) return;
  TOOLINFOW tool = ToolFor(handle_, window);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

const wchar_t* TWin32FormPeer::HintAtCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(handle_, &cursor);
  lastHint_ = form_.HintAt(Unscale(cursor.x), Unscale(cursor.y));
  hintText_ = Widen(lastHint_);
  return hintText_.c_str();
}

LRESULT CALLBACK TWin32FormPeer::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* peer = static_cast<TWin32FormPeer*>(create->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<TNativePeer*>(peer)));
  }
  auto* peer = dynamic_cast<TWin32FormPeer*>(NativePeerOfWindow(window));
  if (peer == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  // No C++ exception may cross the system's frames on its way out: it waits for the message
  // loop, which raises it again.
  try {
    if (peer->handle_ == nullptr) peer->handle_ = window;
    return peer->Handle(message, wParam, lParam);
  } catch (...) {
    KeepPendingException(std::current_exception());
    return 0;
  }
}

LRESULT TWin32FormPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (RouteCommand(wParam, lParam)) return 0;
      break;
    case WM_CLOSE:
      DeliverUserEvent([this] { form_.Close(); });
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        // Back to the control that had the focus, as a dialog does.
        TNativePeer* active = NativePeerOf(form_.ActiveControl());
        ::SetFocus(active != nullptr ? active->FocusWindow() : handle_);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      // One tool covers every place of the form between its controls; its text follows the
      // pointer.
      if (tooltip_ != nullptr) {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (form_.HintAt(Unscale(at.x), Unscale(at.y)) != lastHint_)
          SendMessageW(tooltip_, TTM_UPDATE, 0, 0);
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        info->lpszText = const_cast<wchar_t*>(HintAtCursor());
        info->hinst = nullptr;
        return 0;
      }
      break;
    }
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace forms::win32
