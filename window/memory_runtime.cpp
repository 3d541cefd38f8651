// The in-memory form runtime.
#include "window/memory_runtime.h"

#include <algorithm>

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
    const std::vector<ControlId> order = tabOrder();
    if (order.empty()) {
        return;
    }
    auto at = focus() ? std::find(order.begin(), order.end(), *focus()) : order.end();
    std::size_t next = 0;
    if (at == order.end()) {
        next = backwards ? order.size() - 1 : 0;
    } else {
        const auto i = static_cast<std::size_t>(at - order.begin());
        next = backwards ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    }
    moveFocus(order[next]);
}

void MemoryRuntime::showMessageBox(const Text& prompt, const Text& title) {
    messages_.push_back(prompt);
    lastTitle_ = title;
    if (onMessageBox) {
        onMessageBox(prompt);
    }
}

}  // namespace vop
