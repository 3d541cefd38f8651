// The monkey's program run: starting the window and reading it back.
#include "qt/monkey_program.h"

#include <QTest>
#include <string>

#include "cards/card_name.h"

namespace vop::monkey {

MonkeyProgram::MonkeyProgram(std::uint64_t seed) : random(seed) {
    random.watch(game);
}

bool MonkeyProgram::start() {
    runtime.start(game);
    return QTest::qWaitForWindowActive(window());
}

std::optional<ControlId> MonkeyProgram::idOf(const QWidget* w) const {
    if (w == nullptr) {
        return std::nullopt;
    }
    for (ControlId id : runtime.controls()) {
        if (runtime.widget(id) == w) {
            return id;
        }
    }
    return std::nullopt;
}

std::optional<ControlId> MonkeyProgram::controlAt(QPoint p) const {
    return idOf(window()->childAt(p));
}

std::optional<ControlId> MonkeyProgram::focused() const {
    return idOf(window()->focusWidget());
}

Seen MonkeyProgram::seen() const {
    Seen s;
    s.caption = runtime.formCaption();
    s.ground = runtime.caption(kGround);
    for (int i = 0; i < 5; ++i) {
        s.tags[i] = runtime.tag(slot(i));
        s.captions[i] = runtime.caption(slot(i));
        s.enabled[i] = runtime.enabled(slot(i));
    }
    s.played = game.playedCount();
    s.remain = game.remainCount();
    s.deals = checker.deals();
    s.wins = checker.wins();
    return s;
}

Int16 MonkeyProgram::cardIn(int i) const {
    return static_cast<Int16>(std::stoi(toUtf8(runtime.tag(slot(i)))));
}

Text MonkeyProgram::nameOf(Int16 card) const {
    return setCap(game.cards()(card));
}

}  // namespace vop::monkey
