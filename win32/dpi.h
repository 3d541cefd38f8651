// Dots per inch of the window's monitor, and twips turned into pixels at it.
#pragma once

#include <windows.h>

#include "form/form_definition.h"

namespace vop::win32 {

using vop::Dpi;

// The window's own DPI where Windows tracks it per monitor (Windows 10 1607 and
// later), otherwise the screen's LOGPIXELSX/LOGPIXELSY.
Dpi windowDpi(HWND window);
Dpi systemDpi();

// Twips to pixels: twips x LOGPIXELS / 1440, rounded as MulDiv rounds.
inline int pixelsX(Twips twips, Dpi dpi) {
    return MulDiv(twips, dpi.x, 1440);
}
inline int pixelsY(Twips twips, Dpi dpi) {
    return MulDiv(twips, dpi.y, 1440);
}

// The outer size of a window whose client area has this size, at this DPI.
SIZE frameSizeFor(SIZE client, DWORD style, DWORD exStyle, Dpi dpi);

// The message font at this DPI: the face and size Windows gives text in dialogs.
LOGFONTW messageFont(Dpi dpi);

}  // namespace vop::win32
