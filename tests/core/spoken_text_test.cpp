// What a screen reader is told: cards in words and the grid's states, from the game.
#include "core/game_fixture.h"

namespace vop {
namespace {

using test::card;
using test::grid;
using test::slot;

TEST(SpokenText, CardsInWords) {
    const auto words = [](Int16 color, Int16 number) {
        clsCard c;
        c.color = color;
        c.Number = number;
        return cardWords(c);
    };
    EXPECT_EQ(words(0, 1), u"Ace of spades");
    EXPECT_EQ(words(1, 7), u"Seven of hearts");
    EXPECT_EQ(words(2, 10), u"Ten of diamonds");
    EXPECT_EQ(words(3, 13), u"King of clubs");
    EXPECT_EQ(words(4, 1), u"Unknown card");
    EXPECT_EQ(words(0, 14), u"Unknown card");
}

using Spoken = test::GameTest;

TEST_F(Spoken, ControlsSayTheirCardAndState) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    EXPECT_EQ(runtime.spokenName({ctl::btnGround}), u"Ground: Empty");
    willDraw({card('C', 3)});
    runtime.click(slot(0));
    EXPECT_EQ(runtime.spokenName(slot(0)), u"Three of clubs");
    EXPECT_EQ(runtime.spokenDescription(slot(0)), u"Cannot be played");
    EXPECT_EQ(runtime.spokenName(slot(2)), u"Seven of spades");
    EXPECT_EQ(runtime.spokenDescription(slot(2)), u"Can be played");
    EXPECT_EQ(runtime.spokenName({ctl::btnGround}), u"Ground: Seven of hearts");
    EXPECT_EQ(runtime.spokenName(grid(card('H', 7))), u"Seven of hearts, played");
    EXPECT_EQ(runtime.spokenName(grid(card('C', 3))), u"Three of clubs, in the hand");
    EXPECT_EQ(runtime.spokenName(grid(card('S', 1))), u"Ace of spades, in the deck");
    EXPECT_EQ(runtime.spokenName({ctl::lblColor, 1}), u"hearts");
    EXPECT_EQ(runtime.spokenName({ctl::cmdPlay, 0}), u"New game");
    EXPECT_EQ(runtime.spokenName({ctl::cmdPlay, 1}), u"End");
    EXPECT_EQ(runtime.spokenName({ctl::btnFocus}), u"Table");
    EXPECT_EQ(runtime.spokenDescription({ctl::btnGround}), u"");
    runtime.setCaption(slot(4), u"");
    EXPECT_EQ(runtime.spokenName(slot(4)), u"Empty");
}

// The card that won the last game stays greyed in the grid for the whole next game,
// yet the grid says what the game knows of it: drawn into the hand, then played.
TEST_F(Spoken, TheLastWinnerIsSaidAsTheGameHoldsIt) {
    willDraw(test::winnableDraws());
    runtime.start(game);
    for (int play = 1; play <= 48; ++play) {
        runtime.click(slot(0));
    }
    for (int i = 1; i <= 3; ++i) {
        runtime.click(slot(i));
    }
    const int winner = test::winnableChain().back();  // the ace of clubs
    willDraw({winner, card('S', 1), card('S', 2), card('S', 3), card('S', 4)});
    runtime.click(slot(4));
    ASSERT_EQ(runtime.messages().size(), 1U);
    ASSERT_FALSE(runtime.enabled(grid(winner)));
    EXPECT_EQ(runtime.spokenName(grid(winner)), u"Ace of clubs, in the hand");
    willDraw({card('S', 5)});
    runtime.click(slot(0));
    EXPECT_EQ(runtime.spokenName(grid(winner)), u"Ace of clubs, played");
}

}  // namespace
}  // namespace vop
