#pragma once

#include <windows.h>

namespace forms::win32 {

// One message as the message loop handles it: the dialog manager's keys for the form it belongs
// to (Tab, the arrow keys, Space), then the window procedure; an exception that a window
// procedure had to keep is raised here; and a change of the keyboard focus is reported to the
// form it happened in.
void HandleMessage(MSG& message);

// Handles every message that is waiting, without waiting for more.
void HandleWaitingMessages();

}  // namespace forms::win32
