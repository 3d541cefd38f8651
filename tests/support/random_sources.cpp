// Random sequences for tests: scripted ones, and the monkeys'.
#include "support/random_sources.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/text.h"

namespace vop {

float ScriptedRandom::rnd() {
    if (values_.empty()) {
        const std::string line =
            "ScriptedRandom: the script ran out after " + digits(draws_) + " draws\n";
        std::fputs(line.c_str(), stderr);
        std::abort();
    }
    const float value = values_.front();
    values_.pop_front();
    ++draws_;
    return value;
}

}  // namespace vop

namespace vop::reliability {

namespace {
constexpr std::uint32_t kMask24 = 0xFFFFFF;
constexpr int kLongestRun = 200;
}  // namespace

std::uint64_t SplitMix::next() {
    std::uint64_t z = state_ += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

float fromUnits(std::uint32_t units24) {
    return static_cast<float>(units24 & kMask24) / 16777216.0F;
}

AdversarialRandom::AdversarialRandom(std::uint64_t seed) : master_(seed) {
    randomize();
}

void AdversarialRandom::randomize() {
    // The clock is coarse: it ticks only after a few re-seeds, and until then every
    // re-seed restarts the very same sequence.
    if (reseedsLeftInTick_ <= 0) {
        tickSeed_ = static_cast<std::uint32_t>(master_.next()) & kMask24;
        reseedsLeftInTick_ = 1 + static_cast<int>(master_.below(16));
        if (!pinned_) {
            pattern_ = static_cast<Pattern>(master_.below(kPatterns));
        }
    }
    --reseedsLeftInTick_;
    base_ = tickSeed_;
    runLeft_ = 0;
    position_ = 0;
}

std::uint32_t AdversarialRandom::nextBase() {
    base_ = nextState24(base_);
    return base_;
}

float AdversarialRandom::special(Pattern pattern, std::uint32_t base) {
    switch (pattern) {
        case Pattern::NearOne:
            // 1 - 2^-24 and its neighbours: R x 52000 rounds up to 52000, card 1.
            return fromUnits(kMask24 - (base & 3));
        case Pattern::Ties:
            // Odd multiples of 1/64 put R x 52000 exactly half-way between two integers.
            return static_cast<float>(2 * (base & 31) + 1) / 64.0F;
        default:
            return fromUnits(base);
    }
}

float AdversarialRandom::rnd() {
    Pattern pattern = pattern_;
    if (pattern == Pattern::Mixed) {
        pattern = static_cast<Pattern>(nextBase() % 4);
    }
    ++position_;
    switch (pattern) {
        case Pattern::Runs:
            if (runLeft_ <= 0) {
                runValue_ = nextBase();
                runLeft_ = 1 + static_cast<int>(runValue_ % kLongestRun);
            }
            --runLeft_;
            return fromUnits(runValue_);
        case Pattern::NearOne:
        case Pattern::Ties:
            // Every other value is special; the ones between come from the full sequence.
            return position_ % 2 == 1 ? special(pattern, nextBase()) : fromUnits(nextBase());
        default:
            return fromUnits(nextBase());
    }
}

float RiggedRandom::rnd() {
    std::array<Int16, kDeckSize> sameSuit{};
    std::array<Int16, kDeckSize> sameRank{};
    std::array<Int16, kDeckSize> any{};
    int suits = 0;
    int ranks = 0;
    int anyCount = 0;
    for (Int16 n = 1; game_ != nullptr && n <= kDeckSize; ++n) {
        if (game_->cards()(n).Status != 0) {
            continue;
        }
        any[anyCount++] = n;
        if (target_ != 0 && suitOf(n) == suitOf(target_)) {
            sameSuit[suits++] = n;
        } else if (target_ != 0 && rankOf(n) == rankOf(target_)) {
            sameRank[ranks++] = n;
        }
    }
    Int16 n = 1;
    if (suits > 0) {
        n = sameSuit[choice_.below(static_cast<std::uint32_t>(suits))];
    } else if (ranks > 0) {
        n = sameRank[choice_.below(static_cast<std::uint32_t>(ranks))];
    } else if (anyCount > 0) {
        n = any[choice_.below(static_cast<std::uint32_t>(anyCount))];
    }
    target_ = n;  // the next card of a deal follows this one
    // Any of the 1000 values that land on card n: k = n - 1 + 52 j.
    const double k = (n - 1) + 52.0 * choice_.below(1000);
    return static_cast<float>(k / 52000.0);
}

}  // namespace vop::reliability
