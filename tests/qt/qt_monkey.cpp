// The walk: which event comes next, what the game must make of it, and the "Win" box.
#include "tests/qt/qt_monkey.h"

#include <QApplication>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

#include "tests/qt/monkey_input.h"
#include "tests/qt/monkey_program.h"

namespace vop::monkey {

namespace {

// Where the walk is, for the message of a failure: the seed and the last few events.
constexpr std::size_t kRecalled = 6;
std::deque<std::string> recent;
void sayWhere() {
    for (const std::string& event : recent) {
        std::fprintf(stderr, "Vop: the Qt monkey was at %s\n", event.c_str());
    }
    std::fflush(stderr);
}

std::string nameOf(ControlId id) {
    std::string name(controlName(id.name));
    if (isArray(id.name)) {
        name += "(" + std::to_string(id.index) + ")";
    }
    return name;
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

std::string describe(const Seen& s) {
    std::string text = "[" + toUtf8(s.caption) + " ground \"" + toUtf8(s.ground) + "\" hand";
    for (int i = 0; i < 5; ++i) {
        text += " " + toUtf8(s.tags[i]) + ":\"" + toUtf8(s.captions[i]) + "\"" +
                (s.enabled[i] ? "+" : "-");
    }
    return text + " deals " + std::to_string(s.deals) + " wins " + std::to_string(s.wins) + "]";
}

// What an event must do to the game. Any: several inputs at once, left to the checker.
enum class Effect : std::uint8_t { Nothing, Play, Deal, End, Any };
struct Expect {
    Effect effect = Effect::Nothing;
    Int16 card = 0;  // the card a play puts on the ground
};

}  // namespace

class Walk {
  public:
    Walk(std::uint64_t seed, long long events)
        : seed_(seed),
          budget_(events),
          choice_(seed),
          watch_([this] { checkNow(); }, [this](QMessageBox* box) { boxShown(box); }) {
        desktop_.setWindowTitle(QStringLiteral("desktop"));
        desktop_.resize(160, 90);
        setInvariantFailureAction(&sayWhere);
    }
    ~Walk() { setInvariantFailureAction(nullptr); }

    QtMonkeyStats run() {
        startProgram();
        while (stats_.events < budget_) {
            step();
        }
        endProgram();
        return stats_;
    }

  private:
    MonkeyProgram& p() { return *program_; }

    void startProgram() {
        program_ = std::make_unique<MonkeyProgram>(choice_.next());
        ++stats_.programs;
        begin("start-up");
        if (!p().start()) {
            invariantBroken("the window did not become active after start-up");
        }
        p().checker.check();
    }

    // "E", by mouse or by key, inside the program's event loop as the real program runs it.
    void endProgram() {
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

    void step() {
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

    // --- Events.

    void play(int i) {
        if (choice_.chance(750)) {
            const QPoint at = pointOn(slot(i));
            act(expectClickAt(at), "click " + nameOf(at) + " on " + nameOf(p().controlAt(at)),
                [this, at] { clickAt(p().handle(), at); });
            return;
        }
        tabTo(slot(i));
        pressActivator();
    }

    void newGame() {
        if (choice_.chance(700)) {
            const QPoint at = pointOn(kNew);
            act(expectClickAt(at), "N by mouse " + nameOf(at),
                [this, at] { clickAt(p().handle(), at); });
            return;
        }
        tabTo(kNew);
        pressActivator();
    }

    void clickSomewhere() {
        QPoint at;
        const std::uint32_t r = choice_.below(10);
        if (r < 3) {
            at = pointOn(slot(static_cast<int>(choice_.below(5))));
        } else if (r == 3) {
            at = pointOn(kGround);
        } else if (r < 6) {
            const ControlId label = choice_.chance(800)
                                        ? ControlId{Ctl::lblExist, Int16(1 + choice_.below(52))}
                                        : ControlId{Ctl::lblColor, Int16(choice_.below(4))};
            at = pointOn(label);
        } else {
            at = anywhere();
        }
        at = avoidEnd(at);
        act(expectClickAt(at), "click " + nameOf(at) + " on " + nameOf(p().controlAt(at)),
            [this, at] { clickAt(p().handle(), at); });
    }

    void pressKey() {
        const Key key = safeKey(kKeys[choice_.below(std::size(kKeys))]);
        act(expectKey(key), "key " + nameOf(key) + " on " + nameOf(p().focused()),
            [this, key] { press(p().handle(), key); });
    }

    void pressActivator() {
        const Key key = safeKey(activator());
        act(expectKey(key), "key " + nameOf(key) + " on " + nameOf(p().focused()),
            [this, key] { press(p().handle(), key); });
    }

    // One input many times over before the program gets to handle any of them.
    void burst() {
        const int count = 2 + static_cast<int>(choice_.below(11));
        ++stats_.repeats;
        if (choice_.chance(500)) {
            const QPoint at =
                avoidEnd(choice_.chance(700) ? pointOn(slot(static_cast<int>(choice_.below(5))))
                                             : anywhere());
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
    void heldKey() {
        const Key key = safeKey(choice_.chance(700) ? activator() : kKeys[choice_.below(3)]);
        const int repeats = 1 + static_cast<int>(choice_.below(8));
        act(expectKey(key), nameOf(key) + " held on " + nameOf(p().focused()), [=, this] {
            queueHeldKey(p().handle(), key, repeats);
            handleQueued();
        });
        stats_.events += repeats + 1;
    }

    // Pressed on one spot, let go on another: only a button let go over itself is clicked.
    void drag() {
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
    void clickOutside() {
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
    void tabTo(ControlId target) {
        const Key key = choice_.chance(600) ? kKeys[0] : kKeys[1 + choice_.below(2)];
        for (int presses = 0; presses < 12 && p().focused() != target; ++presses) {
            act(Expect{}, "key " + nameOf(key) + " on " + nameOf(p().focused()),
                [this, key] { press(p().handle(), key); });
        }
    }

    // --- What an event must do.

    Expect expectPressOn(ControlId id) {
        if (id.name == Ctl::btnCard && p().runtime.enabled(id)) {
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
    Expect expectClickAt(QPoint at) {
        const std::optional<ControlId> id = p().controlAt(at);
        return id ? expectPressOn(*id) : Expect{};
    }
    Expect expectKey(Key key) {
        const std::optional<ControlId> id = p().focused();
        return activates(key) && id ? expectPressOn(*id) : Expect{};
    }
    void targetFor(std::optional<ControlId> id) {
        if (id) {
            expectPressOn(*id);
        }
    }

    // Runs one event, then checks the invariants and that the game did what it promises.
    template <typename Event>
    void act(Expect expect, const std::string& what, Event event) {
        begin(what);
        const Seen before = p().seen();
        event();
        p().checker.check();
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
                    invariantBroken("the card " + toUtf8(p().nameOf(expect.card)) +
                                    " was not played");
                }
                if (now.wins == before.wins &&
                    (p().runtime.focus() != kFocus ||
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

    void begin(const std::string& what) {
        ++stats_.events;
        if (recent.size() == kRecalled) {
            recent.pop_front();
        }
        recent.push_back("seed " + std::to_string(seed_) + ", event " +
                         std::to_string(stats_.events) + ": " + what);
    }

    // Between any two inputs, and while the "Win" box is open.
    void checkNow() {
        if (program_ && !p().runtime.ended()) {
            p().checker.check();
        }
    }

    // --- The "Win" box: a few clicks and keys on the window behind it, which must not
    // reach the game, then closed by key or by a click on its OK button.

    void boxShown(QMessageBox* box) {
        QTimer::singleShot(0, box, [this, box] { whileBoxOpen(box, 0); });
    }

    void whileBoxOpen(QMessageBox* box, int attempt) {
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

    // --- Choices.

    Key activator() {
        static constexpr Key kActivators[] = {{Qt::Key_Space, Qt::NoModifier},
                                              {Qt::Key_Return, Qt::NoModifier},
                                              {Qt::Key_Enter, Qt::KeypadModifier}};
        return kActivators[choice_.below(3)];
    }
    // "E" ends the walk only when the walk means it to.
    Key safeKey(Key key) { return activates(key) && p().focused() == kEnd ? kKeys[0] : key; }
    // QTest reads the point (0,0) as "the middle of the window", so the monkey never
    // picks that one pixel: a click there would land on a hand slot.
    QPoint pointIn(QRect r) {
        QPoint at;
        do {
            at = QPoint(r.x() + static_cast<int>(choice_.below(r.width())),
                        r.y() + static_cast<int>(choice_.below(r.height())));
        } while (at.isNull());
        return at;
    }
    QPoint anywhere() { return pointIn(p().window()->rect()); }
    QPoint avoidEnd(QPoint at) {
        for (int tries = 0; tries < 8 && p().controlAt(at) == kEnd; ++tries) {
            at = anywhere();
        }
        return p().controlAt(at) == kEnd ? pointOn(kGround) : at;
    }
    // A point of the window where a click reaches the control, as Qt routes it.
    // Every control the monkey aims at shows enough of itself to be hit.
    QPoint pointOn(ControlId id) {
        const QRect r = p().widget(id)->geometry() & p().window()->rect();
        for (int tries = 0; tries < 64; ++tries) {
            const QPoint at = pointIn(r);
            if (p().controlAt(at) == id) {
                return at;
            }
        }
        invariantBroken("no click reaches " + nameOf(id));
    }

    std::uint64_t seed_;
    long long budget_;
    reliability::SplitMix choice_;
    QtMonkeyStats stats_;
    std::unique_ptr<MonkeyProgram> program_;
    long long boxes_ = 0;  // "Win" boxes closed in this program
    InputWatch watch_;
    QWidget desktop_;  // another window of the desktop
};

std::string QtMonkeyStats::summary() const {
    return std::to_string(events) + " events, " + std::to_string(plays) + " plays, " +
           std::to_string(games) + " games, " + std::to_string(exhaustions) + " empty decks, " +
           std::to_string(wins) + " wins, \"Win\" closed " + std::to_string(boxesByKey) +
           " times by key and " + std::to_string(boxesByMouse) + " by mouse, " +
           std::to_string(repeats) + " bursts, " + std::to_string(programs) + " windows, " +
           std::to_string(ends) + " ended by \"E\"";
}

QtMonkeyStats runQtMonkey(std::uint64_t seed, long long events) {
    Walk walk(seed, events);
    return walk.run();
}

}  // namespace vop::monkey
