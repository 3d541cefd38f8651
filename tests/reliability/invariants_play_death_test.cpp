// Events that did not happen as the checker was told, and plays that broke the rules on
// the way from one state to the next: each ends the program with its own message.
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
            runtime.setEnabled(slot(3), false);
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the hand");
    EXPECT_EXIT(
        {
            runtime.setCaption(slot(3), u"");
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the hand");
    EXPECT_EXIT(
        {
            runtime.setCaption({ctl::btnGround}, u"SK");
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the ground");
    EXPECT_EXIT(
        {
            playFirst();
            cardAt(card('S', 1)).Status = 1;  // a deck card and a played one trade places
            cardAt(card('H', 7)).Status = 0;
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the deck");
    EXPECT_EXIT(
        {
            runtime.setForeColor(grid(9), kRed);
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the grid");
    EXPECT_EXIT(
        {
            runtime.setEnabled(grid(9), false);
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the grid");
    EXPECT_EXIT(
        {
            playFirst();
            checker.afterPlay(3);  // C 9 is disabled: it cannot have been played
        },
        ExitedWithCode(1), "btnCard\\(3\\) took a click while disabled");
    EXPECT_EXIT(checker.afterPlay(-1), ExitedWithCode(1),
                "a play from btnCard\\(-1\\), which does not exist");
    EXPECT_EXIT(checker.afterPlay(5), ExitedWithCode(1),
                "a play from btnCard\\(5\\), which does not exist");
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

// Every state below is one the rules reach; only the step from the last one is wrong.
TEST_F(Corrupted, PlaysThatBreakTheRules) {
    EXPECT_EXIT(
        {
            willDraw({card('C', 3)});
            runtime.click(slot(0));
            checker.afterPlay(1);
        },
        ExitedWithCode(1), "the ground shows H 7 after a play from btnCard\\(1\\), which held H 2");
    EXPECT_EXIT(
        {
            willDraw({card('C', 3), card('C', 4)});
            runtime.click(slot(0));
            runtime.click(slot(2));  // S 7 follows H 7: two plays, told as one
            checker.afterPlay(2);
        },
        ExitedWithCode(1), "a play from btnCard\\(2\\) took playedCount from 0 to 2");
    EXPECT_EXIT(
        {
            willDraw({card('C', 3)});
            runtime.click(slot(0));
            const Text nine = runtime.tag(slot(3));
            runtime.setTag(slot(3), runtime.tag(slot(4)));
            runtime.setCaption(slot(3), u"DK");
            runtime.setTag(slot(4), nine);
            runtime.setCaption(slot(4), u"C 9");
            checker.afterPlay(0);
        },
        ExitedWithCode(1), "btnCard\\(3\\) changed on a play from btnCard\\(0\\)");
    EXPECT_EXIT(
        {
            willDraw({card('C', 3)});
            runtime.click(slot(0));
            runtime.setTag(slot(0), u"20");  // H 7 is back, and C 3 counts as played
            runtime.setCaption(slot(0), u"H 7");
            checker.afterPlay(0);
        },
        ExitedWithCode(1), "btnCard\\(0\\) was not refilled from the deck");
    EXPECT_EXIT(
        {
            willDraw({card('C', 3)});
            runtime.click(slot(0));
            cardAt(card('S', 1)).Status = 1;  // SA leaves the deck and H 7 goes back in
            runtime.setForeColor(grid(card('S', 1)), kRed);
            cardAt(card('H', 7)).Status = 0;
            runtime.setForeColor(grid(card('H', 7)), kBlue);
            checker.afterPlay(0);
        },
        ExitedWithCode(1), "the deck changed beyond the card drawn into btnCard\\(0\\)");
}

TEST_F(Exhausted, TheEndOfTheDeckAndTheWin) {
    EXPECT_EXIT(
        {
            play(0);  // C 5: the slot empties, its Tag keeps the card
            runtime.setTag(slot(0), runtime.tag(slot(1)));
            checker.check();
        },
        ExitedWithCode(1),
        "empty btnCard\\(0\\) keeps card 43 in its Tag, which has not been played");
    EXPECT_EXIT(
        {
            play(0);
            runtime.setCaption(slot(0), u"C 5");  // shown again, though counted as played
            checker.check();
        },
        ExitedWithCode(1), "47 cards have been played but playedCount is 48");
    EXPECT_EXIT(
        {
            runtime.click(slot(0));
            runtime.setTag(slot(0), decimalText(card('C', 6)));  // another played card
            checker.afterPlay(0);
        },
        ExitedWithCode(1), "btnCard\\(0\\) changed its Tag though no card was drawn");
    EXPECT_EXIT(
        {
            play(0);
            runtime.click(slot(0));  // the empty slot replays C 5 without counting
            runtime.setTag(slot(0), decimalText(card('C', 6)));
            checker.afterPlay(0);
        },
        ExitedWithCode(1), "btnCard\\(0\\) changed its Tag though no card was drawn");
    EXPECT_EXIT(
        {
            play(0);
            runtime.setCaption(slot(0), u"x");  // the empty slot counts once more
            game.btnCard_Click(0);
            checker.afterIgnored();
        },
        ExitedWithCode(1), "an event the game ignores changed the counts");
    EXPECT_EXIT(
        {
            for (int i = 0; i < 6; ++i) {
                runtime.setCaption(slot(0), u"x");
                game.btnCard_Click(0);
            }
            checker.check();
        },
        ExitedWithCode(1), "playedCount is 53, outside 0..52");
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

}  // namespace
}  // namespace vop
