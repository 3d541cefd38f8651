// The monkey's walk, the same on every backend: it acts through the driver and reads the
// game through the invariant checker.
#include "support/monkey.h"

#include <memory>
#include <vector>

#include "support/driver.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"

namespace vop::reliability {

namespace {

using test::BoxClose;
using test::Driver;
using test::Key;

constexpr ControlId kNew{ctl::cmdPlay, 0};
constexpr ControlId kEnd{ctl::cmdPlay, 1};
constexpr ControlId kGround{ctl::btnGround};

ControlId slot(std::uint32_t i) {
    return {ctl::btnCard, static_cast<Int16>(i)};
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

class Walk {
  public:
    Walk(Source source, std::uint64_t seed)
        : source_(source),
          random_(makeSource(source, seed)),
          choice_(~seed),
          driver_(test::makeDriver(*random_)),
          checker_(driver_->game(), driver_->runtime()) {
        if (source == Source::Rigged) {
            static_cast<RiggedRandom&>(*random_).watch(driver_->game());
        }
        driver_->onBox = [this](const test::SeenBox& box) { return whileBoxOpen(box); };
    }

    MonkeyStats run(long long events) {
        driver_->start();
        checker_.afterStart();
        while (stats_.events < events) {
            step();
            checkFocus();
        }
        driver_->click(kEnd);
        if (!driver_->ended()) {
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

  private:
    const FormRuntime& runtime() const { return driver_->runtime(); }

    Int16 cardIn(ControlId id) const {
        return static_cast<Int16>(textToInteger(runtime().tag(id)));
    }

    // No card left to play; replaying an emptied slot may still turn the ground to a
    // card that frees another, so a rigged walk tries that a few times before "N".
    bool stuck() {
        bool emptyEnabled = false;
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(kHandSize); ++i) {
            if (runtime().enabled(slot(i))) {
                if (!runtime().caption(slot(i)).empty()) {
                    return false;
                }
                emptyEnabled = true;
            }
        }
        return !emptyEnabled || choice_.chance(300);
    }

    // Rigged walks mostly play: an enabled slot with a card, now and then an empty one.
    bool pickPlay(std::uint32_t& chosen) {
        std::vector<std::uint32_t> filled;
        std::vector<std::uint32_t> empty;
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(kHandSize); ++i) {
            if (runtime().enabled(slot(i))) {
                (runtime().caption(slot(i)).empty() ? empty : filled).push_back(i);
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

    // What the control the player is about to press will do, told to the checker after.
    enum class Effect : std::uint8_t { None, Play, Deal };
    Effect effectOf(ControlId id) {
        if (id.name == &ctl::btnCard && runtime().enabled(id)) {
            if (source_ == Source::Rigged) {
                static_cast<RiggedRandom&>(*random_).target(cardIn(id));  // refills follow it
            }
            return Effect::Play;
        }
        return id == kNew ? Effect::Deal : Effect::None;
    }
    void judge(Effect effect, ControlId id) {
        switch (effect) {
            case Effect::Play:
                ++stats_.plays;
                checker_.afterPlay(id.index);  // a click on an enabled slot must be a play
                break;
            case Effect::Deal:
                checker_.afterNewGame();
                break;
            case Effect::None:
                checker_.afterIgnored();
                break;
        }
    }

    void click(ControlId id) {
        const Effect effect = effectOf(id);
        driver_->click(id);
        judge(effect, id);
    }

    // Every control of the window, the labels and the hidden ones included.
    ControlId anyControl() {
        const std::vector<ControlId> all = runtime().controls();
        const ControlId id = all[choice_.below(static_cast<std::uint32_t>(all.size()))];
        return id == kEnd ? kGround : id;  // "E" only at the end
    }

    void step() {
        ++stats_.events;
        std::uint32_t chosen = 0;
        const bool rigged = source_ == Source::Rigged;
        if (rigged && !stuck() && choice_.chance(950) && pickPlay(chosen)) {
            if (choice_.chance(100)) {
                doubleClick(slot(chosen));
            } else {
                click(slot(chosen));
            }
            return;
        }
        // "N" now and then; a rigged walk also deals anew when it can go no further.
        if (rigged ? stuck() || choice_.chance(1) : choice_.chance(16)) {
            click(kNew);
            return;
        }
        const std::uint32_t what = choice_.below(12);
        if (what < 5) {
            click(slot(what));
        } else if (what < 7) {
            click(anyControl());
        } else if (what == 7) {
            doubleClick(slot(choice_.below(static_cast<std::uint32_t>(kHandSize))));
        } else if (what == 8) {
            driver_->dragOff(anyControl());  // pressed, released elsewhere: no click
            checker_.afterIgnored();
        } else {
            pressKey();
        }
    }

    // Both presses of a double click are clicks: each is judged on its own.
    void doubleClick(ControlId id) {
        const Effect first = effectOf(id);
        driver_->click(id);
        judge(first, id);
        const Effect second = effectOf(id);
        driver_->secondClick(id);
        judge(second, id);
    }

    void pressKey() {
        static constexpr Key kKeys[] = {Key::Tab,   Key::Tab,    Key::ShiftTab, Key::Space,
                                        Key::Enter, Key::Escape, Key::Other};
        Key key = kKeys[choice_.below(std::size(kKeys))];
        const std::optional<ControlId> focus = driver_->focus();
        const bool clicks = key == Key::Space || key == Key::Enter;
        if (clicks && focus == kEnd) {
            key = Key::Tab;  // "E" only at the end
        }
        const Effect effect = clicks && focus ? effectOf(*focus) : Effect::None;
        driver_->press(key);
        judge(effect, clicks && focus ? *focus : kGround);
    }

    // Once every action is done, the game knows where the focus is, and the ground never
    // keeps it.
    void checkFocus() const {
        const std::optional<ControlId> focus = driver_->focus();
        if (focus == kGround) {
            invariantBroken("the ground button kept the focus");
        }
        if (focus && runtime().focus() != focus) {
            invariantBroken("the focus is on " + controlText(*focus) +
                            " but the game has not been told");
        }
    }

    // While "Win" is open the window behind takes no click and no key; then the box is
    // closed, each way a player closes it.
    BoxClose whileBoxOpen(const test::SeenBox& box) {
        if (box.text != "Win" || box.title != "Vop" || box.buttons != 1) {
            invariantBroken("a box \"" + box.title + "\" saying \"" + box.text + "\" opened");
        }
        ++stats_.wins;
        checker_.whileWinShown();
        for (std::uint32_t tries = choice_.below(4); tries > 0; --tries) {
            ++stats_.events;
            const std::uint32_t what = choice_.below(8);
            if (what < 5) {
                driver_->click(slot(what));
            } else if (what == 5) {
                driver_->click(kNew);
            } else if (what == 6) {
                driver_->click(kEnd);
            } else {
                driver_->press(Key::Tab);
            }
            checker_.whileWinShown();
            if (driver_->ended()) {
                invariantBroken("a click behind the \"Win\" box ended the program");
            }
        }
        ++stats_.events;
        static constexpr BoxClose kWays[] = {BoxClose::Enter, BoxClose::Space, BoxClose::Escape,
                                             BoxClose::MouseOnOk};
        const BoxClose way = kWays[choice_.below(std::size(kWays))];
        ++(way == BoxClose::MouseOnOk ? stats_.closedByMouse : stats_.closedByKey);
        return way;
    }

    Source source_;
    std::unique_ptr<RandomSource> random_;
    SplitMix choice_;
    std::unique_ptr<Driver> driver_;
    InvariantChecker checker_;
    MonkeyStats stats_;
};

}  // namespace

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
    Walk walk(source, seed);
    return walk.run(events);
}

}  // namespace vop::reliability
