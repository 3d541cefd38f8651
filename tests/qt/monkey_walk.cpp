// The walk: which event comes next, and where on the window it lands.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <vector>

#include "qt/monkey_walk.h"

namespace vop::monkey {

Walk::Walk(std::uint64_t seed, long long events)
    : seed_(seed),
      budget_(events),
      choice_(seed),
      watch_([this] { checkNow(); }, [this](QMessageBox* box) { boxShown(box); }) {
    desktop_.setWindowTitle(QStringLiteral("desktop"));
    desktop_.resize(160, 90);
    setInvariantFailureAction(&sayWhere);
}

QtMonkeyStats Walk::run() {
    startProgram();
    while (stats_.events < budget_) {
        step();
    }
    endProgram();
    return stats_;
}

void Walk::startProgram() {
    program_ = std::make_unique<MonkeyProgram>(choice_.next());
    ++stats_.programs;
    begin("start-up");
    if (!p().start()) {
        invariantBroken("the window did not become active after start-up");
    }
    p().checker.check();
}

// "E", by mouse or by key, inside the program's event loop as the real program runs it.
void Walk::endProgram() {
    const bool byKey = choice_.chance(400);
    QTimer::singleShot(0, qApp, [this, byKey] {
        if (byKey) {
            tabTo(kEnd);
            act(expectPressOn(kEnd), "E by key", [this] { press(p().handle(), activator()); });
        } else {
            const QPoint at = pointOn(kEnd);
            act(expectPressOn(kEnd), "E by mouse " + nameOf(at),
                [this, at] { clickAt(p().handle(), at); });
        }
        if (!p().runtime.ended()) {
            QCoreApplication::exit(2);
        }
    });
    const int status = QApplication::exec();
    if (status != 0 || !p().runtime.ended() || p().window()->isVisible()) {
        invariantBroken("\"E\" did not end the program (event loop status " +
                        std::to_string(status) + ")");
    }
    ++stats_.ends;
    stats_.games += p().checker.deals();
    stats_.exhaustions += p().checker.exhaustions();
    stats_.wins += p().checker.wins();
    if (p().checker.wins() != boxes_) {
        invariantBroken("the checker saw " + std::to_string(p().checker.wins()) +
                        " wins, the monkey " + std::to_string(boxes_) + " \"Win\" boxes");
    }
    boxes_ = 0;
    program_.reset();
}

void Walk::step() {
    std::vector<int> filled;
    std::vector<int> empty;
    for (int i = 0; i < 5; ++i) {
        if (p().slotEnabled(i)) {
            (p().slotFilled(i) ? filled : empty).push_back(i);
        }
    }
    if (filled.empty() && choice_.chance(300)) {
        // Replaying an emptied slot may turn the ground to a card that frees another.
        if (!empty.empty() && choice_.chance(500)) {
            play(empty[choice_.below(static_cast<std::uint32_t>(empty.size()))]);
        } else {
            newGame();
        }
        return;
    }
    const std::uint32_t r = choice_.below(10000);
    if (r < 5) {
        endProgram();
        startProgram();
    } else if (r < 35) {
        newGame();
    } else if (r < 5500 && !filled.empty()) {
        play(filled[choice_.below(static_cast<std::uint32_t>(filled.size()))]);
    } else if (r < 7000) {
        clickSomewhere();
    } else if (r < 8600) {
        pressKey();
    } else if (r < 9100) {
        burst();
    } else if (r < 9300) {
        heldKey();
    } else if (r < 9550) {
        drag();
    } else if (r < 9750) {
        act(Expect{}, "other button", [this, at = anywhere()] {
            clickAt(p().handle(), at, choice_.chance(500) ? Qt::RightButton : Qt::MiddleButton);
        });
    } else if (r < 9950) {
        const QPoint at = avoidEnd(anywhere());
        targetFor(p().controlAt(at));
        act({Effect::Any}, "double click " + nameOf(at),
            [this, at] { doubleClickAt(p().handle(), at); });
    } else {
        clickOutside();
    }
}

void Walk::play(int i) {
    if (choice_.chance(750)) {
        const QPoint at = pointOn(slot(i));
        act(expectClickAt(at), "click " + nameOf(at) + " on " + nameOf(p().controlAt(at)),
            [this, at] { clickAt(p().handle(), at); });
        return;
    }
    tabTo(slot(i));
    pressActivator();
}

void Walk::newGame() {
    if (choice_.chance(700)) {
        const QPoint at = pointOn(kNew);
        act(expectClickAt(at), "N by mouse " + nameOf(at),
            [this, at] { clickAt(p().handle(), at); });
        return;
    }
    tabTo(kNew);
    pressActivator();
}

void Walk::clickSomewhere() {
    QPoint at;
    const std::uint32_t r = choice_.below(10);
    if (r < 3) {
        at = pointOn(slot(static_cast<int>(choice_.below(5))));
    } else if (r == 3) {
        at = pointOn(kGround);
    } else if (r < 6) {
        const ControlId label = choice_.chance(800)
                                    ? ControlId{ctl::lblExist, Int16(1 + choice_.below(52))}
                                    : ControlId{ctl::lblColor, Int16(choice_.below(4))};
        at = pointOn(label);
    } else {
        at = anywhere();
    }
    at = avoidEnd(at);
    act(expectClickAt(at), "click " + nameOf(at) + " on " + nameOf(p().controlAt(at)),
        [this, at] { clickAt(p().handle(), at); });
}

void Walk::pressKey() {
    const Key key = safeKey(kKeys[choice_.below(std::size(kKeys))]);
    act(expectKey(key), "key " + nameOf(key) + " on " + nameOf(p().focused()),
        [this, key] { press(p().handle(), key); });
}

void Walk::pressActivator() {
    const Key key = safeKey(activator());
    act(expectKey(key), "key " + nameOf(key) + " on " + nameOf(p().focused()),
        [this, key] { press(p().handle(), key); });
}

// One input many times over before the program gets to handle any of them.
void Walk::burst() {
    const int count = 2 + static_cast<int>(choice_.below(11));
    ++stats_.repeats;
    if (choice_.chance(500)) {
        const QPoint at = avoidEnd(
            choice_.chance(700) ? pointOn(slot(static_cast<int>(choice_.below(5)))) : anywhere());
        targetFor(p().controlAt(at));
        act({Effect::Any}, std::to_string(count) + " queued clicks " + nameOf(at), [=, this] {
            queueClicks(p().handle(), at, count);
            handleQueued();
        });
    } else {
        const Key key = safeKey(kKeys[choice_.below(std::size(kKeys))]);
        targetFor(p().focused());
        act({Effect::Any}, std::to_string(count) + " queued " + nameOf(key), [=, this] {
            queueKeys(p().handle(), key, count);
            handleQueued();
        });
    }
    stats_.events += count - 1;
}

// A held key presses the focused button once, however long it is held.
void Walk::heldKey() {
    const Key key = safeKey(choice_.chance(700) ? activator() : kKeys[choice_.below(3)]);
    const int repeats = 1 + static_cast<int>(choice_.below(8));
    act(expectKey(key), nameOf(key) + " held on " + nameOf(p().focused()), [=, this] {
        queueHeldKey(p().handle(), key, repeats);
        handleQueued();
    });
    stats_.events += repeats + 1;
}

// Pressed on one spot, let go on another: only a button let go over itself is clicked.
void Walk::drag() {
    const QPoint from =
        choice_.chance(600) ? pointOn(slot(static_cast<int>(choice_.below(5)))) : anywhere();
    const QRect around = p().window()->rect().adjusted(-20, -20, 20, 20);
    const QPoint to = pointIn(around);
    const std::optional<ControlId> pressed = p().controlAt(from);
    const bool over = pressed && p().widget(*pressed)->geometry().contains(to);
    if (pressed == kEnd && over) {
        return;  // that would be "E"
    }
    act(over ? expectPressOn(*pressed) : Expect{},
        "drag " + nameOf(from) + " on " + nameOf(pressed) + " to " + nameOf(to),
        [=, this] { dragFromTo(p().handle(), from, to); });
}

// The player clicks another window, then comes back to the game by its frame.
void Walk::clickOutside() {
    act(Expect{}, "click outside the window", [this] {
        desktop_.show();
        desktop_.activateWindow();
        if (!QTest::qWaitForWindowActive(&desktop_)) {
            invariantBroken("the other window did not become active");
        }
        clickAt(desktop_.windowHandle(), QPoint(10, 10));
    });
    act(Expect{}, "back to the window", [this] {
        p().window()->activateWindow();
        if (!QTest::qWaitForWindowActive(p().window())) {
            invariantBroken("the window did not become active again");
        }
    });
}

// Moves the focus with Tab until it reaches `target` (each press an event); gives up
// after a full round, as when the target is disabled.
void Walk::tabTo(ControlId target) {
    const Key key = choice_.chance(600) ? kKeys[0] : kKeys[1 + choice_.below(2)];
    for (int presses = 0; presses < 12 && p().focused() != target; ++presses) {
        act(Expect{}, "key " + nameOf(key) + " on " + nameOf(p().focused()),
            [this, key] { press(p().handle(), key); });
    }
}

Key Walk::activator() {
    static constexpr Key kActivators[] = {{Qt::Key_Space, Qt::NoModifier},
                                          {Qt::Key_Return, Qt::NoModifier},
                                          {Qt::Key_Enter, Qt::KeypadModifier}};
    return kActivators[choice_.below(3)];
}

// QTest reads the point (0,0) as "the middle of the window", so the monkey never
// picks that one pixel: a click there would land on a hand slot.
QPoint Walk::pointIn(QRect r) {
    QPoint at;
    do {
        at = QPoint(r.x() + static_cast<int>(choice_.below(r.width())),
                    r.y() + static_cast<int>(choice_.below(r.height())));
    } while (at.isNull());
    return at;
}

QPoint Walk::avoidEnd(QPoint at) {
    for (int tries = 0; tries < 8 && p().controlAt(at) == kEnd; ++tries) {
        at = anywhere();
    }
    return p().controlAt(at) == kEnd ? pointOn(kGround) : at;
}

QPoint Walk::pointOn(ControlId id) {
    const QRect r = p().widget(id)->geometry() & p().window()->rect();
    for (int tries = 0; tries < 64; ++tries) {
        const QPoint at = pointIn(r);
        if (p().controlAt(at) == id) {
            return at;
        }
    }
    invariantBroken("no click reaches " + nameOf(id));
}
}  // namespace vop::monkey
