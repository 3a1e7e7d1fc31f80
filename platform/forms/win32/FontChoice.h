#pragma once

#include <windows.h>

#include <string>

#include "platform/forms/Graphics.h"

// The face to ask GDI for: the requested one where it is installed, else the first installed
// of a few faces close to it (for the Japanese character set, the gothic faces that Windows of
// any language may have, and the IPA gothic of a Linux system under Wine), else the face of
// the system's message font.
std::wstring ChooseFontFace(const TFont& font);

// The font for `font` at `dpi` pixels per inch. The caller releases it with DeleteObject.
HFONT CreateFormFont(const TFont& font, int dpi);
