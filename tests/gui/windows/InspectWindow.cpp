// Prints the state of a running program's window as its native controls show it, one line per
// window, for the end-to-end tests under Wine:
//   inspect-window "Title prefix"
// Each line holds tab-separated fields: the window class, the button kind (group, radio, check,
// push) or "-", the text in UTF-8, "enabled" or "disabled", "checked" or "unchecked", the
// screen rectangle as left,top,right,bottom and, for a list box, the selected row and its text.
// The first line is the top-level window: "window", its frame style, its title, whether it is
// enabled, its client rectangle and its outer rectangle on the screen.
// Exit code 1 when no visible window has such a title.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

std::wstring Text(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

const char* ButtonKind(HWND window) {
  switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_GROUPBOX:
      return "group";
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return "radio";
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return "check";
    default:
      return "push";
  }
}

std::string Rect(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

BOOL CALLBACK PrintControl(HWND window, LPARAM) {
  const std::wstring kind = ClassOf(window);
  const bool button = lstrcmpiW(kind.c_str(), L"Button") == 0;
  RECT r;
  GetWindowRect(window, &r);
  std::string line =
      Utf8(kind) + "\t" + (button ? ButtonKind(window) : "-") + "\t" + Utf8(Text(window)) + "\t" +
      (IsWindowEnabled(window) ? "enabled" : "disabled") + "\t" +
      (button && SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "unchecked") +
      "\t" + Rect(r);
  if (lstrcmpiW(kind.c_str(), L"ListBox") == 0) {
    const LRESULT row = SendMessageW(window, LB_GETCURSEL, 0, 0);
    std::wstring item;
    if (row != LB_ERR) {
      item.resize(static_cast<std::size_t>(SendMessageW(window, LB_GETTEXTLEN, row, 0)) + 1);
      item.resize(static_cast<std::size_t>(
          SendMessageW(window, LB_GETTEXT, row, reinterpret_cast<LPARAM>(item.data()))));
    }
    line += "\t" + std::to_string(row) + "\t" + Utf8(item);
  }
  std::printf("%s\n", line.c_str());
  return TRUE;
}

struct Search {
  std::wstring prefix;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (IsWindowVisible(window) && Text(window).rfind(search->prefix, 0) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: inspect-window TITLE-PREFIX\n");
    return 2;
  }
  Search search{argv[1]};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return 1;

  const HWND form = search.found;
  RECT client;
  GetClientRect(form, &client);
  MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const LONG style = GetWindowLongW(form, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(form, GWL_EXSTYLE);
  std::string frame;
  const std::pair<bool, const char*> flags[] = {
      {(style & WS_CAPTION) == WS_CAPTION, "caption"},
      {(style & WS_SYSMENU) != 0, "sysmenu"},
      {(style & WS_MINIMIZEBOX) != 0, "minimizebox"},
      {(style & WS_MAXIMIZEBOX) != 0, "maximizebox"},
      {(style & WS_THICKFRAME) != 0, "sizable"},
      {(exStyle & WS_EX_DLGMODALFRAME) != 0, "dlgmodalframe"},
  };
  for (const auto& [set, name] : flags)
    if (set) frame += std::string(frame.empty() ? "" : ",") + name;
  RECT outer;
  GetWindowRect(form, &outer);
  std::printf("window\t%s\t%s\t%s\t%s\t%s\n", frame.c_str(), Utf8(Text(form)).c_str(),
              IsWindowEnabled(form) ? "enabled" : "disabled", Rect(client).c_str(),
              Rect(outer).c_str());
  EnumChildWindows(form, PrintControl, 0);
  return 0;
}
