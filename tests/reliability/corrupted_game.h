// Watched games for the invariant death tests, which corrupt them as a stray write would.
#pragma once

#include "core/game_fixture.h"
#include "support/invariant_checker.h"

namespace vop::test {

// The first hand: H 7, H 2, S 7, C 9, DK; after the first play (H 7) slot 0 holds C 3.
class Corrupted : public GameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
        checker.afterStart();
    }
    void playFirst() {
        willDraw({card('C', 3)});
        runtime.click(slot(0));
        checker.afterPlay(0);
    }
    // The table's cards are the game's own; a test reaches past the const view to
    // corrupt one, as a stray write would.
    clsCard& cardAt(int n) { return const_cast<clsCard&>(game.cards()(n)); }

    InvariantChecker checker{game, runtime};
};

// The winnable deal with its deck just run out: slot 0 has been played 47 times and
// holds C 5; slots 1 to 4 hold C 4, C 3, C 2 and CA.
class Exhausted : public GameTest {
  protected:
    void SetUp() override {
        willDraw(winnableDraws());
        runtime.start(game);
        checker.afterStart();
        for (int i = 0; i < 47; ++i) {
            play(0);
        }
        ASSERT_EQ(game.remainCount(), 0);
    }
    void play(int i) {
        runtime.click(slot(i));
        checker.afterPlay(static_cast<Int16>(i));
    }

    InvariantChecker checker{game, runtime};
};

}  // namespace vop::test
