// The bounded monkey: over a million events, every one checked, from three kinds of random source.
#include <gtest/gtest.h>

#include <cstdio>

#include "support/monkey.h"

namespace vop::reliability {
namespace {

// Several program runs per source, each from its own seed, so that start-up and "E"
// are exercised too. The figures below are what the three walks add up to at least:
// 1,000,000 events, 10,000 games, 1,000 empty decks and 100 wins.
MonkeyStats walk(Source source, std::uint64_t firstSeed, int runs, long long eventsPerRun) {
    MonkeyStats total;
    for (int r = 0; r < runs; ++r) {
        total += runMonkey(source, firstSeed + static_cast<std::uint64_t>(r), eventsPerRun);
    }
    std::printf("monkey (%s): %s\n", sourceName(source).c_str(), total.summary().c_str());
    std::fflush(stdout);
    return total;
}

TEST(Monkey, SameSeedSameWalk) {
    for (Source source : {Source::Uniform, Source::Adversarial, Source::Rigged}) {
        const MonkeyStats a = runMonkey(source, 7, 5000);
        const MonkeyStats b = runMonkey(source, 7, 5000);
        const MonkeyStats c = runMonkey(source, 8, 5000);
        EXPECT_EQ(a.summary(), b.summary()) << sourceName(source);
        EXPECT_NE(a.summary(), c.summary()) << sourceName(source);
    }
}

TEST(Monkey, UniformWalk) {
    const MonkeyStats s = walk(Source::Uniform, 1000, 8, 50000);
    EXPECT_GE(s.events, 400000);
    EXPECT_GE(s.games, 5000);
    EXPECT_GE(s.plays, 15000);
}

TEST(Monkey, AdversarialWalk) {
    const MonkeyStats s = walk(Source::Adversarial, 2000, 8, 50000);
    EXPECT_GE(s.events, 400000);
    EXPECT_GE(s.games, 5000);
    EXPECT_GE(s.plays, 15000);
}

// Refills follow the card played, so games run to an empty deck and are won.
TEST(Monkey, RiggedWalk) {
    const MonkeyStats s = walk(Source::Rigged, 3000, 6, 50000);
    EXPECT_GE(s.events, 300000);
    EXPECT_GE(s.exhaustions, 1000);
    EXPECT_GE(s.wins, 100);
}

}  // namespace
}  // namespace vop::reliability
