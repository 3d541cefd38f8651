// What a screen reader finds on the real widgets: the cards in words, the grid's
// states and the suits, kept up to date as the game goes on; the captions unchanged.
#include <QAccessible>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class Accessible : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    }
    static QAccessibleInterface* reader(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w);
    }
    QString name(ControlId id) const { return reader(widget(id))->text(QAccessible::Name); }
    QString description(ControlId id) const {
        return reader(widget(id))->text(QAccessible::Description);
    }
    QAccessible::Role role(ControlId id) const { return reader(widget(id))->role(); }
};

TEST_F(Accessible, HandSlotsSayTheirCardAndWhetherItCanBePlayed) {
    const QStringList words{"Seven of hearts", "Two of hearts", "Seven of spades", "Nine of clubs",
                            "King of diamonds"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(reader(widget(slot(i))), nullptr);
        EXPECT_EQ(role(slot(i)), QAccessible::Button) << i;
        EXPECT_EQ(name(slot(i)), words[i]) << i;
        EXPECT_EQ(description(slot(i)), "Can be played") << i;
    }
    EXPECT_EQ(slotTexts(), (QStringList{"H 7", "H 2", "S 7", "C 9", "DK"}));
}

TEST_F(Accessible, CommandsGroundAndRowHeadersSayWhatTheyAre) {
    EXPECT_EQ(role(command(0)), QAccessible::Button);
    EXPECT_EQ(name(command(0)), "New game");
    EXPECT_EQ(name(command(1)), "End");
    EXPECT_EQ(button(command(0))->text(), "N");
    EXPECT_EQ(button(command(1))->text(), "E");
    EXPECT_EQ(role(kGround), QAccessible::Button);
    EXPECT_EQ(name(kGround), "Ground: Empty");
    const QStringList suits{"spades", "hearts", "diamonds", "clubs"};
    const QStringList letters{"S", "H", "D", "C"};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(role(header(s)), QAccessible::StaticText) << s;
        EXPECT_EQ(name(header(s)), suits[s]) << s;
        EXPECT_EQ(label(header(s))->text(), letters[s]) << s;
    }
}

TEST_F(Accessible, GridLabelsSayTheirCardAndStateNotJustTheirColour) {
    for (int n = 1; n <= 52; ++n) {
        EXPECT_EQ(role(grid(n)), QAccessible::StaticText) << n;
    }
    EXPECT_EQ(name(grid(card('S', 1))), "Ace of spades, in the deck");
    EXPECT_EQ(name(grid(card('H', 7))), "Seven of hearts, in the hand");
    EXPECT_EQ(name(grid(card('D', 13))), "King of diamonds, in the hand");
    EXPECT_EQ(gridLabel(card('S', 1))->text(), "A");
    int inHand = 0;
    for (int n = 1; n <= 52; ++n) {
        inHand += name(grid(n)).endsWith(", in the hand") ? 1 : 0;
    }
    EXPECT_EQ(inHand, 5);
}

TEST_F(Accessible, EveryPlayUpdatesWhatIsSaid) {
    willDraw({card('D', 4)});
    click(slot(0));  // H 7 goes to the ground, D 4 fills its slot
    EXPECT_EQ(name(kGround), "Ground: Seven of hearts");
    EXPECT_EQ(name(slot(0)), "Four of diamonds");
    EXPECT_EQ(description(slot(0)), "Cannot be played");
    EXPECT_EQ(description(slot(1)), "Can be played");     // H 2
    EXPECT_EQ(description(slot(2)), "Can be played");     // S 7
    EXPECT_EQ(description(slot(3)), "Cannot be played");  // C 9
    EXPECT_EQ(name(grid(card('H', 7))), "Seven of hearts, played");
    EXPECT_TRUE(reader(widget(grid(card('H', 7))))->state().disabled);
    EXPECT_EQ(name(grid(card('D', 4))), "Four of diamonds, in the hand");
    EXPECT_TRUE(reader(widget(slot(0)))->state().disabled);
    EXPECT_EQ(groundText(), "H 7");  // the captions stay the game's own
    EXPECT_EQ(slotText(0), "D 4");

    willDraw({card('S', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    click(command(0));
    EXPECT_EQ(name(kGround), "Ground: Empty");
    EXPECT_EQ(name(grid(card('H', 7))), "Seven of hearts, in the deck");
    EXPECT_EQ(name(grid(card('S', 5))), "Five of spades, in the hand");
    EXPECT_EQ(description(slot(0)), "Can be played");
}

TEST_F(ChainOnQt, AnEmptiedSlotSaysEmptyAndStillTellsWhetherItCanBeClicked) {
    drainDeck();
    click(slot(0));  // C 5 with the deck empty: the slot stays empty
    ASSERT_EQ(slotText(0), "");
    auto* reader = QAccessible::queryAccessibleInterface(widget(slot(0)));
    EXPECT_EQ(reader->text(QAccessible::Name), "Empty");
    // It is still rated by the card it last held, the C 5 now on the ground.
    ASSERT_TRUE(slotEnabled(0));
    EXPECT_EQ(reader->text(QAccessible::Description), "Can be played");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(kGround))->text(QAccessible::Name),
              "Ground: Five of clubs");
}

}  // namespace
}  // namespace vop::test
