// Names of a window's controls and control-array elements.
#pragma once

#include <cstdint>
#include <string_view>

namespace vop {

// A control of a window, or a control array: its name and, for an array, how many
// elements it can hold, those of the window definition and those loaded at run time.
struct ControlName {
    std::string_view text;
    std::int16_t elements = 0;  // 0: a single control, not an array
    constexpr bool isArray() const { return elements > 0; }
    // How many controls the name stands for.
    constexpr int count() const { return isArray() ? elements : 1; }
};

// A control, or one element of a control array. Controls that are not arrays use index 0.
struct ControlId {
    const ControlName* name = nullptr;
    std::int16_t index = 0;

    ControlId() = default;
    constexpr ControlId(const ControlName& control, std::int16_t element = 0)
        : name(&control), index(element) {}
    friend constexpr bool operator==(ControlId, ControlId) = default;
};

}  // namespace vop
