// Screen readers' view of the form: its child windows (the buttons) as Windows tells
// them, and the labels the form paints itself as simple child elements of its own.
#pragma once

#include <windows.h>

namespace vop::win32 {

// The answer to WM_GETOBJECT (OBJID_CLIENT) for the form (0 if the standard object
// cannot be made: the system then answers with its own).
LRESULT accessibleFormFor(HWND form, WPARAM flags);

// The child id of a label in the form's accessible object: the labels follow the child
// windows, so the first label is the form's count of visible child windows plus one.
LONG labelChildId(HWND form, int index);

}  // namespace vop::win32
