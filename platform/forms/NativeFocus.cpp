#include "platform/forms/NativeFocus.h"

#include "platform/forms/Forms.h"

namespace {
const void* lastFocus = nullptr;
}

void NoteNativeFocus(const void* native, TControl* control) {
  if (native == lastFocus) return;
  lastFocus = native;
  if (control == nullptr) return;
  if (TForm* form = control->ParentForm(); form != nullptr && form != control)
    form->NoteFocus(control);
}
