// The draw rule: a card from each random value, drawn cards rejected, and the clock
// read once per deal and once per play.
#include <set>

#include "core/game_fixture.h"

namespace vop {
namespace {

using test::card;
using test::slot;
using test::valueFor;
using Deal = test::GameTest;

TEST_F(Deal, DrawRuleVectors) {
    startWith({1, 2, 3, 4, 5});
    const std::pair<float, int> vectors[] = {
        {0.0F, 1},
        {1.0F / 64, 33},       // k = 812.5 rounds to 812
        {3.0F / 64, 47},       // k = 2437.5 rounds to 2438
        {1.0F - 0x1p-24F, 1},  // k = 52000
        {5.0F / 64, 7},        // k = 4062.5 rounds to 4062
        {0.5F, 1},             // k = 26000
        {valueFor(52), 52},
    };
    for (auto [r, n] : vectors) {
        random.push(r);
        EXPECT_EQ(game.drawCard(), n) << "R = " << r;
    }
}

TEST_F(Deal, DrawnCardsAreRejectedWithoutReseeding) {
    // The second and third values name the first card again, the fifth the second.
    startWith({10, 10, 10, 11, 11, 12, 13, 14});
    EXPECT_EQ(slotTag(0), 10);
    EXPECT_EQ(slotTag(1), 11);
    EXPECT_EQ(slotTag(2), 12);
    EXPECT_EQ(slotTag(3), 13);
    EXPECT_EQ(slotTag(4), 14);
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(random.draws(), 8);
    EXPECT_EQ(random.left(), 0U);
}

TEST_F(Deal, ARefillRejectsDrawnAndPlayedCardsToo) {
    startWith({1, 2, 3, 4, 5});
    willDraw({1, 2, 6});  // SA was just played, S 2 is in the hand
    runtime.click(slot(0));
    EXPECT_EQ(slotTag(0), 6);
    EXPECT_EQ(random.reseeds(), 2);
    EXPECT_EQ(random.left(), 0U);
}

// The clock is read once per deal and once per play, never between the draws of one:
// a whole won game and the deal after it take 1 + 52 + 1.
TEST_F(Deal, EachDealAndEachPlayReseedsOnce) {
    willDraw(test::winnableDraws());
    runtime.start(game);
    willDraw({card('H', 1), card('S', 2), card('C', 9), card('D', 3), card('H', 5)});
    for (int j = 0; j < 48; ++j) {
        runtime.click(slot(0));
    }
    for (int i = 1; i < 5; ++i) {
        runtime.click(slot(i));
    }
    EXPECT_EQ(runtime.messages().size(), 1U);
    EXPECT_EQ(random.reseeds(), 1 + 52 + 1);
    EXPECT_EQ(random.left(), 0U);
}

// The game has two commands; an index the window never raises does nothing but park.
TEST_F(Deal, AnUnknownCommandIndexOnlyParksTheFocus) {
    startWith({1, 2, 3, 4, 5});
    game.cmdPlay_Click(2);
    EXPECT_FALSE(runtime.ended());
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
}

// A script that runs out is the test's own fault: it ends at once and says where.
TEST(ScriptedRandomDeathTest, RunningOutEndsTheProgramSayingWhen) {
    ScriptedRandom random{0.25F};
    random.randomize();
    EXPECT_EQ(random.rnd(), 0.25F);
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_DEATH(random.rnd(), "ScriptedRandom: the script ran out after 1 draws");
}

// The production generator: values are multiples of 2^-24 in [0, 1), and two
// close clock readings start different sequences.
TEST(ClockRandomTest, ValuesAreTwentyFourBitFractionsBelowOne) {
    ClockRandom random;
    random.seedFrom(12345);
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.rnd();
        ASSERT_GE(r, 0.0F);
        ASSERT_LT(r, 1.0F);
        const double scaled = static_cast<double>(r) * 16777216.0;
        ASSERT_EQ(scaled, static_cast<double>(static_cast<std::uint32_t>(scaled)));
        seen.insert(static_cast<std::uint32_t>(scaled));
    }
    EXPECT_EQ(seen.size(), 100000U);  // one full period is 2^24 long

    ClockRandom a;
    ClockRandom b;
    a.seedFrom(1000);
    b.seedFrom(1001);
    EXPECT_NE(a.state(), b.state());
    EXPECT_NE(a.rnd(), b.rnd());
}

TEST(ClockRandomTest, FullPeriodReachesTheLargestValue) {
    ClockRandom random;
    random.seedFrom(0);
    const std::uint32_t start = random.state();
    bool sawTop = false;
    std::uint32_t steps = 0;
    do {
        const float r = random.rnd();
        sawTop = sawTop || r == 1.0F - 0x1p-24F;
        ++steps;
    } while (random.state() != start && steps <= (1U << 24));
    EXPECT_EQ(steps, 1U << 24);
    EXPECT_TRUE(sawTop);
}

}  // namespace
}  // namespace vop
