#pragma once

#include <windows.h>

namespace forms::win32 {

// The program's own top-level window, as the window library has always had one: never seen
// itself, it carries the program's entry on the task bar, with the application's title and the
// program's icon, and owns every form, so that a form needs neither an entry of its own nor an
// icon on its caption. Activating the entry activates the form; minimising it hides the forms.
// Made on first use; its title follows Application->Title().
HWND ApplicationWindow();

}  // namespace forms::win32
