// The yardstick for the launcher's start-up: a bare FLTK program that maps one 417 x 281
// window with one line of text in the launcher's font, and waits to be closed.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>

int main() {
  Fl::set_font(FL_FREE_FONT, " IPAPGothic");
  Fl_Double_Window window(417, 281, "bare window");
  Fl_Box text(0, 0, 417, 281, "Alien Syndrome");
  text.labelfont(FL_FREE_FONT);
  text.labelsize(12);
  window.end();
  window.show();
  return Fl::run();
}
