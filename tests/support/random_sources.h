// Random sequences for tests: values a test chooses, and those that drive the monkeys:
// uniform, adversarial, and one rigged to let games be won.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

#include "base/random_source.h"
#include "game/frm_vop.h"

namespace vop {

// Values chosen by a test, handed out in order. Running out is a fault of the
// test and ends the program with a clear message.
class ScriptedRandom final : public RandomSource {
  public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}

    void push(float value) { values_.push_back(value); }
    void push(std::initializer_list<float> values) { values_.insert(values_.end(), values); }
    std::size_t left() const { return values_.size(); }
    int reseeds() const { return reseeds_; }
    int draws() const { return draws_; }

    void randomize() override { ++reseeds_; }
    float rnd() override;

  private:
    std::deque<float> values_;
    int reseeds_ = 0;
    int draws_ = 0;
};

}  // namespace vop

namespace vop::reliability {

// splitmix64: the monkey's own choices and the seeds of the sequences below.
class SplitMix {
  public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // A whole number in 0..bound-1 (bound > 0).
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }
    bool chance(std::uint32_t inThousand) { return below(1000) < inThousand; }

  private:
    std::uint64_t state_;
};

// Every value is k / 2^24, as from the platform's 24-bit generator.
float fromUnits(std::uint32_t units24);

// Uniform values; every re-seed reads a clock that has always moved on.
class UniformRandom final : public RandomSource {
  public:
    explicit UniformRandom(std::uint64_t seed) : clock_(seed), sequence_(seed) {}
    void randomize() override { sequence_ = SplitMix(clock_.next()); }
    float rnd() override { return fromUnits(static_cast<std::uint32_t>(sequence_.next() >> 40)); }

  private:
    SplitMix clock_;
    SplitMix sequence_;
};

// The values that break careless code: long runs of one value, values just below 1,
// exact rounding ties, and a coarse clock that restarts the same sequence after several
// re-seeds in a row. Underneath runs a full-period 24-bit sequence that every pattern
// keeps consuming, so each re-seeded sequence still reaches every card: rejection
// sampling always ends.
class AdversarialRandom final : public RandomSource {
  public:
    enum class Pattern : std::uint8_t { Plain, Runs, NearOne, Ties, Mixed };
    static constexpr int kPatterns = 5;

    explicit AdversarialRandom(std::uint64_t seed);
    void randomize() override;
    float rnd() override;

    Pattern pattern() const { return pattern_; }
    // Pins one pattern (tests of the source); otherwise each clock tick picks one.
    void pin(Pattern pattern) {
        pinned_ = true;
        pattern_ = pattern;
    }

  private:
    std::uint32_t nextBase();
    float special(Pattern pattern, std::uint32_t base);

    SplitMix master_;
    std::uint32_t tickSeed_ = 0;
    int reseedsLeftInTick_ = 0;
    Pattern pattern_ = Pattern::Plain;
    bool pinned_ = false;
    std::uint32_t base_ = 0;  // the 24-bit sequence
    std::uint32_t runValue_ = 0;
    int runLeft_ = 0;
    std::uint32_t position_ = 0;
};

// Hands out only cards still in the deck, preferring one that follows a target card:
// the card being played (set by the monkey before the click), and during a deal the
// card dealt before. Refills then keep the hand playable, so games run to an empty deck.
class RiggedRandom final : public RandomSource {
  public:
    explicit RiggedRandom(std::uint64_t seed) : choice_(seed) {}
    void watch(const frmVop& game) { game_ = &game; }
    void target(Int16 card) { target_ = card; }
    void randomize() override {}
    float rnd() override;

  private:
    const frmVop* game_ = nullptr;
    SplitMix choice_;
    Int16 target_ = 0;
};

}  // namespace vop::reliability
