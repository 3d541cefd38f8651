// The walk's judge: what each event must do to the game, the checks between inputs, and
// the "Win" box.
#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <deque>

#include "qt/monkey_walk.h"

namespace vop::monkey {

namespace {
// Where the walk is, for the message of a failure: the seed and the last few events.
constexpr std::size_t kRecalled = 6;
std::deque<std::string> recent;

std::string describe(const Seen& s) {
    std::string text = "[" + toUtf8(s.caption) + " ground \"" + toUtf8(s.ground) + "\" hand";
    for (int i = 0; i < 5; ++i) {
        text += " " + toUtf8(s.tags[i]) + ":\"" + toUtf8(s.captions[i]) + "\"" +
                (s.enabled[i] ? "+" : "-");
    }
    return text + " deals " + std::to_string(s.deals) + " wins " + std::to_string(s.wins) + "]";
}
}  // namespace

void sayWhere() {
    for (const std::string& event : recent) {
        std::fprintf(stderr, "Vop: the Qt monkey was at %s\n", event.c_str());
    }
    std::fflush(stderr);
}

std::string nameOf(ControlId id) {
    return controlText(id);
}
std::string nameOf(std::optional<ControlId> id) {
    return id ? nameOf(*id) : std::string("no control");
}
std::string nameOf(QPoint p) {
    return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")";
}
std::string nameOf(Key key) {
    std::string name = QKeySequence(key.key).toString().toStdString();
    return key.modifiers & Qt::ShiftModifier ? "Shift+" + name : name;
}

Expect Walk::expectPressOn(ControlId id) {
    if (id.name == &ctl::btnCard && p().runtime.enabled(id)) {
        const Int16 card = p().cardIn(id.index);
        p().random.target(card);  // refills follow it, so the game goes on
        return {Effect::Play, card};
    }
    if (id == kNew) {
        p().random.target(0);
        return {Effect::Deal};
    }
    return {id == kEnd ? Effect::End : Effect::Nothing};
}

Expect Walk::expectClickAt(QPoint at) {
    const std::optional<ControlId> id = p().controlAt(at);
    return id ? expectPressOn(*id) : Expect{};
}

Expect Walk::expectKey(Key key) {
    const std::optional<ControlId> id = p().focused();
    return activates(key) && id ? expectPressOn(*id) : Expect{};
}

void Walk::targetFor(std::optional<ControlId> id) {
    if (id) {
        expectPressOn(*id);
    }
}

// Runs one event, then checks the invariants and that the game did what it promises.
void Walk::act(Expect expect, const std::string& what, const std::function<void()>& event) {
    begin(what);
    const Seen before = p().seen();
    event();
    p().checker.check();
    ++stats_.checks;
    if (p().runtime.ended() != (expect.effect == Effect::End)) {
        invariantBroken(p().runtime.ended() ? "the program ended" : "\"E\" did not end it");
    }
    const Seen now = p().seen();
    switch (expect.effect) {
        case Effect::Nothing:
            if (now != before) {
                invariantBroken(
                    "an event that reaches no enabled card or command changed "
                    "the game: " +
                    describe(before) + " became " + describe(now));
            }
            break;
        case Effect::Play:
            ++stats_.plays;
            if (now.ground != p().nameOf(expect.card)) {
                invariantBroken("the card " + toUtf8(p().nameOf(expect.card)) + " was not played");
            }
            if (now.wins == before.wins && (p().runtime.focus() != kFocus ||
                                            p().window()->focusWidget() != p().widget(kFocus))) {
                invariantBroken("the focus is not on btnFocus after a play");
            }
            break;
        case Effect::Deal:
            if (now.deals != before.deals + 1 || now.played != 0 || !now.ground.empty()) {
                invariantBroken("\"N\" did not deal a new game");
            }
            break;
        case Effect::End:
        case Effect::Any:
            break;
    }
}

void Walk::begin(const std::string& what) {
    ++stats_.events;
    if (recent.size() == kRecalled) {
        recent.pop_front();
    }
    recent.push_back("seed " + std::to_string(seed_) + ", event " + std::to_string(stats_.events) +
                     ": " + what);
}

// Between any two inputs, and while the "Win" box is open.
void Walk::checkNow() {
    if (program_ && !p().runtime.ended()) {
        p().checker.check();
        ++stats_.checks;
    }
}

void Walk::boxShown(QMessageBox* box) {
    QTimer::singleShot(0, box, [this, box] { whileBoxOpen(box, 0); });
}

void Walk::whileBoxOpen(QMessageBox* box, int attempt) {
    if (!box->isVisible()) {
        return;
    }
    if (box->text() != QStringLiteral("Win")) {
        invariantBroken("a message box says " + box->text().toStdString());
    }
    for (std::uint32_t tries = attempt == 0 ? choice_.below(4) : 0; tries > 0; --tries) {
        begin("behind the \"Win\" box");
        if (choice_.chance(500)) {
            clickAt(p().handle(), choice_.chance(300) ? pointOn(kEnd) : anywhere());
        } else {
            press(p().handle(), kKeys[choice_.below(std::size(kKeys))]);
        }
        p().checker.check();
        if (p().runtime.ended() || !box->isVisible()) {
            invariantBroken("an event behind the \"Win\" box reached the game");
        }
    }
    const std::uint32_t way = choice_.below(5);
    static constexpr Key kClosers[] = {{Qt::Key_Return, Qt::NoModifier},
                                       {Qt::Key_Space, Qt::NoModifier},
                                       {Qt::Key_Escape, Qt::NoModifier}};
    if (way < 3) {
        begin("\"Win\" closed by " + nameOf(kClosers[way]));
        press(box->windowHandle(), kClosers[way]);
    } else {
        QPushButton* ok = qobject_cast<QPushButton*>(box->button(QMessageBox::Ok));
        const QRect r = ok->rect();
        const QPoint at = ok->mapTo(box, QPoint(static_cast<int>(choice_.below(r.width())),
                                                static_cast<int>(choice_.below(r.height()))));
        begin("\"Win\" closed by a click on OK " + nameOf(at));
        clickAt(box->windowHandle(), at);
    }
    if (box->isVisible()) {
        if (attempt >= 20) {
            invariantBroken("the \"Win\" box does not close");
        }
        QTimer::singleShot(0, box, [this, box, attempt] { whileBoxOpen(box, attempt + 1); });
        return;
    }
    ++boxes_;
    ++(way < 3 ? stats_.boxesByKey : stats_.boxesByMouse);
}
std::string QtMonkeyStats::summary() const {
    return std::to_string(events) + " events, " + std::to_string(checks) + " checks, " +
           std::to_string(plays) + " plays, " + std::to_string(games) + " games, " +
           std::to_string(exhaustions) + " empty decks, " + std::to_string(wins) +
           " wins, \"Win\" closed " + std::to_string(boxesByKey) + " times by key and " +
           std::to_string(boxesByMouse) + " by mouse, " + std::to_string(repeats) + " bursts, " +
           std::to_string(programs) + " windows, " + std::to_string(ends) + " ended by \"E\"";
}

QtMonkeyStats runQtMonkey(std::uint64_t seed, long long events) {
    Walk walk(seed, events);
    return walk.run();
}

}  // namespace vop::monkey
