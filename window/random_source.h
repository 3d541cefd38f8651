// The form runtime's pseudo-random sequence: re-seeded from the clock, read one value at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

namespace vop {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // Starts a new sequence from the clock.
    virtual void randomize() = 0;
    // The next value of the sequence, in [0, 1).
    virtual float rnd() = 0;
};

// The platform generator: a 24-bit linear congruential sequence, so every value
// is a multiple of 2^-24 below 1, seeded from a high-resolution clock so that two
// plays in the same millisecond still start different sequences.
class ClockRandom final : public RandomSource {
  public:
    ClockRandom();
    void randomize() override;
    float rnd() override;

    // Seeds as randomize() does, from a given clock reading; for tests.
    void seedFrom(std::uint64_t clockTicks);
    std::uint32_t state() const { return state_; }

  private:
    std::uint32_t state_ = 0x50000;
};

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
