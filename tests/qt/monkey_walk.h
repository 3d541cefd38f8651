// The monkey's walk over one Qt window after another: the events it picks, what each must
// do to the game, and the "Win" box it closes.
#pragma once

#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "qt/monkey_input.h"
#include "qt/monkey_program.h"
#include "qt/qt_monkey.h"

namespace vop::monkey {

// What an event must do to the game. Any: several inputs at once, left to the checker.
enum class Effect : std::uint8_t { Nothing, Play, Deal, End, Any };
struct Expect {
    Effect effect = Effect::Nothing;
    Int16 card = 0;  // the card a play puts on the ground
};

// Names for the messages of a failure.
std::string nameOf(ControlId id);
std::string nameOf(std::optional<ControlId> id);
std::string nameOf(QPoint p);
std::string nameOf(Key key);
// Prints the last few events of the walk; runs when an invariant breaks.
void sayWhere();

class Walk {
  public:
    Walk(std::uint64_t seed, long long events);
    ~Walk() { setInvariantFailureAction(nullptr); }
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    QtMonkeyStats run();

  private:
    MonkeyProgram& p() { return *program_; }

    void startProgram();
    // "E", by mouse or by key, inside the program's event loop as the real program runs it.
    void endProgram();
    void step();

    // --- Events.
    void play(int i);
    void newGame();
    void clickSomewhere();
    void pressKey();
    void pressActivator();
    // One input many times over before the program gets to handle any of them.
    void burst();
    // A held key presses the focused button once, however long it is held.
    void heldKey();
    // Pressed on one spot, let go on another: only a button let go over itself is clicked.
    void drag();
    // The player clicks another window, then comes back to the game by its frame.
    void clickOutside();
    // Moves the focus with Tab until it reaches `target` (each press an event); gives up
    // after a full round, as when the target is disabled.
    void tabTo(ControlId target);

    // --- What an event must do.
    Expect expectPressOn(ControlId id);
    Expect expectClickAt(QPoint at);
    Expect expectKey(Key key);
    void targetFor(std::optional<ControlId> id);
    // Runs one event, then checks the invariants and that the game did what it promises.
    void act(Expect expect, const std::string& what, const std::function<void()>& event);
    void begin(const std::string& what);
    // Between any two inputs, and while the "Win" box is open.
    void checkNow();

    // --- The "Win" box: a few clicks and keys on the window behind it, which must not
    // reach the game, then closed by key or by a click on its OK button.
    void boxShown(QMessageBox* box);
    void whileBoxOpen(QMessageBox* box, int attempt);

    // --- Choices.
    Key activator();
    // QTest reads the point (0,0) as "the middle of the window", so the monkey never
    // picks that one pixel: a click there would land on a hand slot.
    QPoint pointIn(QRect r);
    QPoint avoidEnd(QPoint at);
    // A point of the window where a click reaches the control, as Qt routes it; every
    // control the monkey aims at shows enough of itself to be hit.
    QPoint pointOn(ControlId id);
    // "E" ends the walk only when the walk means it to.
    Key safeKey(Key key) { return activates(key) && p().focused() == kEnd ? kKeys[0] : key; }
    QPoint anywhere() { return pointIn(p().window()->rect()); }

    std::uint64_t seed_;
    long long budget_;
    reliability::SplitMix choice_;
    QtMonkeyStats stats_;
    std::unique_ptr<MonkeyProgram> program_;
    long long boxes_ = 0;  // "Win" boxes closed in this program
    InputWatch watch_;
    QWidget desktop_;  // another window of the desktop
};

}  // namespace vop::monkey
