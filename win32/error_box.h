// Run-time errors shown to the player in a message box before the program ends.
#pragma once

#include <windows.h>

#include "base/runtime_error.h"

namespace vop::win32 {

// From now on a run-time error is shown over this window, titled with the
// application's title, before the program ends with status 1.
void installRuntimeErrorBox(HWND owner);
void removeRuntimeErrorBox(HWND owner);

// The error's box, as every window words it; returns when closed.
void showRuntimeError(const RuntimeErrorReport& report);

}  // namespace vop::win32
