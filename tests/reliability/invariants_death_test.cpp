// Each kind of corruption ends the program with its own message naming what broke.
#include <gtest/gtest.h>

#include "reliability/corrupted_game.h"

namespace vop {
namespace {

using test::card;
using test::Corrupted;
using test::grid;
using test::slot;
using ::testing::ExitedWithCode;

TEST_F(Corrupted, HandSlots) {
    EXPECT_EXIT(
        {
            runtime.setTag(slot(2), u"0");
            checker.check();
        },
        ExitedWithCode(1), "invariant broken: btnCard\\(2\\).Tag is \"0\", not a card number");
    // Only "1".."52" as the game writes them: no empty Tag, leading zero, stray
    // character on either side of the digits, or number past the deck.
    for (const char16_t* tag : {u"", u"07", u"123", u"5/", u"5:", u"53"}) {
        EXPECT_EXIT(
            {
                runtime.setTag(slot(2), tag);
                checker.check();
            },
            ExitedWithCode(1), "btnCard\\(2\\).Tag is \"" + test::utf8(tag) + "\", not a card")
            << test::utf8(tag);
    }
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
            cardAt(5).ID = 6;
            checker.check();
        },
        ExitedWithCode(1), "cards\\(5\\) is no longer card 5 \\(ID 6, color 0, Number 5\\)");
    EXPECT_EXIT(
        {
            cardAt(5).color = 2;
            checker.check();
        },
        ExitedWithCode(1), "cards\\(5\\) is no longer card 5 \\(ID 5, color 2, Number 5\\)");
    EXPECT_EXIT(
        {
            runtime.setCaption(slot(0), u"");  // the play is not counted, the draw is
            willDraw({card('C', 3)});
            game.btnCard_Click(0);
            checker.check();
        },
        ExitedWithCode(1), "remainCount is 46 after 0 plays");
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
            runtime.setCaption({ctl::btnGround}, u"X 7");
            checker.check();
        },
        ExitedWithCode(1), "btnGround shows \"X 7\", which names no card");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setCaption({ctl::btnGround}, u"DK");
            checker.check();
        },
        ExitedWithCode(1), "the ground shows DK, which has not been played");
    EXPECT_EXIT(
        {
            runtime.setCaption({ctl::btnGround}, u"SK");
            checker.check();
        },
        ExitedWithCode(1), "the ground shows SK before the first play of a game");
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setCaption({ctl::btnGround}, u"");
            checker.check();
        },
        ExitedWithCode(1), "the ground is empty after 1 plays");
    EXPECT_EXIT(
        {
            InvariantChecker late(game, runtime);
            runtime.setCaption({ctl::btnGround}, u"SK");
            late.afterStart();
        },
        ExitedWithCode(1), "the game starts with a card on the ground");
    EXPECT_EXIT(
        {
            willDraw({1, 2, 3, 4, 5});
            runtime.click({ctl::cmdPlay, 0});
            runtime.setCaption({ctl::btnGround}, u"SK");
            checker.afterNewGame();
        },
        ExitedWithCode(1), "\"N\" left a card on the ground");
    EXPECT_EXIT(
        {
            willDraw({card('H', 5), card('C', 3)});
            runtime.click(slot(0));  // H 7, then H 5 drawn into its place...
            runtime.click(slot(0));  // ...is played too, unseen by the checker
            checker.check();
        },
        ExitedWithCode(1), "the ground shows H 5, but no slot that could be played held it");
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
