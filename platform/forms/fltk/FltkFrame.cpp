#include "platform/forms/fltk/FltkFrame.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/forms/fltk/FltkPeer.h"
#include "platform/forms/fltk/FltkScale.h"

namespace forms::fltk {

TFrameGroup::TFrameGroup(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
  end();
  box(FL_NO_BOX);
  align(FL_ALIGN_INSIDE);  // the caption is ours to draw, on the frame
  resizable(nullptr);
}

void TFrameGroup::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) {
    fl_push_clip(x(), y(), w(), h());
    fl_color(parent() != nullptr ? parent()->color() : color());
    fl_rectf(x(), y(), w(), h());

    fl_font(labelfont(), labelsize());
    const int lineTop = y() + fl_height() / 2;
    const int frameH = h() - (lineTop - y());
    // Etched: a shadow rectangle, and a highlight one a pixel down and right.
    fl_color(FL_DARK3);
    fl_rect(x(), lineTop, w() - 1, frameH - 1);
    fl_color(FL_WHITE);
    fl_xyline(x() + 1, lineTop + 1, x() + w() - 3);
    fl_yxline(x() + 1, lineTop + 1, y() + h() - 3);
    fl_xyline(x(), y() + h() - 1, x() + w() - 1);
    fl_yxline(x() + w() - 1, lineTop, y() + h() - 1);

    if (label() != nullptr && *label() != '\0') {
      const int textW = static_cast<int>(fl_width(label()));
      const int textX = x() + DisplayScale().Pixels(8);
      fl_color(parent() != nullptr ? parent()->color() : color());
      fl_rectf(textX - 1, y(), textW + 2, fl_height());
      const int baseline = y() + fl_height() - fl_descent();
      if (active_r()) {
        fl_color(labelcolor());
        fl_draw(label(), textX, baseline);
      } else {
        fl_color(FL_WHITE);
        fl_draw(label(), textX + 1, baseline + 1);
        fl_color(FL_DARK3);
        fl_draw(label(), textX, baseline);
      }
    }
    fl_pop_clip();
  }
  draw_children();
}

int TFrameGroup::handle(int event) {
  if (IsArrowKeyEvent(event)) return 0;
  return Fl_Group::handle(event);
}

}  // namespace forms::fltk
