// Screen readers' view of one control: the standard MSAA object of its window, with
// the card, its state and its suit said in words instead of the short caption.
#pragma once

#include <windows.h>

#include "window/text.h"

namespace vop::win32 {

// What a screen reader is told about one control, looked up anew on every question
// so that it always says the card the control shows now.
struct Spoken {
    long role = 0;  // ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_STATICTEXT
    Text name;
    Text description;
};

// Finds the words for a control window; false once the control or its game is gone.
using SpokenLookup = bool (*)(HWND control, Spoken& spoken);

// The answer to WM_GETOBJECT for a control window (0 if the standard object cannot
// be made: the system then answers with its own).
LRESULT accessibleObjectFor(HWND control, WPARAM flags, SpokenLookup lookup);

}  // namespace vop::win32
