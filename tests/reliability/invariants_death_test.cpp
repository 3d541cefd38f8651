// A state the rules cannot reach ends the program with a message naming what broke: one
// corruption of each group of invariants the checker holds.
#include <gtest/gtest.h>

#include "reliability/corrupted_game.h"

namespace vop {
namespace {

using test::card;
using test::Corrupted;
using test::Exhausted;
using test::grid;
using test::slot;
using ::testing::ExitedWithCode;

TEST_F(Corrupted, ATagThatIsNoCardNumber) {
    EXPECT_EXIT(
        {
            runtime.setTag(slot(2), u"07");  // only "1".."52" as the game writes them
            checker.check();
        },
        ExitedWithCode(1), "invariant broken: btnCard\\(2\\).Tag is \"07\", not a card number");
}

TEST_F(Corrupted, ACardThatIsNoLongerItself) {
    EXPECT_EXIT(
        {
            cardAt(5).Number = 9;
            checker.check();
        },
        ExitedWithCode(1), "cards\\(5\\) is no longer card 5 \\(ID 5, color 0, Number 9\\)");
}

TEST_F(Corrupted, ACountThatDisagreesWithTheDeck) {
    EXPECT_EXIT(
        {
            cardAt(card('C', 4)).Status = 1;
            runtime.setForeColor(grid(card('C', 4)), kRed);
            checker.check();
        },
        ExitedWithCode(1), "remainCount is 47 but 46 cards have Status 0");
}

TEST_F(Corrupted, AGridLabelInTheWrongColour) {
    EXPECT_EXIT(
        {
            runtime.setForeColor(grid(9), kRed);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(9\\) is red but card 9 is in the deck");
}

TEST_F(Corrupted, AGreyedLabelOfACardNotPlayed) {
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(grid(9), false);
            checker.check();
        },
        ExitedWithCode(1), "lblExist\\(9\\) is disabled but card 9 is neither played nor");
}

TEST_F(Corrupted, ASlotRatedAgainstTheRule) {
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(slot(3), true);
            checker.check();
        },
        ExitedWithCode(1), "btnCard\\(3\\) is enabled though C 9 does not follow H 7");
}

TEST_F(Corrupted, AnIgnoredEventThatChangedTheTable) {
    EXPECT_EXIT(
        {
            runtime.setCaption({ctl::btnGround}, u"SK");
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the ground");
}

TEST_F(Corrupted, APlayThatDrewNothing) {
    EXPECT_EXIT(
        {
            willDraw({card('C', 3)});
            runtime.click(slot(0));
            runtime.setTag(slot(0), u"20");  // H 7 is back, and C 3 counts as played
            runtime.setCaption(slot(0), u"H 7");
            checker.afterPlay(0);
        },
        ExitedWithCode(1), "btnCard\\(0\\) was not refilled from the deck");
}

TEST_F(Corrupted, ABurstThatLeftTwoCardsGreyed) {
    EXPECT_EXIT(
        {
            playFirst();
            runtime.setEnabled(grid(9), false);
            runtime.setEnabled(grid(10), false);
            checker.afterSeveral(1);  // a win greys one card, the one that won
        },
        ExitedWithCode(1), "two cards greyed in the grid have not been played");
}

TEST_F(Exhausted, AWinWithoutANewDeal) {
    EXPECT_EXIT(
        {
            for (int i = 0; i < 4; ++i) {
                play(i);
            }
            runtime.onMessageBox = [&](const Text&) { runtime.end(); };  // closed behind "Win"
            runtime.click(slot(4));
            runtime.setCaption({ctl::btnGround}, u"CA");
            checker.afterPlay(4);
        },
        ExitedWithCode(1), "the last card was played but no new game was dealt");
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
