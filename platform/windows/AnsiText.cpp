#include "platform/AnsiText.h"

#include <windows.h>

#include "platform/windows/WideText.h"

std::string AnsiToUtf8(std::string_view ansi) {
  return Narrow(WidenFrom(CP_ACP, ansi));
}
