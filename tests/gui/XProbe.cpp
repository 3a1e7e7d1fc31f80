// Reads what the X server knows about top-level windows, for the tests on a real display.
//   xprobe windows      one line per mapped top-level window: id x y width height override name
//   xprobe hints ID     the window's size limits, Motif frame hints, icon size and class
//   xprobe names ID     the window's names: WM_NAME, _NET_WM_NAME, WM_ICON_NAME, _NET_WM_ICON_NAME
//   xprobe focus        the window that has the keyboard focus (0x0 for none, 0x1 for the root)
//   xprobe close ID     asks the window to close, as a window manager's close box does
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> Property(Display* d, Window w, const char* name, Atom* type = nullptr,
                                    int* format = nullptr, unsigned long* items = nullptr) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned char> bytes;
  if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1 << 20, False, AnyPropertyType,
                         &actualType, &actualFormat, &count, &after, &data) == Success &&
      data != nullptr) {
    const size_t unit = actualFormat == 32 ? sizeof(long) : actualFormat / 8;
    bytes.assign(data, data + count * unit);
    XFree(data);
  }
  if (type) *type = actualType;
  if (format) *format = actualFormat;
  if (items) *items = count;
  return bytes;
}

std::string Name(Display* d, Window w) {
  std::vector<unsigned char> name = Property(d, w, "_NET_WM_NAME");
  if (name.empty()) name = Property(d, w, "WM_NAME");
  return {name.begin(), name.end()};
}

int ListWindows(Display* d) {
  Window root = DefaultRootWindow(d);
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, root, &root, &parent, &children, &count)) return 1;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
    std::printf("0x%lx %d %d %d %d %d %s\n", children[i], a.x, a.y, a.width, a.height,
                a.override_redirect ? 1 : 0, Name(d, children[i]).c_str());
  }
  if (children) XFree(children);
  return 0;
}

int Hints(Display* d, Window w) {
  XSizeHints size;
  long supplied = 0;
  if (XGetWMNormalHints(d, w, &size, &supplied)) {
    if (size.flags & PMinSize) std::printf("min %dx%d\n", size.min_width, size.min_height);
    if (size.flags & PMaxSize) std::printf("max %dx%d\n", size.max_width, size.max_height);
  }
  unsigned long items = 0;
  std::vector<unsigned char> motif = Property(d, w, "_MOTIF_WM_HINTS", nullptr, nullptr, &items);
  if (items >= 3) {
    const long* v = reinterpret_cast<const long*>(motif.data());
    std::printf("motif flags=%ld functions=%ld decorations=%ld\n", v[0], v[1], v[2]);
  }
  std::vector<unsigned char> icon = Property(d, w, "_NET_WM_ICON", nullptr, nullptr, &items);
  if (items >= 2) {
    const long* v = reinterpret_cast<const long*>(icon.data());
    std::printf("icon %ldx%ld\n", v[0], v[1]);
  }
  XClassHint hint;
  if (XGetClassHint(d, w, &hint)) {
    std::printf("class %s %s\n", hint.res_name, hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  return 0;
}

int Names(Display* d, Window w) {
  for (const char* name : {"WM_NAME", "_NET_WM_NAME", "WM_ICON_NAME", "_NET_WM_ICON_NAME"}) {
    std::vector<unsigned char> text = Property(d, w, name);
    std::printf("%s %s\n", name, std::string(text.begin(), text.end()).c_str());
  }
  return 0;
}

int Focus(Display* d) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(d, &focus, &revert);
  std::printf("0x%lx\n", focus == PointerRoot ? 1UL : focus);
  return 0;
}

int Close(Display* d, Window w) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = w;
  event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &event);
  XSync(d, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) {
    std::fprintf(stderr, "xprobe: cannot open display\n");
    return 2;
  }
  int result = 2;
  if (argc == 2 && std::strcmp(argv[1], "windows") == 0) {
    result = ListWindows(d);
  } else if (argc == 3 && std::strcmp(argv[1], "hints") == 0) {
    result = Hints(d, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else if (argc == 3 && std::strcmp(argv[1], "names") == 0) {
    result = Names(d, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else if (argc == 2 && std::strcmp(argv[1], "focus") == 0) {
    result = Focus(d);
  } else if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    result = Close(d, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else {
    std::fprintf(
        stderr,
        "usage: xprobe windows | xprobe hints WINDOW | xprobe names WINDOW | xprobe focus |\n"
        "       xprobe close WINDOW\n");
  }
  XCloseDisplay(d);
  return result;
}
