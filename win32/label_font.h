// The font a label asks Windows for: its face at a point size, at the window's DPI.
#pragma once

#include <windows.h>

#include "form/form_definition.h"

namespace vop::win32 {

// lfHeight = -MulDiv(points, LOGPIXELSY, 72), with points kept to hundredths so
// that the design-time 5.25 points is exact.
int fontHeight(double points, int dpiY);

LOGFONTW labelLogFont(const FontDef& font, double points, int dpiY);

}  // namespace vop::win32
