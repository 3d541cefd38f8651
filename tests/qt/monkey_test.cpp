// The monkey on the real Qt window: seeded random walks of mouse and keys, each event
// checked, run through to empty decks and won games.
//
// Each walk runs 12,000 events by default. For a longer run on demand, set
// VOP_MONKEY_EVENTS to a larger number of events per walk (scripts/soak.sh does), and
// VOP_MONKEY_SEED to move every walk to other seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "qt/qt_monkey.h"

namespace vop::monkey {
namespace {

long long fromEnvironment(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::stoll(value) : fallback;
}

constexpr long long kEventsPerWalk = 12000;

QtMonkeyStats walk(std::uint64_t seed) {
    const long long events =
        std::max(kEventsPerWalk, fromEnvironment("VOP_MONKEY_EVENTS", kEventsPerWalk));
    seed += static_cast<std::uint64_t>(fromEnvironment("VOP_MONKEY_SEED", 0));
    const QtMonkeyStats s = runQtMonkey(seed, events);
    std::printf("Qt monkey (seed %llu): %s\n", static_cast<unsigned long long>(seed),
                s.summary().c_str());
    std::fflush(stdout);
    return s;
}

TEST(QtMonkey, SameSeedSameWalk) {
    const QtMonkeyStats a = runQtMonkey(7, 1500);
    const QtMonkeyStats b = runQtMonkey(7, 1500);
    const QtMonkeyStats c = runQtMonkey(8, 1500);
    EXPECT_EQ(a.summary(), b.summary());
    EXPECT_NE(a.summary(), c.summary());
}

// Four walks of at least 12,000 events each, so the test command runs 48,000 at least;
// each reaches 25 empty decks and 6 wins (24 wins in all), and closes "Win" both ways.
class Walks : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(Walks, KeepTheGameWhole) {
    const QtMonkeyStats s = walk(GetParam());
    EXPECT_GE(s.events, kEventsPerWalk);
    EXPECT_GE(s.checks, 2 * s.events);
    EXPECT_GE(s.exhaustions, 25);
    EXPECT_GE(s.wins, 6);
    EXPECT_GE(s.boxesByKey, 1);
    EXPECT_GE(s.boxesByMouse, 1);
    EXPECT_EQ(s.boxesByKey + s.boxesByMouse, s.wins);
    EXPECT_GE(s.ends, 1);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Walks, ::testing::Values(101, 202, 303, 404));

}  // namespace
}  // namespace vop::monkey
