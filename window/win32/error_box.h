// Run-time errors shown to the player in a message box before the program ends.
#pragma once

#include <windows.h>

#include <string_view>

#include "window/runtime_error.h"
#include "window/text.h"

namespace vop::win32 {

// From now on a run-time error is shown over this window, titled with the
// application's title, before the program ends with status 1.
void installRuntimeErrorBox(HWND owner, const Text& appTitle);
void removeRuntimeErrorBox(HWND owner);

// "Run-time error 'N':", a blank line, and what went wrong; returns when closed.
void showRuntimeError(RuntimeError error, std::string_view detail);

}  // namespace vop::win32
