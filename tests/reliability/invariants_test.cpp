// The invariant checker accepts every state the rules reach: deals, plays, an empty deck, a win.
#include <gtest/gtest.h>

#include "core/game_fixture.h"
#include "support/invariant_checker.h"

namespace vop {
namespace {

using test::card;
using test::slot;

// Two checkers watch the same game: one is told each event, the other works it out.
class Watched : public test::GameTest {
  protected:
    void start(std::initializer_list<int> draws) {
        startWith(draws);
        told.afterStart();
        guessing.check();
    }
    void play(int i) {
        const bool enabled = slotEnabled(i);
        runtime.click(slot(i));
        if (enabled) {
            told.afterPlay(static_cast<Int16>(i));
        } else {
            told.afterIgnored();
        }
        guessing.check();
    }
    InvariantChecker told{game, runtime};
    InvariantChecker guessing{game, runtime};
};

TEST_F(Watched, DealsPlaysAndIgnoredEventsPass) {
    start({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('C', 3)});
    play(0);
    play(3);  // C 9 does not follow H 7: nothing happens
    runtime.click({ctl::btnGround});
    told.afterIgnored();
    guessing.check();
    runtime.pressTab();
    told.afterIgnored();
    guessing.check();
    willDraw({1, 2, 3, 4, 5});
    runtime.click({ctl::cmdPlay, 0});
    told.afterNewGame();
    guessing.check();
    EXPECT_EQ(told.deals(), 2);
    EXPECT_EQ(guessing.deals(), 2);
    EXPECT_EQ(told.wins(), 0);
}

// The whole of a game that is won: every refill follows the card it replaces, and the
// last four cards of the deal follow the last card drawn and each other.
TEST_F(Watched, AGameToTheWinAndBeyondPasses) {
    std::vector<int> chain;
    for (char suit : {'S', 'H', 'D', 'C'}) {
        const bool up = suit == 'S' || suit == 'D';
        for (int r = 1; r <= 13; ++r) {
            chain.push_back(card(suit, up ? r : 14 - r));
        }
    }
    start({chain[0], chain[48], chain[49], chain[50], chain[51]});
    for (int j = 1; j <= 47; ++j) {
        willDraw({chain[j]});
        play(0);
    }
    EXPECT_EQ(told.exhaustions(), 1);
    EXPECT_EQ(guessing.exhaustions(), 1);
    play(0);  // C 5: the slot empties
    play(1);  // C 4
    play(0);  // the empty slot replays C 5 without counting
    int seenBehindTheBox = 0;
    runtime.onMessageBox = [&](const Text&) {
        told.whileWinShown();
        guessing.check();  // the box is open: the moment of the win
        ++seenBehindTheBox;
    };
    play(2);
    play(3);
    willDraw({card('C', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    play(4);  // CA, the last card: "Win", then a new deal rated against CA
    EXPECT_EQ(seenBehindTheBox, 1);
    EXPECT_EQ(told.wins(), 1);
    EXPECT_EQ(guessing.wins(), 1);
    EXPECT_EQ(guessing.deals(), 2);
    willDraw({card('C', 2)});
    play(0);  // the winning card, dealt again, is played in the new game
    EXPECT_EQ(game.playedCount(), 1);
}

}  // namespace
}  // namespace vop
