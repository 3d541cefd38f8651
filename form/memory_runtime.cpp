// The in-memory form runtime.
#include "form/memory_runtime.h"

namespace vop {

void MemoryRuntime::click(ControlId id) {
    if (takesPress(id)) {
        moveFocus(id);
        raiseClick(id);  // dropped if the focus change ended the program
    }
}

void MemoryRuntime::pressOff(ControlId id) {
    if (takesPress(id)) {
        moveFocus(id);
    }
}

bool MemoryRuntime::takesPress(ControlId id) const {
    if (ended() || inMessageBox() || !exists(id)) {
        return false;
    }
    const ControlState& s = get(id);
    return s.def->kind == ControlKind::CommandButton && s.enabled && s.visible;
}

void MemoryRuntime::pressFocused() {
    if (!ended() && !inMessageBox() && focus()) {
        raiseClick(*focus());
    }
}

void MemoryRuntime::pressTab(bool backwards) {
    if (ended() || inMessageBox()) {
        return;
    }
    if (const std::optional<ControlId> next = nextTabStop(focus(), backwards)) {
        moveFocus(*next);
    }
}

void MemoryRuntime::showMessageBox(const Text& prompt, const Text& title) {
    messages_.push_back(prompt);
    lastTitle_ = title;
    if (onMessageBox) {
        onMessageBox(prompt);
    }
}

}  // namespace vop
