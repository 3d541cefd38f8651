// The monkey on this test program's backend: seeded walks from three kinds of random
// source, every action checked. The build gives the walks' length (VOP_MONKEY_RUNS runs of
// VOP_MONKEY_EVENTS actions per source); the environment's VOP_MONKEY_EVENTS lengthens them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "support/monkey.h"

namespace vop::reliability {
namespace {

long long eventsPerRun() {
    const char* asked = std::getenv("VOP_MONKEY_EVENTS");
    return std::max<long long>(VOP_MONKEY_EVENTS, asked != nullptr ? std::atoll(asked) : 0);
}

// Several program runs per source, each from its own seed, so that start-up and "E" are
// exercised too.
MonkeyStats walk(Source source, std::uint64_t firstSeed) {
    MonkeyStats total;
    for (int r = 0; r < VOP_MONKEY_RUNS; ++r) {
        total += runMonkey(source, firstSeed + static_cast<std::uint64_t>(r), eventsPerRun());
    }
    std::printf("monkey (%s): %s\n", sourceName(source).c_str(), total.summary().c_str());
    std::fflush(stdout);
    EXPECT_GE(total.events, VOP_MONKEY_RUNS * eventsPerRun());
    return total;
}

const long long kEvents = static_cast<long long>(VOP_MONKEY_RUNS) * VOP_MONKEY_EVENTS;

TEST(Monkey, SameSeedSameWalk) {
    for (Source source : {Source::Uniform, Source::Rigged}) {
        const MonkeyStats a = runMonkey(source, 7, 150);
        const MonkeyStats b = runMonkey(source, 7, 150);
        const MonkeyStats c = runMonkey(source, 8, 150);
        EXPECT_EQ(a.summary(), b.summary()) << sourceName(source);
        EXPECT_NE(a.summary(), c.summary()) << sourceName(source);
    }
}

TEST(Monkey, UniformWalk) {
    const MonkeyStats s = walk(Source::Uniform, 1000);
    EXPECT_GE(s.games, kEvents / 100);
    EXPECT_GE(s.plays, kEvents / 40);
}

TEST(Monkey, AdversarialWalk) {
    const MonkeyStats s = walk(Source::Adversarial, 2000);
    EXPECT_GE(s.games, kEvents / 100);
    EXPECT_GE(s.plays, kEvents / 40);
}

// Refills follow the card played, so games run to an empty deck and are won, and the
// "Win" box is closed both by key and by mouse.
TEST(Monkey, RiggedWalk) {
    const MonkeyStats s = walk(Source::Rigged, 3000);
    EXPECT_GE(s.exhaustions, kEvents / 400);
    EXPECT_GE(s.wins, kEvents / 4000);
    EXPECT_GT(s.closedByKey, 0);
    EXPECT_GT(s.closedByMouse, 0);
}

}  // namespace
}  // namespace vop::reliability
