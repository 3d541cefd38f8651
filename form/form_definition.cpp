// The places of a window's controls, worked out from its definition.
#include "form/form_definition.h"

#include <algorithm>

#include "base/text.h"

namespace vop {

ControlPlaces::ControlPlaces(const FormDef& form) {
    for (const ControlDef& def : form.controls) {
        const ControlName* name = def.id.name;
        if (std::none_of(spans_.begin(), spans_.end(),
                         [&](const Span& s) { return s.name == name; })) {
            spans_.push_back({name, count_});
            count_ += static_cast<std::size_t>(name->count());
        }
    }
}

std::optional<std::size_t> ControlPlaces::of(ControlId id) const {
    for (const Span& span : spans_) {
        if (span.name == id.name) {
            if (id.index < 0 || id.index >= span.name->count()) {
                return std::nullopt;
            }
            return span.first + static_cast<std::size_t>(id.index);
        }
    }
    return std::nullopt;
}

std::optional<ControlId> ControlPlaces::at(std::size_t place) const {
    for (const Span& span : spans_) {
        if (place >= span.first &&
            place - span.first < static_cast<std::size_t>(span.name->count())) {
            return ControlId{*span.name, static_cast<std::int16_t>(place - span.first)};
        }
    }
    return std::nullopt;
}

std::string controlText(ControlId id) {
    if (id.name == nullptr) {
        return "(no control)";
    }
    std::string text(id.name->text);
    if (id.name->isArray()) {
        text.append("(").append(digits(id.index)).append(")");
    }
    return text;
}

ContrastPair contrastPairOf(const FormDef& form, ColorValue foreColor) {
    for (const ContrastInk& ink : form.contrastInks) {
        if (ink.foreColor == foreColor) {
            return ink.pair;
        }
    }
    return ContrastPair::Text;
}

}  // namespace vop
