// The FLTK backend: the display and the event dispatch.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/forms/Backend.h"
#include "platform/forms/Forms.h"
#include "platform/forms/NativeFocus.h"
#include "platform/forms/fltk/FltkErrorBox.h"
#include "platform/forms/fltk/FltkPeer.h"
#include "platform/forms/fltk/FltkScale.h"
#include "platform/forms/fltk/FltkTooltip.h"

namespace forms::backend {
namespace {

// The form whose native window is `window`, if it is one.
TForm* FormOf(Fl_Window* window) {
  return window != nullptr ? dynamic_cast<TForm*>(fltk::TFltkPeer::ControlOf(window)) : nullptr;
}

bool IsTabKey(int event) {
  return event == FL_KEYBOARD && Fl::event_key() == FL_Tab &&
         (Fl::event_state() & (FL_CTRL | FL_ALT | FL_META)) == 0;
}

void NoteFocusChange() {
  Fl_Widget* focus = Fl::focus();
  NoteNativeFocus(focus, fltk::TFltkPeer::ControlOf(focus));
}

// Set while input that waited through a busy spell is being dropped.
bool discardingInput = false;

// The events that start something: a press of a button or a key, a turn of the wheel. Their
// releases still pass, so that FLTK's idea of what is held down stays true.
bool StartsAction(int event) {
  switch (event) {
    case FL_PUSH:
    case FL_KEYBOARD:
    case FL_SHORTCUT:
    case FL_MOUSEWHEEL:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
    case FL_PASTE:
      return true;
    default:
      return false;
  }
}

// Every event passes here first: the hint follows the pointer, Tab goes by the form's Tab order
// rather than by FLTK's widget order.
int Dispatch(int event, Fl_Window* window) {
  if (discardingInput && StartsAction(event)) return 1;
  TForm* form = Fl::modal() == nullptr || Fl::modal() == window ? FormOf(window) : nullptr;
  if (form != nullptr) {
    switch (event) {
      case FL_ENTER:
      case FL_MOVE:
        fltk::TTooltip::PointerAt(form->HintAt(fltk::DisplayScale().Layout(Fl::event_x()),
                                               fltk::DisplayScale().Layout(Fl::event_y())),
                                  form->Font());
        break;
      case FL_LEAVE:
        fltk::TTooltip::Leave();
        break;
      case FL_PUSH:
      case FL_KEYBOARD:
      case FL_MOUSEWHEEL:
        fltk::TTooltip::Dismiss();
        break;
    }
    if (IsTabKey(event)) {
      form->SelectNext((Fl::event_state() & FL_SHIFT) == 0);
      NoteFocusChange();
      return 1;
    }
    if (fltk::IsEnterKeyEvent(event)) {
      // Enter is the focused control's alone (a push button presses itself); the window gives
      // it no meaning of its own, and it never moves the focus on as FLTK's groups would.
      if (Fl_Widget* focus = Fl::focus(); focus != nullptr && focus->window() == window)
        focus->handle(event);
      NoteFocusChange();
      return 1;
    }
  }
  const int handled = Fl::handle_(event, window);
  NoteFocusChange();
  return handled;
}

// A failed X request is reported and the program goes on, as FLTK's own handler does; Xlib's
// default would end the program over, say, a window that went away a moment ago.
int ReportXError(Display* display, XErrorEvent* error) {
  char text[256];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "%s: X error: %s (request %d)\n", program_invocation_short_name, text,
               error->request_code);
  return 0;
}

// A program started with 0, 1 or 2 closed (a desktop or a service may start it so) would find
// its display connection, or the next file it opens, on one of them: a message to the error
// output would then go into the display's stream, and the emulator would inherit the
// connection as its input. Each missing one is /dev/null, before anything is opened.
void OpenMissingStandardDescriptors() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open gives the lowest free descriptor, which is this one.
    const int opened = open("/dev/null", O_RDWR);
    if (opened >= 0 && opened != fd) close(opened);
  }
}

}  // namespace

void Initialize() {
  OpenMissingStandardDescriptors();
  // What FLTK does when it opens the display itself; we open it ourselves only to be able to
  // say which display failed.
  std::setlocale(LC_CTYPE, "");
  XSetErrorHandler(ReportXError);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    const char* name = XDisplayName(nullptr);
    if (name == nullptr || *name == '\0')
      std::fprintf(stderr, "%s: cannot open display: DISPLAY is not set\n",
                   program_invocation_short_name);
    else
      std::fprintf(stderr, "%s: cannot open display '%s'\n", program_invocation_short_name, name);
    std::exit(1);
  }
  fl_open_display(display);
  fltk::ReadDisplayScale();
  Fl::scrollbar_size(fltk::DisplayScale().Pixels(Fl::scrollbar_size()));
  Fl::scheme("none");
  Fl::visible_focus(1);
  Fl::event_dispatch(Dispatch);
}

void ShowErrorBox(const std::string& caption, const std::string& text) {
  fltk::TTooltip::Leave();
  fltk::ShowFltkErrorBox(caption, text);
}

void DiscardPendingInput() {
  // Everything the server holds for us is queued here after the round trip; the check then
  // handles all of it at once, without waiting for more.
  XSync(fl_display, False);
  discardingInput = true;
  Fl::check();
  discardingInput = false;
}

void RunMessageLoop(TForm& mainForm) {
  while (mainForm.Visible()) Fl::wait();
  fltk::TTooltip::Leave();
}

}  // namespace forms::backend
