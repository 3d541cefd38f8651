// Keyboard focus on the real widgets: the tab order, skipped disabled slots, and the
// focus parked on the off-screen button.
#include "qt_fixture.h"

namespace vop::test {
namespace {

class Focus : public QtGameTest {};

TEST_F(Focus, TabVisitsTheSlotsThenTheCommandsAndComesBackToTheFocusButton) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    ASSERT_EQ(focused(), widget(kFocus));
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        pressOnFocus(Qt::Key_Tab);
        visited.append(focused()->objectName());
    }
    EXPECT_EQ(visited, (QStringList{"btnCard(0)", "btnCard(1)", "btnCard(2)", "btnCard(3)",
                                    "btnCard(4)", "cmdPlay(0)", "cmdPlay(1)"}));
    // After "E" the cycle starts again at btnFocus.
    pressOnFocus(Qt::Key_Tab);
    EXPECT_EQ(focused(), widget(kFocus));
    pressOnFocus(Qt::Key_Tab);
    EXPECT_EQ(focused(), widget(slot(0)));
    EXPECT_EQ(title(), countTitle(0));  // moving the focus plays nothing
}

TEST_F(Focus, DisabledSlotsArePassedOver) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('D', 4)});
    click(slot(0));  // H 7: H 2 and S 7 follow it; D 4, C 9 and DK do not
    ASSERT_EQ(groundText(), "H 7");
    ASSERT_EQ(slotText(0), "D 4");
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        pressOnFocus(Qt::Key_Tab);
        visited.append(focused()->objectName());
    }
    EXPECT_EQ(visited, (QStringList{"btnCard(1)", "btnCard(2)", "cmdPlay(0)", "cmdPlay(1)"}));
    pressOnFocus(Qt::Key_Tab);
    EXPECT_EQ(focused(), widget(kFocus));
}

TEST_F(Focus, ClickingTheGroundButtonLeavesTheFocusOnTheOffScreenButton) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('D', 4)});
    click(slot(0));
    click(kGround);
    EXPECT_EQ(focused(), widget(kFocus));
    EXPECT_EQ(groundText(), "H 7");
    EXPECT_EQ(title(), countTitle(1));
}

TEST_F(Focus, EveryClickParksTheFocusOnTheOffScreenButton) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    willDraw({card('D', 4)});
    click(slot(0));
    EXPECT_EQ(focused(), widget(kFocus));
    willDraw({card('S', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    click(command(0));
    EXPECT_EQ(focused(), widget(kFocus));
    // Space on the off-screen button does nothing to the game.
    pressOnFocus(Qt::Key_Space);
    EXPECT_EQ(focused(), widget(kFocus));
    EXPECT_EQ(slotText(0), "SA");
    EXPECT_EQ(groundText(), "");
}

TEST_F(Focus, LabelsTakeNoFocus) {
    startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    for (int n = 0; n <= 52; ++n) {
        EXPECT_EQ(gridLabel(n)->focusPolicy(), Qt::NoFocus) << n;
    }
    QTest::mouseClick(gridLabel(1), Qt::LeftButton);
    QTest::mouseClick(label(header(0)), Qt::LeftButton);
    EXPECT_EQ(focused(), widget(kFocus));
}

}  // namespace
}  // namespace vop::test
