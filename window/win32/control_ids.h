// The child-window ids of the window's controls, and the window's private messages.
#pragma once

#include <windows.h>

#include <optional>

#include "window/control_id.h"

namespace vop::win32 {

// The ids stay clear of IDOK (1) and IDCANCEL (2): the dialog manager sends those
// for Enter and Escape, and no button of the game answers to either key.
constexpr int kFocusId = 100;
constexpr int kPlayId = 110;    // + index 0..1
constexpr int kGroundId = 120;  //
constexpr int kCardId = 130;    // + index 0..4
constexpr int kColorId = 140;   // + index 0..3
constexpr int kExistId = 200;   // + index 0..52

constexpr int dialogId(ControlId id) {
    switch (id.name) {
        case Ctl::btnFocus:
            return kFocusId;
        case Ctl::cmdPlay:
            return kPlayId + id.index;
        case Ctl::btnGround:
            return kGroundId;
        case Ctl::btnCard:
            return kCardId + id.index;
        case Ctl::lblColor:
            return kColorId + id.index;
        case Ctl::lblExist:
            return kExistId + id.index;
    }
    return 0;
}

constexpr std::optional<ControlId> controlFor(int id) {
    const auto element = [](Ctl name, int index) {
        return ControlId{name, static_cast<std::int16_t>(index)};
    };
    if (id == kFocusId) {
        return ControlId{Ctl::btnFocus};
    }
    if (id == kGroundId) {
        return ControlId{Ctl::btnGround};
    }
    if (id >= kPlayId && id < kPlayId + kCommands) {
        return element(Ctl::cmdPlay, id - kPlayId);
    }
    if (id >= kCardId && id < kCardId + kCardSlots) {
        return element(Ctl::btnCard, id - kCardId);
    }
    if (id >= kColorId && id < kColorId + kSuits) {
        return element(Ctl::lblColor, id - kColorId);
    }
    if (id >= kExistId && id < kExistId + kGridLabels) {
        return element(Ctl::lblExist, id - kExistId);
    }
    return std::nullopt;
}

// Posted to the window: give the focus to the control whose id is wParam. A GotFocus
// handler that moves the focus on does so once the focus change under way is over.
constexpr UINT kMoveFocusMessage = WM_APP + 1;

// The window class of the game's window.
constexpr const wchar_t* kWindowClass = L"VopWindow";

}  // namespace vop::win32
