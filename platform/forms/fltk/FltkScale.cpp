#include "platform/forms/fltk/FltkScale.h"

#include <FL/x.H>
#include <X11/Xresource.h>

#include <string>

namespace forms::fltk {
namespace {

TScale displayScale;

// The value of a resource in the database the display carries (RESOURCE_MANAGER, as xrdb
// loads it), or nothing.
std::string DisplayResource(const char* name, const char* className) {
  const char* resources = XResourceManagerString(fl_display);
  if (resources == nullptr) return {};
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return {};
  std::string value;
  char* type = nullptr;
  XrmValue found{};
  if (XrmGetResource(database, name, className, &type, &found) && found.addr != nullptr)
    value.assign(found.addr, found.size > 0 ? found.size - 1 : 0);  // size counts the NUL
  XrmDestroyDatabase(database);
  return value;
}

}  // namespace

const TScale& DisplayScale() {
  return displayScale;
}

void ReadDisplayScale() {
  displayScale = ScaleFromDpiText(DisplayResource("Xft.dpi", "Xft.Dpi"));
}

}  // namespace forms::fltk
