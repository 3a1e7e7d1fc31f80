#include "platform/forms/fltk/FltkDialogPlace.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace forms::fltk {

void PlaceAsDialog(Fl_Window& window, int width, int height) {
  window.size_range(width, height, width, height);
  int sx, sy, sw, sh;
  Fl::screen_xywh(sx, sy, sw, sh, 0);
  window.position(sx + (sw - width) / 2, sy + (sh - height) / 2);
}

}  // namespace forms::fltk
