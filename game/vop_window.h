// The game's window, frmVop, as data: its controls' names with their array counts, and
// one record for the window and each design-time control. Every runtime lays the window
// out from these alone; adding a control is a name here and a record in vop_window.cpp.
#pragma once

#include "form/form_definition.h"

namespace vop {

namespace ctl {
inline constexpr ControlName btnFocus{"btnFocus"};
inline constexpr ControlName cmdPlay{"cmdPlay", 2};
inline constexpr ControlName btnGround{"btnGround"};
inline constexpr ControlName btnCard{"btnCard", 5};
inline constexpr ControlName lblColor{"lblColor", 4};
// The template lblExist(0) and the 52 grid labels start-up loads as its copies.
inline constexpr ControlName lblExist{"lblExist", 53};
}  // namespace ctl

// frmVop with its fourteen design-time controls in definition order.
const FormDef& vopWindow();

}  // namespace vop
