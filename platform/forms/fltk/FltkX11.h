#pragma once

#include <string>

class Fl_Window;

// The few X11 properties FLTK 1.3 has no call for. Each takes a window that is shown.
namespace forms::fltk {

// A fixed dialog frame: a caption bar with a system menu and a close box, no minimise or
// maximise box, for the window managers that honour Motif hints.
void SetDialogFrameHints(Fl_Window& window);

// Names the window in UTF-8 (_NET_WM_NAME and WM_NAME), so that tools can find it by its text.
void SetWindowName(Fl_Window& window, const std::string& name);

// The name of the window's task-bar entry and icon, in UTF-8 (_NET_WM_ICON_NAME and
// WM_ICON_NAME).
void SetIconName(Fl_Window& window, const std::string& name);

// Raises the window and gives it the keyboard focus: through the window manager where one runs
// (_NET_ACTIVE_WINDOW), and directly, for a display without one.
void ActivateWindow(Fl_Window& window);

// Marks the window as a tooltip for window managers and compositors.
void SetTooltipType(Fl_Window& window);

}  // namespace forms::fltk
