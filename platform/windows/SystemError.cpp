#include <windows.h>

#include <string>

#include "platform/SystemError.h"
#include "platform/windows/WideText.h"

// The system's own wording, in the user's language, as UTF-8 like every other text of the
// program. The trailing line end and full stop go, so that the text reads like the POSIX one
// and can stand inside a sentence.
std::string SystemErrorMessage(DWORD code) {
  wchar_t* wide = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD length =
      FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&wide), 0, nullptr);
  std::string text;
  if (length != 0 && wide != nullptr) {
    while (length > 0 && (wide[length - 1] == L'\r' || wide[length - 1] == L'\n' ||
                          wide[length - 1] == L' ' || wide[length - 1] == L'.')) {
      --length;
    }
    text = Narrow(std::wstring_view(wide, length));
  }
  if (wide != nullptr) LocalFree(wide);
  if (text.empty()) text = "system error " + std::to_string(code);
  return text;
}
