#pragma once

#include "platform/forms/Scale.h"

namespace forms::fltk {

// The scale of the display the backend opened: the desktop's Xft.dpi (what GTK and Qt follow),
// 96 dpi where none is set. Every place, size and font of the backend goes through it.
const TScale& DisplayScale();

// Reads the setting from the X resource database of the open display; Initialize calls it.
void ReadDisplayScale();

}  // namespace forms::fltk
