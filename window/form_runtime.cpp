// The platform-neutral half of the form runtime: control state, events and focus rules.
#include "window/form_runtime.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vop {

FormRuntime::FormRuntime(const FormDef& form, RandomSource& random)
    : form_(form), random_(random), places_(form), controls_(places_.count()) {}

std::size_t FormRuntime::place(ControlId id) const {
    const std::optional<std::size_t> at = places_.of(id);
    if (!at) {
        raiseRuntimeError(RuntimeError::ControlElementMissing, controlText(id));
    }
    return *at;
}

bool FormRuntime::exists(ControlId id) const {
    const std::optional<std::size_t> at = places_.of(id);
    return at && controls_[*at].loaded;
}

const ControlState& FormRuntime::get(ControlId id) const {
    const ControlState& s = controls_[place(id)];
    if (!s.loaded) {
        raiseRuntimeError(RuntimeError::ControlElementMissing, controlText(id));
    }
    return s;
}

ControlState& FormRuntime::state(ControlId id) {
    return const_cast<ControlState&>(std::as_const(*this).get(id));
}

void FormRuntime::start(FormModule& module) {
    starting_ = true;
    module_ = &module;
    formCaption_ = Text(form_.caption);
    createWindow();
    for (const ControlDef& def : form_.controls) {
        ControlState& s = controls_[place(def.id)];
        s = ControlState{};
        s.def = &def;
        s.loaded = true;
        s.caption = Text(def.caption);
        s.enabled = def.enabled;
        s.visible = def.visible;
        s.left = def.left;
        s.top = def.top;
        s.width = def.width;
        s.height = def.height;
        s.fontSize = def.font.points;
        createControl(def.id);
    }
    module.Form_Load();
    if (ended_) {
        starting_ = false;
        return;
    }
    showWindow();
    const std::vector<ControlId> order = tabOrder();
    if (!order.empty()) {
        setFocus(order.front());
    }
    refreshSpoken();
    starting_ = false;
}

void FormRuntime::setFormCaption(const Text& caption) {
    formCaption_ = caption;
    showFormCaption();
}

// A value set again unchanged is not shown again: a new deal sets all 52 labels, and
// a window that redraws and re-announces each of them would only flicker and chatter.
void FormRuntime::setCaption(ControlId id, const Text& caption) {
    ControlState& s = state(id);
    if (s.caption == caption) {
        return;
    }
    s.caption = caption;
    showCaption(id);
}

void FormRuntime::setTag(ControlId id, const Text& tag) {
    state(id).tag = tag;
}

void FormRuntime::setEnabled(ControlId id, bool enabled) {
    ControlState& s = state(id);
    if (s.enabled == enabled) {
        return;
    }
    s.enabled = enabled;
    showEnabled(id);
}

void FormRuntime::setVisible(ControlId id, bool visible) {
    state(id).visible = visible;
    showVisible(id);
}

void FormRuntime::setFontSize(ControlId id, double points) {
    state(id).fontSize = points;
    showFont(id);
}

void FormRuntime::setTop(ControlId id, Twips top) {
    state(id).top = top;
    showGeometry(id);
}

void FormRuntime::setLeft(ControlId id, Twips left) {
    state(id).left = left;
    showGeometry(id);
}

void FormRuntime::setForeColor(ControlId id, ColorValue color) {
    ControlState& s = state(id);
    if (s.hasForeColor && s.foreColor == color) {
        return;
    }
    s.foreColor = color;
    s.hasForeColor = true;
    showForeColor(id);
}

void FormRuntime::setFocus(ControlId id) {
    const ControlState& s = get(id);
    if (s.def->kind != ControlKind::CommandButton || !s.enabled || !s.visible) {
        raiseRuntimeError(RuntimeError::ControlElementMissing,
                          controlText(id) + " cannot take the focus");
    }
    moveFocus(id);
}

void FormRuntime::load(ControlId id) {
    const std::size_t at = place(id);
    if (!id.name->isArray() || id.index == 0 || controls_[at].loaded) {
        raiseRuntimeError(RuntimeError::ControlElementMissing, controlText(id) + " already loaded");
    }
    ControlState copy = get({*id.name, 0});
    copy.visible = false;
    copy.tag.clear();
    controls_[at] = copy;
    createControl(id);
}

void FormRuntime::msgBox(const Text& prompt) {
    refreshSpoken();  // the window behind the box says what it shows
    ++messageBoxDepth_;
    showMessageBox(prompt, Text(form_.appTitle));
    --messageBoxDepth_;
}

void FormRuntime::end() {
    if (ended_) {
        return;
    }
    ended_ = true;
    quit();
}

void FormRuntime::raiseClick(ControlId id) {
    if (ended_ || module_ == nullptr || messageBoxDepth_ > 0 || !exists(id)) {
        return;
    }
    const ControlState& s = get(id);
    if (s.def->kind != ControlKind::CommandButton || !s.enabled || !s.visible) {
        return;  // the platform delivers no click to a disabled button, nor to a label
    }
    module_->click(id);
    refreshSpoken();
}

void FormRuntime::raiseGotFocus(ControlId id) {
    if (ended_ || module_ == nullptr || !exists(id)) {
        return;
    }
    focus_ = id;
    module_->gotFocus(id);
    refreshSpoken();
}

Text FormRuntime::spokenName(ControlId id) const {
    Text name = module_ != nullptr ? module_->spokenName(id) : Text();
    return name.empty() ? get(id).caption : name;
}

Text FormRuntime::spokenDescription(ControlId id) const {
    return module_ != nullptr ? module_->spokenDescription(id) : Text();
}

// The words follow the game's state, not any one property: a card played from the
// hand keeps its label's colour and greying when that card won the game before, yet
// is now said to be played. So every control's words are worked out after each event.
void FormRuntime::refreshSpoken() {
    if (!tellScreenReaders_ || ended_) {
        return;
    }
    for (ControlId id : controls()) {
        Text name = spokenName(id);
        Text description = spokenDescription(id);
        ControlState& s = state(id);
        const bool nameChanged = name != s.spokenName;
        const bool descriptionChanged = description != s.spokenDescription;
        if (nameChanged || descriptionChanged) {
            s.spokenName = std::move(name);
            s.spokenDescription = std::move(description);
            showSpoken(id, nameChanged, descriptionChanged);
        }
    }
}

std::vector<ControlId> FormRuntime::controls() const {
    std::vector<ControlId> all;
    for (const ControlDef& def : form_.controls) {
        all.push_back(def.id);
    }
    // Then the array elements loaded at run time: copies, whose record is element 0's.
    for (std::size_t at = 0; at < controls_.size(); ++at) {
        const ControlState& s = controls_[at];
        const ControlId id = *places_.at(at);
        if (s.loaded && !(s.def->id == id)) {
            all.push_back(id);
        }
    }
    return all;
}

std::vector<ControlId> FormRuntime::tabOrder() const {
    std::vector<ControlId> order;
    for (const ControlDef& def : form_.controls) {
        const ControlState& s = get(def.id);
        if (def.kind == ControlKind::CommandButton && def.tabStop && s.enabled && s.visible) {
            order.push_back(def.id);
        }
    }
    std::sort(order.begin(), order.end(), [this](ControlId a, ControlId b) {
        return get(a).def->tabIndex < get(b).def->tabIndex;
    });
    return order;
}

}  // namespace vop
