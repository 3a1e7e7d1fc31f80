#pragma once

#include <string>

#include "platform/forms/Graphics.h"

namespace forms::fltk {

// The hint window. It follows the pointer over a form: a hint shows after the pointer has
// rested half a second where that hint applies and goes after five seconds, when the pointer
// moves to where another hint (or none) applies, leaves the window, or the user clicks or types.
// After a click or a timeout the same hint does not come back until the pointer has moved to
// another one. The window is named by its text, so tools can read what it shows.
class TTooltip {
 public:
  // The pointer is where `hint` applies (empty: none).
  static void PointerAt(const std::string& hint, const TFont& font);
  // The user clicked or typed: the hint goes and stays away for now.
  static void Dismiss();
  // The pointer left the window.
  static void Leave();
};

}  // namespace forms::fltk
