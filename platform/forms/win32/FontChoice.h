#pragma once

#include <windows.h>

#include "platform/forms/Graphics.h"

namespace forms::win32 {

// The font for `font` at `dpi` pixels per inch. The caller releases it with DeleteObject.
HFONT CreateFormFont(const TFont& font, int dpi);

}  // namespace forms::win32
