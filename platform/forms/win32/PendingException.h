#pragma once

#include <exception>

namespace forms::win32 {

// An exception that a window procedure caught because it must not unwind through the system's
// frames. The message loop raises it again once the system has returned.
void KeepPendingException(std::exception_ptr error);
void RaisePendingException();

}  // namespace forms::win32
