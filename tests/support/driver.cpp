// What every driver shares: the scripted draws, the language, the controls by name.
#include "support/driver.h"

#include <cstdio>
#include <cstdlib>

#include "support/deals.h"
#include "support/random_sources.h"

namespace vop::test {

namespace {

ScriptedRandom& scripted(RandomSource& random) {
    auto* values = dynamic_cast<ScriptedRandom*>(&random);
    if (values == nullptr) {
        std::fputs("a driver without scripted draws was asked to script one\n", stderr);
        std::abort();
    }
    return *values;
}

}  // namespace

void Driver::draw(int card) {
    scripted(random_).push(valueFor(card));
}

std::size_t Driver::drawsLeft() const {
    return scripted(random_).left();
}

std::string Driver::language() const {
    return runtime() != nullptr ? toUtf8(runtime()->language()) : "en";
}

std::optional<ControlId> controlNamed(std::string_view name) {
    const std::size_t paren = name.find('(');
    const std::string_view base = name.substr(0, paren);
    for (const ControlDef& def : vopWindow().controls) {
        if (def.id.name->text != base) {
            continue;
        }
        if (paren == std::string_view::npos) {
            return ControlId{*def.id.name};
        }
        if (name.back() != ')') {
            return std::nullopt;
        }
        const std::string digits(name.substr(paren + 1, name.size() - paren - 2));
        char* end = nullptr;
        const long index = std::strtol(digits.c_str(), &end, 10);
        if (digits.empty() || *end != '\0' || index < 0 || index >= def.id.name->count()) {
            return std::nullopt;
        }
        return ControlId{*def.id.name, static_cast<std::int16_t>(index)};
    }
    return std::nullopt;
}

}  // namespace vop::test
