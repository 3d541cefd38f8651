// What a screen reader is told: cards in words and the grid's states.
#include "window/spoken_text.h"
#include "core/game_fixture.h"

namespace vop {
namespace {

using test::card;
using test::grid;
using test::slot;

TEST(SpokenText, CardsInWords) {
    EXPECT_EQ(cardWords(1), u"Ace of spades");
    EXPECT_EQ(cardWords(20), u"Seven of hearts");
    EXPECT_EQ(cardWords(36), u"Ten of diamonds");
    EXPECT_EQ(cardWords(52), u"King of clubs");
    EXPECT_EQ(cardWords(0), u"Unknown card");
    EXPECT_EQ(cardWords(53), u"Unknown card");
}

TEST(SpokenText, EveryShownNameReadsBackAsItsCard) {
    CardTable table;
    for (Int16 n = 1; n <= 52; ++n) {
        clsCard& c = table.create(n);
        c.color = static_cast<Int16>((n - 1) / 13);
        c.Number = static_cast<Int16>((n - 1) % 13 + 1);
        EXPECT_EQ(cardNumberOfName(setCap(c)), n) << toUtf8(setCap(c));
    }
    for (const char16_t* odd : {u"", u"H7", u"S 1", u"S A", u"SX", u"X 7", u"ST ", u"S 10", u"A",
                                u" 7", u"s 7", u"H 77"}) {
        EXPECT_EQ(cardNumberOfName(odd), 0) << toUtf8(odd);
    }
}

// A grid label loaded but not yet coloured by a deal, and names past the window's table.
TEST(SpokenText, ElementsNoDealHasTouched) {
    struct Idle final : FormModule {
        void Form_Load() override {}
        void click(ControlId) override {}
        void gotFocus(ControlId) override {}
    } idle;
    ScriptedRandom random;
    MemoryRuntime runtime(vopWindow(), random);
    runtime.start(idle);
    runtime.load(grid(3));
    EXPECT_EQ(spokenName(runtime, grid(3)), u"Three of spades, in the deck");
    EXPECT_EQ(spokenName(runtime, {Ctl::lblColor, -1}), u"");
    EXPECT_EQ(spokenName(runtime, {Ctl::lblColor, 4}), u"");
    EXPECT_EQ(spokenName(runtime, {static_cast<Ctl>(6)}), u"");
}

using Spoken = test::GameTest;

TEST_F(Spoken, ControlsSayTheirCardAndState) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    EXPECT_EQ(spokenName(runtime, {Ctl::btnGround}), u"Ground: Empty");
    willDraw({card('C', 3)});
    runtime.click(slot(0));
    EXPECT_EQ(spokenName(runtime, slot(0)), u"Three of clubs");
    EXPECT_EQ(spokenDescription(runtime, slot(0)), u"Cannot be played");
    EXPECT_EQ(spokenName(runtime, slot(2)), u"Seven of spades");
    EXPECT_EQ(spokenDescription(runtime, slot(2)), u"Can be played");
    EXPECT_EQ(spokenName(runtime, {Ctl::btnGround}), u"Ground: Seven of hearts");
    EXPECT_EQ(spokenName(runtime, grid(card('H', 7))), u"Seven of hearts, played");
    EXPECT_EQ(spokenName(runtime, grid(card('C', 3))), u"Three of clubs, in the hand");
    EXPECT_EQ(spokenName(runtime, grid(card('S', 1))), u"Ace of spades, in the deck");
    EXPECT_EQ(spokenName(runtime, {Ctl::lblColor, 1}), u"hearts");
    EXPECT_EQ(spokenName(runtime, {Ctl::cmdPlay, 0}), u"New game");
    EXPECT_EQ(spokenName(runtime, {Ctl::cmdPlay, 1}), u"End");
    EXPECT_EQ(spokenName(runtime, {Ctl::btnFocus}), u"Table");
    EXPECT_EQ(spokenName(runtime, grid(0)), u"");
    EXPECT_EQ(spokenDescription(runtime, {Ctl::btnGround}), u"");
    runtime.setCaption(slot(4), u"");
    EXPECT_EQ(spokenName(runtime, slot(4)), u"Empty");
}

}  // namespace
}  // namespace vop
