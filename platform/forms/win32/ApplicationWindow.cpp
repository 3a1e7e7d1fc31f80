#include "platform/forms/win32/ApplicationWindow.h"

#include "platform/forms/Forms.h"
#include "platform/forms/win32/NativePeer.h"
#include "platform/windows/WideText.h"
#include "resources/ResourceIds.h"

namespace forms::win32 {
namespace {

constexpr wchar_t ClassName[] = L"CorvantaApplication";

HWND MainFormWindow() {
  TForm* form = Application->MainForm();
  TNativePeer* peer = form != nullptr ? NativePeerOf(form) : nullptr;
  return peer != nullptr ? peer->Handle() : nullptr;
}

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        // Whoever activates the entry means the form.
        HWND form = MainFormWindow();
        if (form != nullptr && IsWindowVisible(form) && IsWindowEnabled(form)) {
          SetActiveWindow(form);
          return 0;
        }
      }
      break;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          ShowOwnedPopups(window, FALSE);
          break;
        case SC_RESTORE:
          DefWindowProcW(window, message, wParam, lParam);
          ShowOwnedPopups(window, TRUE);
          if (HWND form = MainFormWindow()) SetActiveWindow(form);
          return 0;
      }
      break;
    case WM_CLOSE:
      // The entry's "Close window" closes the main form, as its close box would.
      if (HWND form = MainFormWindow()) PostMessageW(form, WM_CLOSE, 0, 0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeApplicationWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ApplicationProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(MAIN_ICON_RESOURCE),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  windowClass.lpszClassName = ClassName;
  RegisterClassExW(&windowClass);
  // No size: it has an entry on the task bar but nothing on the screen.
  HWND window =
      CreateWindowExW(0, ClassName, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                      nullptr, nullptr, instance, nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

}  // namespace

HWND ApplicationWindow() {
  static HWND window = MakeApplicationWindow();
  if (window != nullptr) {
    const std::wstring title = Widen(Application->Title());
    wchar_t shown[256] = {};
    GetWindowTextW(window, shown, 256);
    if (title != shown) SetWindowTextW(window, title.c_str());
  }
  return window;
}

}  // namespace forms::win32
