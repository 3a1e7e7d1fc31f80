#include "platform/AnsiText.h"

// The names of a POSIX file system are bytes, UTF-8 on every desktop the launcher runs on; the
// window shows them as they are.
std::string AnsiToUtf8(std::string_view ansi) {
  return std::string(ansi);
}
