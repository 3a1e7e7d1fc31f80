#pragma once

#include "platform/forms/Controls.h"

// Keeps ActiveControl following the native keyboard focus, whoever moved it: a click, a radio
// group's arrow keys, a window getting the focus back. A backend reports after every event it
// has handled where the focus is now: `native` is its own handle of the focused window or widget
// (nullptr: none), `control` the control that window belongs to (nullptr: none of ours). Only a
// move counts, and the focus on a form's own window changes nothing.
void NoteNativeFocus(const void* native, TControl* control);
