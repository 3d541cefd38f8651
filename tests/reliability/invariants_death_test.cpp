// Each kind of corruption ends the program with its own message naming what broke.
#include <gtest/gtest.h>

#include "core/game_fixture.h"
#include "game/invariants.h"

namespace vop {
namespace {

using test::card;
using test::grid;
using test::slot;
using ::testing::ExitedWithCode;

// The first hand: H 7, H 2, S 7, C 9, DK; after the first play (H 7) slot 0 holds C 3.
class Corrupted : public test::GameTest {
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

TEST_F(Corrupted, HandSlots) {
    EXPECT_EXIT(
        {
            runtime.setTag(slot(2), u"0");
            checker.check();
        },
        ExitedWithCode(1), "invariant broken: btnCard\\(2\\).Tag is \"0\", not a card number");
    EXPECT_EXIT(
        {
            runtime.setTag(slot(2), u"07");
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(2\\).Tag is \"07\"");
    EXPECT_EXIT(
        {
            runtime.setCaption(slot(1), u"SK");
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(1\\) shows \"SK\" but its Tag is card 15 \\(H 2\\)");
    EXPECT_EXIT(
        {
            runtime.setTag(slot(1), runtime.tag(slot(0)));
            runtime.setCaption(slot(1), runtime.caption(slot(0)));
            checker.check();
        },
        ExitedWithCode(1), "card 20 is in both btnCard\\(0\\) and btnCard\\(1\\)");
    EXPECT_EXIT(
        {
            runtime.setCaption(slot(4), u"");
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(4\\) is empty while 47 cards are left in the deck");
}

TEST_F(Corrupted, CardsAndCounts) {
    EXPECT_EXIT(
        {
            cardAt(card('H', 2)).Status = 0;  // in the hand, yet back in the deck...
            cardAt(card('C', 4)).Status = 1;  // ...and a deck card out, so the count holds
            checker.check();
        },
        ExitedWithCode(1), "card 15 is both in the deck \\(Status 0\\) and in btnCard\\(1\\)");
    EXPECT_EXIT(
        {
            cardAt(card('C', 4)).Status = 1;
            runtime.setForeColor(grid(card('C', 4)), kRed);
            checker.check();
        },
        ExitedWithCode(1), "remainCount is 47 but 46 cards have Status 0");
    EXPECT_EXIT(
        {
            cardAt(5).Status = 2;
            checker.check();
        },
        ExitedWithCode(1), "cards\\(5\\).Status is 2");
    EXPECT_EXIT(
        {
            cardAt(5).Number = 9;
            checker.check();
        },
        ExitedWithCode(1), "cards\\(5\\) is no longer card 5 \\(ID 5, color 0, Number 9\\)");
    EXPECT_EXIT(
        {
            runtime.setFormCaption(countCaption(3));
            checker.check();
        },
        ExitedWithCode(1), "the caption reads \"Vop:.*3.*\" but playedCount is 0");
}

TEST_F(Corrupted, GridLabels) {
    EXPECT_EXIT(
        {
            runtime.setForeColor(grid(9), kRed);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(9\\) is red but card 9 is in the deck");
    EXPECT_EXIT(
        {
            runtime.setForeColor(grid(card('S', 7)), kBlue);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(7\\) is blue but card 7 has left the deck");
    EXPECT_EXIT(
        {
            runtime.setForeColor(grid(9), kWhite);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(9\\) is neither blue nor red");
    EXPECT_EXIT(
        {
            runtime.setEnabled(grid(9), false);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(9\\) is disabled on a fresh deal");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(grid(9), false);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(9\\) is disabled but card 9 is neither played nor");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(grid(card('H', 7)), true);
            checker.check();
        },
        ExitedWithCode(1), "card 20 has been played but lblExist\\(20\\) is still enabled");
}

TEST_F(Corrupted, GroundAndRating) {
    EXPECT_EXIT(
        {
            runtime.setEnabled(slot(3), false);
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(3\\) is disabled on a fresh deal");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(slot(3), true);
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(3\\) is enabled though C 9 does not follow H 7");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(slot(1), false);
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(1\\) is disabled though H 2 follows H 7");
    EXPECT_EXIT(
        {
            runtime.setCaption({Ctl::btnGround}, u"X 7");
            checker.check();
        },
        ExitedWithCode(1), "btnGround shows \"X 7\", which names no card");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setCaption({Ctl::btnGround}, u"DK");
            checker.check();
        },
        ExitedWithCode(1), "the ground shows DK, which has not been played");
    EXPECT_EXIT(
        {
            runtime.setCaption({Ctl::btnGround}, u"SK");
            checker.check();
        },
        ExitedWithCode(1), "the ground shows SK before the first play of a game");
}

TEST_F(Corrupted, EventsThatDidNotHappenAsTold) {
    EXPECT_EXIT(
        {
            willDraw({1, 2, 3, 4, 5});
            game.cmdPlay_Click(0);
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the hand");
    EXPECT_EXIT(
        {
            playFirst();
            checker.afterPlay(3);  // C 9 is disabled: it cannot have been played
        },
        ExitedWithCode(1), "btnCard\\(3\\) took a click while disabled");
    EXPECT_EXIT(
        {
            runtime.pressTab();
            willDraw({1, 2, 3, 4, 5});
            game.cmdPlay_Click(0);
            runtime.pressTab();
            checker.afterNewGame();
        },
        ExitedWithCode(1), "the focus is not parked on btnFocus after a click");
    EXPECT_EXIT(checker.whileWinShown(), ExitedWithCode(1), "\"Win\" is shown after 0 plays");
    EXPECT_EXIT(checker.afterStart(), ExitedWithCode(1), "the game started twice");
    EXPECT_EXIT(
        {
            InvariantChecker late(game, runtime);
            late.afterIgnored();
        },
        ExitedWithCode(1), "an event before the game started");
}

TEST(InvariantFailure, OneMessageThenTheActionThenTheEnd) {
    EXPECT_EXIT(
        {
            setInvariantFailureAction([] { std::fputs("action ran\n", stderr); });
            invariantBroken("what broke");
        },
        ExitedWithCode(1), "^Vop: invariant broken: what broke\naction ran\n$");
}

}  // namespace
}  // namespace vop
