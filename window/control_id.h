// Names of the window's controls and control-array elements.
#pragma once

#include <cstdint>
#include <string_view>

namespace vop {

enum class Ctl : std::uint8_t {
    btnFocus,
    cmdPlay,
    btnGround,
    btnCard,
    lblColor,
    lblExist,
};

// A control, or one element of a control array. Controls that are not arrays use index 0.
struct ControlId {
    Ctl name;
    std::int16_t index = 0;
    friend constexpr bool operator==(ControlId, ControlId) = default;
};

std::string_view controlName(Ctl name);
constexpr bool isArray(Ctl name) {
    return name != Ctl::btnFocus && name != Ctl::btnGround;
}
constexpr bool isButton(Ctl name) {
    return name != Ctl::lblColor && name != Ctl::lblExist;
}

// Element counts: the grid label array holds the template 0 and the 52 copies made at load.
constexpr int kCardSlots = 5;
constexpr int kCommands = 2;
constexpr int kSuits = 4;
constexpr int kGridLabels = 53;

}  // namespace vop
