// Start-up, the draw rule and dealing a new game.
#include <set>

#include "core/game_fixture.h"

namespace vop {
namespace {

using test::card;
using test::grid;
using test::slot;
using test::valueFor;
using Deal = test::GameTest;

TEST_F(Deal, StartUpShowsAFreshHand) {
    startWith({card('H', 7), card('S', 1), card('D', 10), card('C', 13), card('H', 2)});
    EXPECT_EQ(title(),
              "Vop:\xE7\x8F\xBE\xE5\x9C\xA8"
              "0\xE6\x9E\x9A");
    EXPECT_EQ(runtime.formCaption(),
              u"Vop:\u73FE\u5728"
              u"0\u679A");
    EXPECT_EQ(ground(), "");
    const char* names[] = {"H 7", "SA", "DT", "CK", "H 2"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slotCaption(i), names[i]);
        EXPECT_TRUE(slotEnabled(i));
    }
    EXPECT_EQ(slotTag(0), 20);
    EXPECT_EQ(runtime.tag(slot(3)), u"52");
    EXPECT_EQ(game.remainCount(), 47);
    EXPECT_EQ(game.playedCount(), 0);
    EXPECT_EQ(redLabels(), 5);
    EXPECT_EQ(disabledLabels(), 0);
    EXPECT_EQ(runtime.get(grid(20)).foreColor, kRed);
    EXPECT_EQ(runtime.get(grid(21)).foreColor, kBlue);
    EXPECT_TRUE(runtime.shown());
    ASSERT_TRUE(runtime.focus());
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
    EXPECT_EQ(random.reseeds(), 1);
}

TEST_F(Deal, GridRowsReadAceToKingAtTheirPlaces) {
    startWith({1, 2, 3, 4, 5});
    const char16_t* ranks[] = {u"A", u"2", u"3", u"4", u"5", u"6", u"7",
                               u"8", u"9", u"T", u"J", u"Q", u"K"};
    for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) {
            const ControlState& label = runtime.get(grid(s * 13 + r));
            EXPECT_EQ(label.caption, ranks[r - 1]);
            EXPECT_TRUE(label.visible);
            EXPECT_EQ(label.fontSize, 5);
            EXPECT_EQ(label.top, 480 + s * 120);
            EXPECT_EQ(label.left, 75 + r * 120);
            // Size, background and face come from the template, not from code.
            EXPECT_EQ(label.width, 135);
            EXPECT_EQ(label.height, 135);
            EXPECT_EQ(label.def->backColor, kWhite);
            EXPECT_EQ(label.def->font.face, u"Small Fonts");
        }
    }
    const ControlState& templ = runtime.get(grid(0));
    EXPECT_FALSE(templ.visible);
    EXPECT_EQ(templ.caption, u"A");
    EXPECT_DOUBLE_EQ(templ.fontSize, 5.25);
}

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

TEST_F(Deal, NewGameMidGameRestoresTheDeck) {
    startWith({1, 14, 27, 40, 2});
    willDraw({3, 4});
    runtime.click(slot(0));  // SA: refill S 3
    runtime.click(slot(4));  // S 2: refill S 4
    ASSERT_EQ(game.playedCount(), 2);
    ASSERT_EQ(disabledLabels(), 2);
    willDraw({5, 6, 7, 8, 9});
    runtime.click({ctl::cmdPlay, 0});
    EXPECT_EQ(title(),
              "Vop:\xE7\x8F\xBE\xE5\x9C\xA8"
              "0\xE6\x9E\x9A");
    EXPECT_EQ(ground(), "");
    EXPECT_EQ(game.playedCount(), 0);
    EXPECT_EQ(game.remainCount(), 47);
    EXPECT_EQ(disabledLabels(), 0);
    EXPECT_EQ(redLabels(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slotTag(i), 5 + i);
        EXPECT_TRUE(slotEnabled(i));
    }
    for (int n : {1, 2, 3, 4, 14}) {
        EXPECT_EQ(runtime.get(grid(n)).foreColor, kBlue) << n;
        EXPECT_EQ(game.cards()(n).Status, 0) << n;
    }
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
    EXPECT_EQ(random.reseeds(), 4);
}

TEST_F(Deal, CountCaption) {
    EXPECT_EQ(countCaption(52),
              u"Vop:\u73FE\u5728"
              u"52\u679A");
    EXPECT_EQ(countCaption(7),
              u"Vop:\u73FE\u5728"
              u"7\u679A");
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
