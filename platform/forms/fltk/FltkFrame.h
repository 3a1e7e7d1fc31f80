#pragma once

#include <FL/Fl_Group.H>

namespace forms::fltk {

// A group box as Windows draws one: an etched frame whose top line runs through the middle of
// the caption's line and is broken by the caption, eight pixels in from the left. A disabled
// frame greys its caption. Arrow keys do not wander between the controls inside.
class TFrameGroup : public Fl_Group {
 public:
  TFrameGroup(int x, int y, int w, int h);

 protected:
  void draw() override;
  int handle(int event) override;
};

}  // namespace forms::fltk
