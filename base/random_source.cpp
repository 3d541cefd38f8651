// The clock-seeded generator and the scripted one.
#include "base/random_source.h"

#include <chrono>

namespace vop {

namespace {
constexpr std::uint32_t kMask = 0xFFFFFF;  // 24 bits: values are k / 2^24
constexpr float kScale = 1.0F / 16777216.0F;
}  // namespace

ClockRandom::ClockRandom() {
    randomize();
}

void ClockRandom::randomize() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    seedFrom(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void ClockRandom::seedFrom(std::uint64_t clockTicks) {
    // splitmix64 spreads neighbouring clock readings over the whole state.
    std::uint64_t z = clockTicks + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    state_ = static_cast<std::uint32_t>(z) & kMask;
}

float ClockRandom::rnd() {
    state_ = nextState24(state_);
    return static_cast<float>(state_) * kScale;
}

}  // namespace vop
