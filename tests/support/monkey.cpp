// The monkey's walk, the same on every backend: it acts through a driver and reads the
// game through the invariant checker.
#include "support/monkey.h"

namespace vop::reliability {

namespace {

using test::BoxClose;
using test::Button;
using test::Key;
using test::Spot;

constexpr ControlId kNew{ctl::cmdPlay, 0};
constexpr ControlId kEnd{ctl::cmdPlay, 1};
constexpr ControlId kGround{ctl::btnGround};

ControlId slot(std::uint32_t i) {
    return {ctl::btnCard, static_cast<Int16>(i)};
}

}  // namespace

void perform(test::Driver& driver, const Action& a) {
    switch (a.kind) {
        case Action::Kind::Click:
            driver.click(a.id);
            break;
        case Action::Kind::SecondClick:
            driver.secondClick(a.id);
            break;
        case Action::Kind::DragOff:
            driver.dragOff(a.id);
            break;
        case Action::Kind::ClickWith:
            driver.clickWith(a.id, a.button);
            break;
        case Action::Kind::ClickOn:
            driver.clickOn(a.spot);
            break;
        case Action::Kind::Press:
            driver.press(a.key);
            break;
        case Action::Kind::Hold:
            driver.hold(a.key, a.repeats);
            break;
        case Action::Kind::Burst:
            driver.burst(a.inputs);
            break;
        case Action::Kind::CloseBox:
            break;  // the driver closes the box the way onBox returns
    }
}

std::unique_ptr<RandomSource> makeSource(Source source, std::uint64_t seed) {
    switch (source) {
        case Source::Uniform:
            return std::make_unique<UniformRandom>(seed);
        case Source::Adversarial:
            return std::make_unique<AdversarialRandom>(seed);
        case Source::Rigged:
            break;
    }
    return std::make_unique<RiggedRandom>(seed);
}

MonkeyWalk::MonkeyWalk(Source source, std::uint64_t seed, RandomSource& random, const frmVop& game,
                       const FormRuntime& runtime, std::function<std::optional<ControlId>()> focus,
                       std::function<bool()> ended)
    : source_(source),
      random_(random),
      runtime_(runtime),
      choice_(~seed),
      checker_(game, runtime),
      focus_(std::move(focus)),
      ended_(std::move(ended)) {
    if (source == Source::Rigged) {
        static_cast<RiggedRandom&>(random_).watch(game);
    }
}

void MonkeyWalk::started() {
    checker_.afterStart();
}

// No card left to play; replaying an emptied slot may still turn the ground to a card
// that frees another, so a rigged walk tries that a few times before "N".
bool MonkeyWalk::stuck() {
    bool emptyEnabled = false;
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(kHandSize); ++i) {
        if (runtime_.enabled(slot(i))) {
            if (!runtime_.caption(slot(i)).empty()) {
                return false;
            }
            emptyEnabled = true;
        }
    }
    return !emptyEnabled || choice_.chance(300);
}

// Rigged walks mostly play: an enabled slot with a card, now and then an empty one.
bool MonkeyWalk::pickPlay(std::uint32_t& chosen) {
    std::vector<std::uint32_t> filled;
    std::vector<std::uint32_t> empty;
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(kHandSize); ++i) {
        if (runtime_.enabled(slot(i))) {
            (runtime_.caption(slot(i)).empty() ? empty : filled).push_back(i);
        }
    }
    const std::vector<std::uint32_t>& from =
        !filled.empty() && (empty.empty() || choice_.chance(900)) ? filled : empty;
    if (from.empty()) {
        return false;
    }
    chosen = from[choice_.below(static_cast<std::uint32_t>(from.size()))];
    return true;
}

// What pressing the control will do, told to the checker afterwards.
MonkeyWalk::Effect MonkeyWalk::effectOf(ControlId id) {
    target_ = id;
    if (id.name == &ctl::btnCard && runtime_.enabled(id)) {
        if (source_ == Source::Rigged) {  // refills follow the card played
            static_cast<RiggedRandom&>(random_).target(
                static_cast<Int16>(textToInteger(runtime_.tag(id))));
        }
        return Effect::Play;
    }
    return id == kNew ? Effect::Deal : Effect::None;
}

Action MonkeyWalk::click(ControlId id) {
    expected_ = effectOf(id);
    return {Action::Kind::Click, id};
}

Action MonkeyWalk::press(Key key) {
    const std::optional<ControlId> focus = focus_();
    const bool clicks = key == Key::Space || key == Key::Enter;
    if (clicks && focus == kEnd) {
        key = Key::Tab;  // "E" only at the end
    }
    expected_ = clicks && focus && focus != kEnd ? effectOf(*focus) : Effect::None;
    return {.kind = Action::Kind::Press, .key = key};
}

// Every control of the window, the labels and the hidden ones included; "E" only at the end.
ControlId MonkeyWalk::anyControl() {
    const std::vector<ControlId> all = runtime_.controls();
    const ControlId id = all[choice_.below(static_cast<std::uint32_t>(all.size()))];
    return id == kEnd ? kGround : id;
}

Action MonkeyWalk::next() {
    ++stats_.events;
    if (secondClick_) {
        // Both presses of a double click are clicks: each is judged on its own.
        const ControlId id = *secondClick_;
        secondClick_.reset();
        expected_ = effectOf(id);
        return {Action::Kind::SecondClick, id};
    }
    std::uint32_t chosen = 0;
    const bool rigged = source_ == Source::Rigged;
    if (rigged && !stuck() && choice_.chance(950) && pickPlay(chosen)) {
        if (choice_.chance(100)) {
            secondClick_ = slot(chosen);
        }
        return click(slot(chosen));
    }
    // "N" now and then; a rigged walk also deals anew when it can go no further.
    if (rigged ? stuck() || choice_.chance(1) : choice_.chance(16)) {
        return click(kNew);
    }
    const std::uint32_t what = choice_.below(16);
    if (what < 5) {
        return click(slot(what));
    }
    if (what < 7) {
        return click(anyControl());
    }
    if (what == 7) {
        secondClick_ = slot(choice_.below(static_cast<std::uint32_t>(kHandSize)));
        return click(*secondClick_);
    }
    expected_ = Effect::None;
    if (what == 8) {
        return {Action::Kind::DragOff, anyControl()};  // pressed, released elsewhere: no click
    }
    if (what == 9) {
        // Another mouse button, or a click on the window but on none of its controls.
        if (choice_.chance(500)) {
            return {.kind = Action::Kind::ClickWith,
                    .id = anyControl(),
                    .button = choice_.chance(500) ? Button::Right : Button::Middle};
        }
        return {.kind = Action::Kind::ClickOn,
                .spot = choice_.chance(500) ? Spot::Background : Spot::Frame};
    }
    if (what == 10) {
        return burst();
    }
    static constexpr Key kKeys[] = {Key::Tab,   Key::Tab,    Key::ShiftTab, Key::Space,
                                    Key::Enter, Key::Escape, Key::Other};
    const Key key = kKeys[choice_.below(std::size(kKeys))];
    return what == 11 ? hold(key) : press(key);
}

// A key held until it repeats: Tab moves on with every repeat, Space and Enter press the
// focused button once.
Action MonkeyWalk::hold(Key key) {
    Action a = press(key);
    a.kind = Action::Kind::Hold;
    a.repeats = 1 + static_cast<int>(choice_.below(5));
    return a;
}

// Clicks on the hand and "N", and keys, queued before the window has handled the first.
// Only the first key may press a button, the one focused now, and never "E": where the
// queued keys before it would leave the focus is the window's to work out.
Action MonkeyWalk::burst() {
    Action a{.kind = Action::Kind::Burst};
    const std::uint32_t count = 2 + choice_.below(5);
    const bool onEnd = focus_() == kEnd;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t what = choice_.below(9);
        if (what < 5) {
            a.inputs.push_back({false, slot(what), Key::Tab});
        } else if (what == 5) {
            a.inputs.push_back({false, kNew, Key::Tab});
        } else if (what == 6 && i == 0 && !onEnd) {
            a.inputs.push_back({true, {}, choice_.chance(500) ? Key::Space : Key::Enter});
        } else {
            a.inputs.push_back({true, {}, what == 7 ? Key::ShiftTab : Key::Tab});
        }
    }
    expected_ = Effect::Several;
    winsBefore_ = stats_.wins;
    return a;
}

void MonkeyWalk::done() {
    switch (expected_) {
        case Effect::Play:
            ++stats_.plays;
            checker_.afterPlay(target_.index);  // a click on an enabled slot must be a play
            break;
        case Effect::Deal:
            checker_.afterNewGame();
            break;
        case Effect::None:
            checker_.afterIgnored();
            break;
        case Effect::Several:
            checker_.afterSeveral(stats_.wins - winsBefore_);
            break;
    }
    checkFocus();
}

// Once an action is done, the game knows where the focus is, and the ground never keeps it.
void MonkeyWalk::checkFocus() const {
    const std::optional<ControlId> focus = focus_();
    if (focus == kGround) {
        invariantBroken("the ground button kept the focus");
    }
    if (focus && runtime_.focus() != focus) {
        invariantBroken("the focus is on " + controlText(*focus) +
                        " but the game has not been told");
    }
}

void MonkeyWalk::boxOpened(const test::SeenBox& box) {
    if (box.text != "Win" || box.title != "Vop" || box.buttons != 1) {
        invariantBroken("a box \"" + box.title + "\" saying \"" + box.text + "\" opened");
    }
    ++stats_.wins;
    checker_.whileWinShown();
    triesInBox_ = choice_.below(4);
}

// While "Win" is open the window behind takes no click and no key; then the box is
// closed, each way a player closes it.
Action MonkeyWalk::nextInBox() {
    ++stats_.events;
    if (triesInBox_ > 0) {
        --triesInBox_;
        const std::uint32_t what = choice_.below(8);
        if (what < 5) {
            return {Action::Kind::Click, slot(what)};
        }
        if (what < 7) {
            return {Action::Kind::Click, what == 5 ? kNew : kEnd};
        }
        return {.kind = Action::Kind::Press, .key = Key::Tab};
    }
    static constexpr BoxClose kWays[] = {BoxClose::Enter, BoxClose::Space, BoxClose::Escape,
                                         BoxClose::MouseOnOk};
    const BoxClose way = kWays[choice_.below(std::size(kWays))];
    ++(way == BoxClose::MouseOnOk ? stats_.closedByMouse : stats_.closedByKey);
    return {.kind = Action::Kind::CloseBox, .close = way};
}

void MonkeyWalk::doneInBox() {
    checker_.whileWinShown();
    if (ended_()) {
        invariantBroken("a click behind the \"Win\" box ended the program");
    }
}

MonkeyStats MonkeyWalk::finish() {
    if (!ended_()) {
        invariantBroken("\"E\" did not end the program");
    }
    if (checker_.wins() != stats_.wins) {
        invariantBroken("the checker saw " + std::to_string(checker_.wins()) + " wins, but " +
                        std::to_string(stats_.wins) + " boxes opened");
    }
    stats_.games = checker_.deals();
    stats_.exhaustions = checker_.exhaustions();
    return stats_;
}

std::string sourceName(Source source) {
    switch (source) {
        case Source::Uniform:
            return "uniform";
        case Source::Adversarial:
            return "adversarial";
        case Source::Rigged:
            break;
    }
    return "rigged";
}

MonkeyStats& MonkeyStats::operator+=(const MonkeyStats& other) {
    events += other.events;
    plays += other.plays;
    games += other.games;
    exhaustions += other.exhaustions;
    wins += other.wins;
    closedByKey += other.closedByKey;
    closedByMouse += other.closedByMouse;
    return *this;
}

std::string MonkeyStats::summary() const {
    return std::to_string(events) + " events, " + std::to_string(plays) + " plays, " +
           std::to_string(games) + " games, " + std::to_string(exhaustions) +
           " deck exhaustions, " + std::to_string(wins) + " wins, \"Win\" closed " +
           std::to_string(closedByKey) + " times by key and " + std::to_string(closedByMouse) +
           " by mouse";
}

MonkeyStats runMonkey(Source source, std::uint64_t seed, long long events) {
    const std::unique_ptr<RandomSource> random = makeSource(source, seed);
    const std::unique_ptr<test::Driver> driver = test::makeDriver(*random);
    if (driver->game() == nullptr || driver->runtime() == nullptr) {
        invariantBroken("the monkey needs the game behind the window in this process");
    }
    MonkeyWalk walk(
        source, seed, *random, *driver->game(), *driver->runtime(), [&] { return driver->focus(); },
        [&] { return driver->ended(); });
    driver->onBox = [&](const test::SeenBox& box) {
        walk.boxOpened(box);
        for (;;) {
            const Action a = walk.nextInBox();
            if (a.kind == Action::Kind::CloseBox) {
                return a.close;
            }
            perform(*driver, a);
            walk.doneInBox();
        }
    };
    driver->start();
    walk.started();
    while (walk.wantsMore(events)) {
        perform(*driver, walk.next());
        walk.done();
    }
    driver->click(kEnd);
    return walk.finish();
}

}  // namespace vop::reliability
