#pragma once

#include <string_view>

#include "platform/forms/Graphics.h"

// A layout is designed at 96 pixels per inch; a display set to another scale shows it larger.
// A position is scaled and rounded (halves away from zero, as MulDiv does); a place is scaled by
// its edges, not by its size, so that controls that meet at 96 dpi still meet, and a control on
// the window's edge stays on it.
class TScale {
 public:
  static constexpr int DesignDpi = 96;
  // The scales a display may ask for: from 100 % up to 500 %, as on Windows.
  static constexpr int MinDpi = 96;
  static constexpr int MaxDpi = 480;

  // `dpi` is kept within MinDpi..MaxDpi.
  constexpr explicit TScale(int dpi = DesignDpi)
      : dpi_(dpi < MinDpi   ? MinDpi
             : dpi > MaxDpi ? MaxDpi
                            : dpi) {}

  constexpr int Dpi() const { return dpi_; }
  // Layout pixels to display pixels.
  constexpr int Pixels(int layout) const { return Divide(layout * dpi_, DesignDpi); }
  // Display pixels to layout pixels: where on the layout a pointer is.
  constexpr int Layout(int pixels) const { return Divide(pixels * DesignDpi, dpi_); }
  constexpr TRect Pixels(const TRect& r) const {
    const int left = Pixels(r.Left);
    const int top = Pixels(r.Top);
    return {left, top, Pixels(r.Left + r.Width) - left, Pixels(r.Top + r.Height) - top};
  }

 private:
  static constexpr int Divide(int value, int by) {
    return value >= 0 ? (value + by / 2) / by : -((-value + by / 2) / by);
  }
  int dpi_;
};

// The display's scale from the text of a desktop's dots-per-inch setting (the X resource
// Xft.dpi: "192", "144.0", " 120.5"): rounded to whole dots, within TScale's range. Text that is
// missing, empty or no positive number means the design scale: a setting from outside never
// makes the window unusable.
TScale ScaleFromDpiText(std::string_view text);
