#pragma once

class Fl_Window;

namespace forms::fltk {

// Gives a window that is about to be shown a dialog's place: `width` x `height`, a size the user
// cannot change, centred on the first screen.
void PlaceAsDialog(Fl_Window& window, int width, int height);

}  // namespace forms::fltk
