// The form runtime's pseudo-random sequence: re-seeded from the clock, read one value at a time.
#pragma once

#include <cstdint>

namespace vop {

// One step of the platform's 24-bit linear congruential sequence. Its period is the full
// 2^24 (odd increment, multiplier 1 mod 4): every value comes up once before any repeats.
constexpr std::uint32_t nextState24(std::uint32_t state) {
    return (state * 0x43FD43FDU + 0xC39EC3U) & 0xFFFFFFU;
}

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

}  // namespace vop
