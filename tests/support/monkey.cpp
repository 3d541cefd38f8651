// The monkey: random events on the in-memory window, the invariant checker watching each.
#include "support/monkey.h"

#include <memory>
#include <vector>

#include "support/invariant_checker.h"
#include "support/random_sources.h"
#include "window/memory_runtime.h"

namespace vop::reliability {

namespace {

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
        : source_(source), random_(makeSource(source, seed)), choice_(~seed) {
        if (source == Source::Rigged) {
            static_cast<RiggedRandom&>(*random_).watch(game_);
        }
        runtime_.onMessageBox = [this](const Text& prompt) { whileBoxOpen(prompt); };
    }

    MonkeyStats run(long long events) {
        runtime_.start(game_);
        checker_.afterStart();
        while (stats_.events < events) {
            step();
        }
        runtime_.click(kEnd);
        if (!runtime_.ended() || !runtime_.quitCalled()) {
            invariantBroken("\"E\" did not end the program");
        }
        if (checker_.wins() != stats_.wins) {
            invariantBroken("the checker saw " + std::to_string(checker_.wins()) +
                            " wins, the message box " + std::to_string(stats_.wins));
        }
        stats_.games = checker_.deals();
        stats_.exhaustions = checker_.exhaustions();
        return stats_;
    }

  private:
    // No card left to play; replaying an emptied slot may still turn the ground to a
    // card that frees another, so a rigged walk tries that a few times before "N".
    bool stuck() {
        bool emptyEnabled = false;
        for (Int16 i = 0; i < kHandSize; ++i) {
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
    bool pickPlay(std::uint32_t& chosen) {
        std::vector<std::uint32_t> filled;
        std::vector<std::uint32_t> empty;
        for (Int16 i = 0; i < kHandSize; ++i) {
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

    void clickSlot(std::uint32_t i) {
        const bool enabled = runtime_.enabled(slot(i));
        if (source_ == Source::Rigged) {
            static_cast<RiggedRandom&>(*random_).target(
                static_cast<Int16>(std::stoi(toUtf8(runtime_.tag(slot(i))))));
        }
        runtime_.click(slot(i));
        if (enabled) {
            ++stats_.plays;
            checker_.afterPlay(static_cast<Int16>(i));
        } else {
            checker_.afterIgnored();  // a disabled slot receives nothing
        }
    }

    void step() {
        ++stats_.events;
        std::uint32_t chosen = 0;
        const bool rigged = source_ == Source::Rigged;
        if (rigged && !stuck() && choice_.chance(970) && pickPlay(chosen)) {
            clickSlot(chosen);
            return;
        }
        // "N" now and then; a rigged walk also deals anew when it can go no further.
        const bool dealAnew = rigged ? stuck() || choice_.chance(1) : choice_.chance(16);
        if (dealAnew) {
            runtime_.click(kNew);
            checker_.afterNewGame();
            return;
        }
        const std::uint32_t what = choice_.below(9);
        if (what < 5) {
            clickSlot(what);
        } else if (what == 5) {
            runtime_.click(kGround);  // the ground takes the focus and hands it on
            checker_.afterIgnored();
        } else {
            runtime_.pressTab(what == 6);
            checker_.afterIgnored();
        }
    }

    // While "Win" is open the window takes no click and no key; then the box is closed.
    void whileBoxOpen(const Text& prompt) {
        if (prompt != u"Win") {
            invariantBroken("the message box says " + toUtf8(prompt));
        }
        ++stats_.wins;
        checker_.whileWinShown();
        const std::uint32_t tries = choice_.below(4);
        for (std::uint32_t t = 0; t < tries; ++t) {
            ++stats_.events;
            const std::uint32_t what = choice_.below(8);
            if (what < 5) {
                runtime_.click(slot(what));
            } else if (what == 5) {
                runtime_.click(kNew);
            } else if (what == 6) {
                runtime_.click(kEnd);
            } else {
                runtime_.pressTab();
            }
            checker_.whileWinShown();
            if (runtime_.ended()) {
                invariantBroken("a click ended the program behind the \"Win\" box");
            }
        }
        ++stats_.events;  // closing the box
    }

    Source source_;
    std::unique_ptr<RandomSource> random_;
    SplitMix choice_;
    MemoryRuntime runtime_{vopWindow(), *random_};
    frmVop game_{runtime_};
    InvariantChecker checker_{game_, runtime_};
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
    return *this;
}

std::string MonkeyStats::summary() const {
    return std::to_string(events) + " events, " + std::to_string(plays) + " plays, " +
           std::to_string(games) + " games, " + std::to_string(exhaustions) +
           " deck exhaustions, " + std::to_string(wins) + " wins";
}

MonkeyStats runMonkey(Source source, std::uint64_t seed, long long events) {
    Walk walk(source, seed);
    return walk.run(events);
}

}  // namespace vop::reliability
