// Playing a card: the count, the refill, the rating, an empty deck and the win.
#include <vector>

#include "core/game_fixture.h"

namespace vop {
namespace {

using test::card;
using test::grid;
using test::slot;

const std::string kTitlePrefix = "Vop:\xE7\x8F\xBE\xE5\x9C\xA8";
const std::string kTitleSuffix = "\xE6\x9E\x9A";
std::string titleFor(int count) {
    return kTitlePrefix + std::to_string(count) + kTitleSuffix;
}

using Play = test::GameTest;

TEST_F(Play, SevenOfHeartsRatesTheHand) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('C', 3)});
    runtime.click(slot(0));
    EXPECT_EQ(ground(), "H 7");
    EXPECT_EQ(slotCaption(0), "C 3");
    EXPECT_FALSE(slotEnabled(0));  // the refill neither a heart nor a seven
    EXPECT_TRUE(slotEnabled(1));   // H 2
    EXPECT_TRUE(slotEnabled(2));   // S 7
    EXPECT_FALSE(slotEnabled(3));  // C 9
    EXPECT_FALSE(slotEnabled(4));  // DK
    EXPECT_EQ(title(), titleFor(1));
    EXPECT_EQ(game.playedCount(), 1);
    EXPECT_EQ(game.remainCount(), 46);
    EXPECT_FALSE(runtime.enabled(grid(card('H', 7))));
    EXPECT_EQ(runtime.get(grid(card('H', 7))).foreColor, kRed);
    EXPECT_EQ(runtime.get(grid(card('C', 3))).foreColor, kRed);
    EXPECT_TRUE(runtime.enabled(grid(card('C', 3))));
    EXPECT_EQ(slotTag(0), card('C', 3));
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
    EXPECT_EQ(random.reseeds(), 2);  // once for the deal, once for the play
}

TEST_F(Play, RefillThatMatchesStaysPlayable) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('D', 7)});
    runtime.click(slot(0));
    EXPECT_EQ(slotCaption(0), "D 7");
    EXPECT_TRUE(slotEnabled(0));
}

TEST_F(Play, DisabledSlotCannotBePlayed) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('C', 3)});
    runtime.click(slot(0));
    runtime.click(slot(3));       // C 9 does not follow H 7
    runtime.raiseClick(slot(4));  // nor does DK, even if a backend let a click through
    EXPECT_EQ(game.playedCount(), 1);
    EXPECT_EQ(ground(), "H 7");
    EXPECT_EQ(random.reseeds(), 2);
}

TEST_F(Play, RefillRejectsDrawnAndPlayedCards) {
    startWith({1, 2, 3, 4, 5});
    willDraw({1, 2, 6});  // SA was just played, S 2 is in the hand
    runtime.click(slot(0));
    EXPECT_EQ(slotTag(0), 6);
    EXPECT_EQ(random.reseeds(), 2);
    EXPECT_EQ(random.left(), 0U);
}

// A game that can be won: every refill follows the card it replaces, so the
// refilled slot can always be played, and the last four cards of the deal
// follow the last card drawn and each other.
class ChainGame : public test::GameTest {
  protected:
    void SetUp() override {
        chain = test::winnableChain();
        willDraw(test::winnableDraws());
        runtime.start(game);
    }
    void drainDeck() {
        for (int j = 1; j <= 47; ++j) {
            runtime.click(slot(0));
        }
        ASSERT_EQ(game.remainCount(), 0);
        ASSERT_EQ(game.playedCount(), 47);
        ASSERT_EQ(slotTag(0), chain[47]);  // C 5
    }
    std::vector<int> chain;
};

TEST_F(ChainGame, FortyEighthPlayEmptiesTheSlotAndLeavesItEnabled) {
    drainDeck();
    runtime.click(slot(0));
    EXPECT_EQ(slotCaption(0), "");
    EXPECT_EQ(slotTag(0), chain[47]);  // the emptied slot keeps its last card
    EXPECT_TRUE(slotEnabled(0));
    EXPECT_EQ(ground(), "C 5");
    EXPECT_EQ(game.playedCount(), 48);
    EXPECT_EQ(title(), titleFor(48));
    for (int i = 1; i < 5; ++i) {
        EXPECT_TRUE(slotEnabled(i)) << i;  // C 4, C 3, C 2, CA follow C 5
    }
    EXPECT_TRUE(runtime.messages().empty());
}

TEST_F(ChainGame, EnabledEmptySlotReplaysItsOldCardWithoutCounting) {
    drainDeck();
    runtime.click(slot(0));  // C 5, slot empties
    runtime.click(slot(1));  // C 4
    ASSERT_EQ(ground(), "C 4");
    ASSERT_TRUE(slotEnabled(0));  // C 5 in its Tag follows C 4
    runtime.click(slot(0));
    EXPECT_EQ(game.playedCount(), 49);
    EXPECT_EQ(title(), titleFor(49));
    EXPECT_EQ(ground(), "C 5");
    EXPECT_EQ(slotCaption(0), "");
    EXPECT_FALSE(runtime.enabled(grid(card('C', 5))));
    EXPECT_TRUE(runtime.messages().empty());
}

TEST_F(ChainGame, WinShowsTheBoxOnceThenDealsAgainstTheWinningCard) {
    drainDeck();
    std::vector<std::string> seenBehindTheBox;
    runtime.onMessageBox = [&](const Text&) {
        seenBehindTheBox = {title(), ground(), slotCaption(4)};
        runtime.click(slot(0));  // the box is modal: the window gets no click
        runtime.click({ctl::cmdPlay, 0});
    };
    for (int i = 0; i < 4; ++i) {
        runtime.click(slot(i));
    }
    ASSERT_TRUE(runtime.messages().empty());
    willDraw({card('H', 1), card('S', 2), card('C', 9), card('D', 3), card('H', 5)});
    runtime.click(slot(4));  // CA, the last card

    ASSERT_EQ(runtime.messages().size(), 1U);
    EXPECT_EQ(runtime.messages()[0], u"Win");
    EXPECT_EQ(runtime.lastMessageTitle(), u"Vop");
    EXPECT_EQ(seenBehindTheBox, (std::vector<std::string>{titleFor(52), "C 2", ""}));

    EXPECT_EQ(title(), titleFor(0));
    EXPECT_EQ(game.playedCount(), 0);
    EXPECT_EQ(game.remainCount(), 47);
    EXPECT_EQ(ground(), "CA");
    const bool expected[] = {true, false, true, false, false};  // HA and C 9 follow CA
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slotEnabled(i), expected[i]) << i;
    }
    EXPECT_FALSE(runtime.enabled(grid(card('C', 1))));
    EXPECT_EQ(runtime.get(grid(card('C', 1))).foreColor, kBlue);
    EXPECT_EQ(disabledLabels(), 1);
    EXPECT_EQ(redLabels(), 5);
    EXPECT_EQ(random.reseeds(), 1 + 52 + 1);
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
}

TEST_F(ChainGame, WinningCardDrawnAgainIsRedYetStaysDisabled) {
    drainDeck();
    for (int i = 0; i < 4; ++i) {
        runtime.click(slot(i));
    }
    willDraw({card('C', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    runtime.click(slot(4));
    EXPECT_EQ(slotCaption(0), "CA");
    EXPECT_TRUE(slotEnabled(0));
    EXPECT_FALSE(runtime.enabled(grid(card('C', 1))));
    EXPECT_EQ(runtime.get(grid(card('C', 1))).foreColor, kRed);
    // Playing it in the new game leaves its label disabled, as any played card.
    willDraw({card('C', 2)});
    runtime.click(slot(0));
    EXPECT_EQ(game.playedCount(), 1);
    EXPECT_FALSE(runtime.enabled(grid(card('C', 1))));
}

TEST_F(Play, NoMatchingSlotJustWaits) {
    startWith({card('S', 1), card('H', 2), card('H', 3), card('H', 4), card('H', 5)});
    willDraw({card('C', 9)});
    runtime.click(slot(0));  // SA: nothing left in the hand is a spade or an ace
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(slotEnabled(i)) << i;
    }
    for (int i = 0; i < 5; ++i) {
        runtime.click(slot(i));
    }
    EXPECT_EQ(game.playedCount(), 1);
    EXPECT_EQ(ground(), "SA");
}

TEST_F(Play, EndStopsTheGameAtOnce) {
    startWith({1, 2, 3, 4, 5});
    runtime.click({ctl::cmdPlay, 1});
    EXPECT_TRUE(runtime.ended());
    EXPECT_TRUE(runtime.quitCalled());
    runtime.click(slot(0));
    runtime.click({ctl::cmdPlay, 0});
    EXPECT_EQ(game.playedCount(), 0);
    EXPECT_EQ(ground(), "");
    EXPECT_EQ(random.reseeds(), 1);
}

TEST_F(Play, UnknownCommandIndexDoesNothingButParkTheFocus) {
    startWith({1, 2, 3, 4, 5});
    game.cmdPlay_Click(2);
    EXPECT_FALSE(runtime.ended());
    EXPECT_EQ(random.reseeds(), 1);
    EXPECT_EQ(*runtime.focus(), ControlId{ctl::btnFocus});
}

}  // namespace
}  // namespace vop
