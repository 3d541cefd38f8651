// The platform-neutral half of the form runtime: control state, events and focus rules,
// and what every window does alike (tab order, the labels it paints, the words it speaks).
#include "form/form_runtime.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vop {

FormRuntime::FormRuntime(const FormDef& form, RandomSource& random)
    : form_(form),
      random_(random),
      places_(form),
      controls_(places_.count()),
      labelByPlace_(places_.count(), -1) {
    setRuntimeErrorTitle(form.appTitle);
}

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

void FormRuntime::made(ControlId id, ControlState s) {
    const std::size_t at = place(id);
    s.loaded = true;
    controls_[at] = std::move(s);
    if (controls_[at].def->kind == ControlKind::Label) {
        labelByPlace_[at] = static_cast<int>(labels_.size());
        labels_.push_back(id);
        paintedAt_.emplace_back();
    }
    createControl(id);
}

void FormRuntime::start(FormModule& module) {
    starting_ = true;
    module_ = &module;
    formCaption_ = Text(form_.caption);
    language_ = userLanguage();
    createWindow();
    for (const ControlDef& def : form_.controls) {
        ControlState s;
        s.def = &def;
        s.caption = Text(def.caption);
        s.enabled = def.enabled;
        s.visible = def.visible;
        s.left = def.left;
        s.top = def.top;
        s.width = def.width;
        s.height = def.height;
        s.fontSize = def.font.points;
        made(def.id, std::move(s));
    }
    module.Form_Load();
    if (ended_) {
        starting_ = false;
        return;
    }
    showWindow();
    if (const std::optional<ControlId> first = nextTabStop(std::nullopt, false)) {
        setFocus(*first);
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
template <class T>
void FormRuntime::change(ControlId id, T ControlState::*field, const T& value, Shown what) {
    ControlState& s = state(id);
    if (s.*field == value) {
        return;
    }
    s.*field = value;
    show(id, what);
}

void FormRuntime::setCaption(ControlId id, const Text& caption) {
    change(id, &ControlState::caption, caption, Shown::Caption);
}

void FormRuntime::setTag(ControlId id, const Text& tag) {
    state(id).tag = tag;
}

void FormRuntime::setEnabled(ControlId id, bool enabled) {
    change(id, &ControlState::enabled, enabled, Shown::Enabled);
}

void FormRuntime::setVisible(ControlId id, bool visible) {
    change(id, &ControlState::visible, visible, Shown::Visible);
}

void FormRuntime::setFontSize(ControlId id, double points) {
    change(id, &ControlState::fontSize, points, Shown::Font);
}

void FormRuntime::setTop(ControlId id, Twips top) {
    change(id, &ControlState::top, top, Shown::Geometry);
}

void FormRuntime::setLeft(ControlId id, Twips left) {
    change(id, &ControlState::left, left, Shown::Geometry);
}

void FormRuntime::setForeColor(ControlId id, ColorValue color) {
    ControlState& s = state(id);
    if (s.hasForeColor && s.foreColor == color) {
        return;
    }
    s.foreColor = color;
    s.hasForeColor = true;
    show(id, Shown::ForeColor);
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
    if (!id.name->isArray() || id.index == 0 || controls_[place(id)].loaded) {
        raiseRuntimeError(RuntimeError::ControlElementMissing, controlText(id) + " already loaded");
    }
    ControlState copy = get({*id.name, 0});
    copy.visible = false;
    copy.tag.clear();
    made(id, std::move(copy));
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

std::vector<ControlId> FormRuntime::buttonsByTabIndex() const {
    std::vector<ControlId> order;
    for (ControlId id : controls()) {
        if (get(id).def->kind == ControlKind::CommandButton) {
            order.push_back(id);
        }
    }
    std::stable_sort(order.begin(), order.end(), [this](ControlId a, ControlId b) {
        return get(a).def->tabIndex < get(b).def->tabIndex;
    });
    return order;
}

std::vector<ControlId> FormRuntime::tabOrder() const {
    std::vector<ControlId> order;
    for (ControlId id : buttonsByTabIndex()) {
        const ControlState& s = get(id);
        if (s.def->tabStop && s.enabled && s.visible) {
            order.push_back(id);
        }
    }
    return order;
}

std::optional<ControlId> FormRuntime::nextTabStop(std::optional<ControlId> from,
                                                  bool backwards) const {
    const std::vector<ControlId> order = tabOrder();
    if (order.empty()) {
        return std::nullopt;
    }
    const auto at = from ? std::find(order.begin(), order.end(), *from) : order.end();
    if (at == order.end()) {
        return backwards ? order.back() : order.front();
    }
    const auto i = static_cast<std::size_t>(at - order.begin());
    return order[(i + (backwards ? order.size() - 1 : 1)) % order.size()];
}

PixelRect FormRuntime::pixelRect(ControlId id, Dpi dpi) const {
    const ControlState& s = get(id);
    return {twipsToPixels(s.left, dpi.x), twipsToPixels(s.top, dpi.y),
            twipsToPixels(s.width, dpi.x), twipsToPixels(s.height, dpi.y)};
}

int FormRuntime::labelIndex(ControlId id) const {
    const std::optional<std::size_t> at = places_.of(id);
    return at ? labelByPlace_[*at] : -1;
}

LabelView FormRuntime::labelView(int index, Dpi dpi) const {
    const ControlId id = labels_.at(static_cast<std::size_t>(index));
    const ControlState& s = get(id);
    return {s.spokenName, s.caption, pixelRect(id, dpi), s.enabled, s.visible};
}

std::pair<PixelRect, PixelRect> FormRuntime::labelMoved(ControlId id, Dpi dpi) {
    PixelRect& painted = paintedAt_.at(static_cast<std::size_t>(labelIndex(id)));
    const PixelRect now = get(id).visible ? pixelRect(id, dpi) : PixelRect{};
    return {std::exchange(painted, now), now};
}

}  // namespace vop
