#include "platform/forms/fltk/FltkX11.h"

#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>

namespace forms::fltk {
namespace {

Atom AtomNamed(const char* name) {
  return XInternAtom(fl_display, name, False);
}

// A name in UTF-8 under its current property and its older one, which some tools still read.
void SetUtf8Names(Fl_Window& window, Atom current, Atom older, const std::string& name) {
  const auto* text = reinterpret_cast<const unsigned char*>(name.c_str());
  const int length = static_cast<int>(name.size());
  const Atom utf8 = AtomNamed("UTF8_STRING");
  for (const Atom property : {current, older})
    XChangeProperty(fl_display, fl_xid(&window), property, utf8, 8, PropModeReplace, text, length);
}

}  // namespace

void SetDialogFrameHints(Fl_Window& window) {
  enum : unsigned long {
    HintsFunctions = 1,
    HintsDecorations = 2,
    FunctionMove = 4,
    FunctionClose = 32,
    DecorationBorder = 2,
    DecorationTitle = 8,
    DecorationMenu = 16,
  };
  const unsigned long hints[5] = {HintsFunctions | HintsDecorations, FunctionMove | FunctionClose,
                                  DecorationBorder | DecorationTitle | DecorationMenu, 0, 0};
  const Atom motif = AtomNamed("_MOTIF_WM_HINTS");
  XChangeProperty(fl_display, fl_xid(&window), motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
}

void SetWindowName(Fl_Window& window, const std::string& name) {
  SetUtf8Names(window, AtomNamed("_NET_WM_NAME"), XA_WM_NAME, name);
}

void SetIconName(Fl_Window& window, const std::string& name) {
  SetUtf8Names(window, AtomNamed("_NET_WM_ICON_NAME"), XA_WM_ICON_NAME, name);
}

void ActivateWindow(Fl_Window& window) {
  window.show();  // raises a window that is shown already
  const Window xid = fl_xid(&window);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = xid;
  request.xclient.message_type = AtomNamed("_NET_ACTIVE_WINDOW");
  request.xclient.format = 32;
  request.xclient.data.l[0] = 1;  // from an application
  request.xclient.data.l[1] = static_cast<long>(fl_event_time);
  XSendEvent(fl_display, DefaultRootWindow(fl_display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(fl_display, xid, &attributes) && attributes.map_state == IsViewable)
    XSetInputFocus(fl_display, xid, RevertToParent, fl_event_time);
  XFlush(fl_display);
}

void SetTooltipType(Fl_Window& window) {
  const Atom type = AtomNamed("_NET_WM_WINDOW_TYPE_TOOLTIP");
  XChangeProperty(fl_display, fl_xid(&window), AtomNamed("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&type), 1);
}

}  // namespace forms::fltk
