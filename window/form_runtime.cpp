// The platform-neutral half of the form runtime: control state, events and focus rules.
#include "window/form_runtime.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vop {

namespace {

// Where each control's state lives in the flat table.
constexpr std::size_t kFocusSlot = 0;
constexpr std::size_t kPlaySlot = 1;
constexpr std::size_t kGroundSlot = kPlaySlot + kCommands;
constexpr std::size_t kCardSlot = kGroundSlot + 1;
constexpr std::size_t kColorSlot = kCardSlot + kCardSlots;
constexpr std::size_t kExistSlot = kColorSlot + kSuits;
constexpr std::size_t kSlotCount = kExistSlot + kGridLabels;

std::string describe(ControlId id) {
    std::string name(controlName(id.name));
    if (isArray(id.name)) {
        name.append("(").append(digits(id.index)).append(")");
    }
    return name;
}

}  // namespace

FormRuntime::FormRuntime(const FormDef& form, RandomSource& random)
    : form_(form), random_(random), controls_(kSlotCount) {}

std::size_t FormRuntime::slot(ControlId id) const {
    const auto within = [&](int count, std::size_t base) -> std::size_t {
        if (id.index < 0 || id.index >= count) {
            raiseRuntimeError(RuntimeError::ControlElementMissing, describe(id));
        }
        return base + static_cast<std::size_t>(id.index);
    };
    switch (id.name) {
        case Ctl::btnFocus:
            return kFocusSlot;
        case Ctl::btnGround:
            return kGroundSlot;
        case Ctl::cmdPlay:
            return within(kCommands, kPlaySlot);
        case Ctl::btnCard:
            return within(kCardSlots, kCardSlot);
        case Ctl::lblColor:
            return within(kSuits, kColorSlot);
        case Ctl::lblExist:
            return within(kGridLabels, kExistSlot);
    }
    raiseRuntimeError(RuntimeError::ControlElementMissing, describe(id));
}

bool FormRuntime::exists(ControlId id) const {
    switch (id.name) {
        case Ctl::btnFocus:
        case Ctl::btnGround:
            break;
        case Ctl::cmdPlay:
            if (id.index < 0 || id.index >= kCommands)
                return false;
            break;
        case Ctl::btnCard:
            if (id.index < 0 || id.index >= kCardSlots)
                return false;
            break;
        case Ctl::lblColor:
            if (id.index < 0 || id.index >= kSuits)
                return false;
            break;
        case Ctl::lblExist:
            if (id.index < 0 || id.index >= kGridLabels)
                return false;
            break;
        default:
            return false;
    }
    return controls_[slot(id)].loaded;
}

const ControlState& FormRuntime::get(ControlId id) const {
    const ControlState& s = controls_[slot(id)];
    if (!s.loaded) {
        raiseRuntimeError(RuntimeError::ControlElementMissing, describe(id));
    }
    return s;
}

ControlState& FormRuntime::state(ControlId id) {
    return const_cast<ControlState&>(std::as_const(*this).get(id));
}

void FormRuntime::start(FormModule& module) {
    module_ = &module;
    formCaption_ = Text(form_.caption);
    createWindow();
    for (const ControlDef& def : form_.controls) {
        ControlState& s = controls_[slot(def.id)];
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
        return;
    }
    showWindow();
    const std::vector<ControlId> order = tabOrder();
    if (!order.empty()) {
        setFocus(order.front());
    }
    refreshSpoken();
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
    if (!isButton(id.name) || !s.enabled || !s.visible) {
        raiseRuntimeError(RuntimeError::ControlElementMissing,
                          describe(id) + " cannot take the focus");
    }
    moveFocus(id);
}

void FormRuntime::load(ControlId id) {
    const std::size_t at = slot(id);
    if (id.index == 0 || controls_[at].loaded) {
        raiseRuntimeError(RuntimeError::ControlElementMissing, describe(id) + " already loaded");
    }
    ControlState copy = get({id.name, 0});
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
    if (!isButton(id.name) || !s.enabled || !s.visible) {
        return;  // the platform delivers no click to a disabled button
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
    for (std::int16_t n = 1; n < kGridLabels; ++n) {
        if (controls_[kExistSlot + static_cast<std::size_t>(n)].loaded) {
            all.push_back({Ctl::lblExist, n});
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
