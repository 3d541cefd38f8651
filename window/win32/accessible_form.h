// Screen readers' view of the form: its child windows (the buttons) as Windows tells
// them, and the labels the form paints itself as simple child elements of its own.
#pragma once

#include <windows.h>

#include "window/form_runtime.h"

namespace vop::win32 {

// The labels of a form window; false once the window or its game is gone.
using LabelCount = int (*)(HWND form);
using LabelLookup = bool (*)(HWND form, int index, LabelView& view);

// The answer to WM_GETOBJECT (OBJID_CLIENT) for the form (0 if the standard object
// cannot be made: the system then answers with its own). A label's child id follows the
// child windows': the first label is the form's child count of windows plus one.
LRESULT accessibleFormFor(HWND form, WPARAM flags, LabelCount count, LabelLookup lookup);

// The child id of a label in the form's accessible object, for WinEvents.
LONG labelChildId(HWND form, int index);

}  // namespace vop::win32
