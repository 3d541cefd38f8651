// Screen readers' view of one button: the standard MSAA object of its window, with the
// card, its state and its suit said in words instead of the short caption.
#pragma once

#include <windows.h>

namespace vop::win32 {

// The answer to WM_GETOBJECT (OBJID_CLIENT) for a button of the game's window (0 if the
// standard object cannot be made: the system then answers with its own).
LRESULT accessibleButtonFor(HWND button, WPARAM flags);

}  // namespace vop::win32
