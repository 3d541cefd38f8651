// The monkey: seeded random walks of clicks, double clicks, drags and keys over the game's
// window, on whichever backend a driver stands for, with the invariant checker judging
// the game after every action and the "Win" box closed every way a player closes it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/driver.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"

namespace vop::reliability {

enum class Source : std::uint8_t { Uniform, Adversarial, Rigged };
std::string sourceName(Source source);

// The random sequence of a walk: uniform, adversarial, or rigged to let games be won.
std::unique_ptr<RandomSource> makeSource(Source source, std::uint64_t seed);

// What a walk ran. Games count every deal: start-up, "N" and the deal after a win.
struct MonkeyStats {
    long long events = 0;
    long long plays = 0;
    long long games = 0;
    long long exhaustions = 0;
    long long wins = 0;
    long long closedByKey = 0;
    long long closedByMouse = 0;
    MonkeyStats& operator+=(const MonkeyStats& other);
    std::string summary() const;
};

// One thing the player does.
struct Action {
    enum class Kind : std::uint8_t {
        Click,
        SecondClick,
        DragOff,
        ClickWith,  // another mouse button: `button`
        ClickOn,    // no control: `spot`
        Press,
        Hold,   // `key` held for `repeats` repeats
        Burst,  // `inputs` queued at once
        CloseBox,
    };
    Kind kind = Kind::Click;
    ControlId id = {};
    test::Key key = test::Key::Tab;
    test::BoxClose close = test::BoxClose::Enter;
    test::Button button = test::Button::Right;
    test::Spot spot = test::Spot::Background;
    int repeats = 0;
    std::vector<test::Input> inputs{};
};

// Has the driver do the action (a CloseBox is the driver's to do: onBox says how).
void perform(test::Driver& driver, const Action& action);

// The walk as a player's choices and a judge: next() says what to do, whoever drives the
// window does it, done() judges what came of it. While a box is open, nextInBox() and
// doneInBox() take their place, until an action closes the box.
class MonkeyWalk {
  public:
    // The game, its runtime and its random source belong to the window being walked; the
    // window tells where its focus is and whether the program has ended.
    MonkeyWalk(Source source, std::uint64_t seed, RandomSource& random, const frmVop& game,
               const FormRuntime& runtime, std::function<std::optional<ControlId>()> focus,
               std::function<bool()> ended);

    void started();
    bool wantsMore(long long events) const { return stats_.events < events; }
    Action next();
    void done();
    void boxOpened(const test::SeenBox& box);
    Action nextInBox();
    void doneInBox();
    // After "E" ended the program: the last checks and the figures.
    MonkeyStats finish();

  private:
    // What the action under way does: nothing the game acts on, a play, a deal, or what a
    // burst of input does, which the checker works out from the state it leaves.
    enum class Effect : std::uint8_t { None, Play, Deal, Several };
    Effect effectOf(ControlId id);
    Action click(ControlId id);
    Action press(test::Key key);
    Action hold(test::Key key);
    Action burst();
    ControlId anyControl();
    bool stuck();
    bool pickPlay(std::uint32_t& chosen);
    void checkFocus() const;

    Source source_;
    RandomSource& random_;
    const FormRuntime& runtime_;
    SplitMix choice_;
    InvariantChecker checker_;
    std::function<std::optional<ControlId>()> focus_;
    std::function<bool()> ended_;
    MonkeyStats stats_;
    Effect expected_ = Effect::None;  // of the action under way
    ControlId target_;
    std::optional<ControlId> secondClick_;  // the second half of a double click, still to come
    std::uint32_t triesInBox_ = 0;
    long long winsBefore_ = 0;  // when a burst began
};

// One program run on this test program's backend (makeDriver): start-up, `events`
// actions each checked, then "E", which must end it. The same source and seed give the
// same walk on the same backend.
MonkeyStats runMonkey(Source source, std::uint64_t seed, long long events);

}  // namespace vop::reliability
