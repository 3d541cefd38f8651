// A state the rules cannot reach ends the program with a message naming what broke: one
// corruption of each group of invariants the checker holds.
#include <gtest/gtest.h>

#include <functional>

#include "reliability/corrupted_game.h"

namespace vop {
namespace {

using test::card;
using test::Corrupted;
using test::Exhausted;
using test::grid;
using test::slot;
using ::testing::ExitedWithCode;

// The check that must find the corruption made before it: the program ends saying what broke.
void expectBroken(const std::function<void()>& check, const char* message) {
    EXPECT_EXIT(check(), ExitedWithCode(1), message);
}

TEST_F(Corrupted, ATagThatIsNoCardNumber) {
    runtime.setTag(slot(2), u"07");  // only "1".."52" as the game writes them
    expectBroken([&] { checker.check(); },
                 "invariant broken: btnCard\\(2\\).Tag is \"07\", not a card number");
}

TEST_F(Corrupted, ACardThatIsNoLongerItself) {
    cardAt(5).Number = 9;
    expectBroken([&] { checker.check(); },
                 "cards\\(5\\) is no longer card 5 \\(ID 5, color 0, Number 9\\)");
}

TEST_F(Corrupted, ACountThatDisagreesWithTheDeck) {
    cardAt(card('C', 4)).Status = 1;
    runtime.setForeColor(grid(card('C', 4)), kRed);
    expectBroken([&] { checker.check(); }, "remainCount is 47 but 46 cards have Status 0");
}

TEST_F(Corrupted, AGridLabelInTheWrongColour) {
    runtime.setForeColor(grid(9), kRed);
    expectBroken([&] { checker.check(); }, "lblExist\\(9\\) is red but card 9 is in the deck");
}

TEST_F(Corrupted, AGreyedLabelOfACardNotPlayed) {
    playFirst();
    runtime.setEnabled(grid(9), false);
    expectBroken([&] { checker.check(); },
                 "lblExist\\(9\\) is disabled but card 9 is neither played nor");
}

TEST_F(Corrupted, ASlotRatedAgainstTheRule) {
    playFirst();
    runtime.setEnabled(slot(3), true);
    expectBroken([&] { checker.check(); },
                 "btnCard\\(3\\) is enabled though C 9 does not follow H 7");
}

TEST_F(Corrupted, AnIgnoredEventThatChangedTheTable) {
    runtime.setCaption({ctl::btnGround}, u"SK");
    expectBroken([&] { checker.afterIgnored(); }, "an event the game ignores changed the ground");
}

TEST_F(Corrupted, APlayThatDrewNothing) {
    willDraw({card('C', 3)});
    runtime.click(slot(0));
    runtime.setTag(slot(0), u"20");  // H 7 is back, and C 3 counts as played
    runtime.setCaption(slot(0), u"H 7");
    expectBroken([&] { checker.afterPlay(0); }, "btnCard\\(0\\) was not refilled from the deck");
}

TEST_F(Corrupted, ABurstThatLeftTwoCardsGreyed) {
    playFirst();
    runtime.setEnabled(grid(9), false);
    runtime.setEnabled(grid(10), false);
    // A win greys one card, the one that won.
    expectBroken([&] { checker.afterSeveral(1); },
                 "two cards greyed in the grid have not been played");
}

TEST_F(Exhausted, AWinWithoutANewDeal) {
    for (int i = 0; i < 4; ++i) {
        play(i);
    }
    runtime.onMessageBox = [&](const Text&) { runtime.end(); };  // closed behind "Win"
    runtime.click(slot(4));
    runtime.setCaption({ctl::btnGround}, u"CA");
    expectBroken([&] { checker.afterPlay(4); },
                 "the last card was played but no new game was dealt");
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
