#include "platform/AnsiText.h"

#include <windows.h>

#include "platform/windows/WideText.h"

std::string AnsiToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int length = static_cast<int>(ansi.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
  return Narrow(wide);
}
