#pragma once

#include <FL/Enumerations.H>

#include "platform/forms/Graphics.h"

namespace forms::fltk {

struct TFltkFont {
  Fl_Font Face;
  Fl_Fontsize Size;
};

// The FLTK face and size for a font request, at the display's scale: the named family where it is
// installed, else its usual stand-in (the IPA gothics for the Japanese gothics), else FLTK's
// sans-serif. Which of these a face is gets settled by SettleFonts, which must run before text is
// measured or drawn.
TFltkFont ResolveFont(const TFont& font);
void SettleFonts();

}  // namespace forms::fltk
