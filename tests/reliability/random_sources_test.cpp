// The monkey's random sources are valid generators and really produce the values they promise.
#include <gtest/gtest.h>

#include <bitset>

#include "core/game_fixture.h"
#include "support/invariant_checker.h"
#include "support/random_sources.h"

namespace vop::reliability {
namespace {

using Pattern = AdversarialRandom::Pattern;

// The game's own draw rule, fed by a source.
struct Drawer {
    explicit Drawer(RandomSource& source) : runtime(vopWindow(), source) {}
    Int16 draw() { return game.drawCard(); }
    MemoryRuntime runtime;
    frmVop game{runtime};
};

// After every re-seed each pattern still reaches all 52 cards: rejection sampling ends.
TEST(AdversarialRandom, EverySequenceReachesEveryCard) {
    for (int p = 0; p < AdversarialRandom::kPatterns; ++p) {
        AdversarialRandom source(static_cast<std::uint64_t>(p) + 11);
        source.pin(static_cast<Pattern>(p));
        Drawer drawer(source);
        for (int reseed = 0; reseed < 20; ++reseed) {
            source.randomize();
            std::bitset<53> seen;
            int draws = 0;
            while (seen.count() < 52 && draws < 200000) {
                seen[drawer.draw()] = true;
                ++draws;
            }
            EXPECT_EQ(seen.count(), 52U) << "pattern " << p << ", re-seed " << reseed;
        }
    }
}

TEST(AdversarialRandom, ProducesTheValuesThatBreakCarelessCode) {
    AdversarialRandom source(5);
    int nearOne = 0;
    int ties = 0;
    int longestRun = 0;
    int run = 0;
    float last = -1;
    int sameRestarts = 0;
    float firstAfterReseed = -1;
    for (int p = 0; p < AdversarialRandom::kPatterns; ++p) {
        source.pin(static_cast<Pattern>(p));
        for (int reseed = 0; reseed < 200; ++reseed) {
            source.randomize();
            for (int i = 0; i < 300; ++i) {
                const float r = source.rnd();
                ASSERT_GE(r, 0.0F);
                ASSERT_LT(r, 1.0F);
                if (i == 0) {
                    sameRestarts += r == firstAfterReseed ? 1 : 0;
                    firstAfterReseed = r;
                }
                nearOne += r == 1.0F - 1.0F / 16777216.0F ? 1 : 0;
                const double scaled = static_cast<double>(r) * 52000.0;
                ties += scaled - static_cast<double>(static_cast<long long>(scaled)) == 0.5;
                run = r == last ? run + 1 : 1;
                longestRun = std::max(longestRun, run);
                last = r;
            }
        }
    }
    EXPECT_GT(nearOne, 100);
    EXPECT_GT(ties, 1000);
    EXPECT_GE(longestRun, 100);
    EXPECT_GT(sameRestarts, 300);  // the coarse clock often has not ticked
}

TEST(AdversarialRandom, NearOneAndTiesLandWhereTheDrawRuleSays) {
    ScriptedRandom scripted{1.0F - 1.0F / 16777216.0F, 1.0F / 64, 3.0F / 64};
    Drawer drawer(scripted);
    EXPECT_EQ(drawer.draw(), 1);   // 51999.997 rounds to 52000, which is card 1
    EXPECT_EQ(drawer.draw(), 33);  // 812.5 goes to 812: 812 mod 52 = 32
    EXPECT_EQ(drawer.draw(), 47);  // 2437.5 goes to 2438: 2438 mod 52 = 46
}

TEST(UniformRandom, ValuesAreInRangeAndReseedingMovesOn) {
    UniformRandom source(3);
    std::bitset<53> seen;
    Drawer drawer(source);
    float previous = -1;
    for (int i = 0; i < 2000; ++i) {
        source.randomize();
        const float r = source.rnd();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        EXPECT_NE(r, previous);
        previous = r;
        seen[drawer.draw()] = true;
    }
    EXPECT_EQ(seen.count(), 52U);
}

// The rigged source deals only cards from the deck, each following the card before it.
TEST(RiggedRandom, RefillsFollowThePlayedCard) {
    RiggedRandom source(9);
    MemoryRuntime runtime(vopWindow(), source);
    frmVop game(runtime);
    source.watch(game);
    runtime.start(game);
    for (int play = 0; play < 40; ++play) {
        const ControlId first{ctl::btnCard, 0};
        const Int16 played = static_cast<Int16>(std::stoi(toUtf8(runtime.tag(first))));
        source.target(played);
        game.btnCard_Click(0);  // straight to the handler: slot 0 may be disabled
        const Int16 drawn = static_cast<Int16>(std::stoi(toUtf8(runtime.tag(first))));
        EXPECT_TRUE(follows(static_cast<Int16>(drawn), static_cast<Int16>(played)))
            << played << " then " << drawn;
    }
    EXPECT_EQ(game.remainCount(), 7);
}

}  // namespace
}  // namespace vop::reliability
