// The child-window ids of the window's controls, and the window's private messages.
#pragma once

#include <windows.h>

#include <optional>

#include "form/form_definition.h"

namespace vop::win32 {

// A control's id is its place (ControlPlaces) above kFirstControlId, clear of IDOK (1)
// and IDCANCEL (2): the dialog manager sends those for Enter and Escape, and no button
// of the game answers to either key.
constexpr int kFirstControlId = 100;

inline int dialogId(const ControlPlaces& places, ControlId id) {
    const std::optional<std::size_t> place = places.of(id);
    return place ? kFirstControlId + static_cast<int>(*place) : 0;
}

inline std::optional<ControlId> controlFor(const ControlPlaces& places, int id) {
    if (id < kFirstControlId) {
        return std::nullopt;
    }
    return places.at(static_cast<std::size_t>(id - kFirstControlId));
}

// Posted to the window: give the focus to the control whose id is wParam. A GotFocus
// handler that moves the focus on does so once the focus change under way is over.
constexpr UINT kMoveFocusMessage = WM_APP + 1;

}  // namespace vop::win32
