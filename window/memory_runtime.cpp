// The in-memory form runtime.
#include "window/memory_runtime.h"

#include <algorithm>

namespace vop {

void MemoryRuntime::click(ControlId id) {
    if (ended() || inMessageBox() || !exists(id)) {
        return;
    }
    const ControlState& s = get(id);
    if (s.def->kind != ControlKind::CommandButton || !s.enabled || !s.visible) {
        return;
    }
    moveFocus(id);
    if (ended()) {
        return;
    }
    raiseClick(id);
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
