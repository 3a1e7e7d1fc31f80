#pragma once

#include <string>
#include <string_view>

// The texts the system gives through the API's A functions (a path from GetCurrentDirectoryA,
// say) are in the system's code page: Shift_JIS on a Japanese Windows. The program's own texts,
// and everything it shows, are UTF-8. A text made of both converts the system's part first, so
// that a folder named in Japanese shows as it is named.
std::string AnsiToUtf8(std::string_view ansi);
