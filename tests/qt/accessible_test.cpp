// What a screen reader finds on the real widgets beyond the words every backend says
// alike: what kind of control each is, and that a greyed one is disabled.
#include <QAccessible>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class Accessible : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    }
};

TEST_F(Accessible, ButtonsAreButtonsAndLabelsAreText) {
    for (ControlId id : {slot(0), slot(4), command(0), command(1), kGround}) {
        EXPECT_EQ(reader(id)->role(), QAccessible::Button) << controlText(id);
    }
    // Where the focus parks tells the table: nothing to press there.
    EXPECT_EQ(reader(kFocus)->role(), QAccessible::StatusBar);
    const QAccessibleActionInterface* actions = reader(kFocus)->actionInterface();
    EXPECT_TRUE(actions == nullptr ||
                !actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(reader(header(s))->role(), QAccessible::StaticText) << s;
    }
    // The labels, which the form paints, are children of the form's own object.
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window());
    for (int n = 1; n <= 52; ++n) {
        EXPECT_EQ(reader(grid(n))->role(), QAccessible::StaticText) << n;
        const int index = form->indexOfChild(reader(grid(n)));
        ASSERT_GE(index, 0) << n;
        EXPECT_EQ(form->child(index), reader(grid(n)));
        EXPECT_EQ(reader(grid(n))->parent(), form);
    }
    EXPECT_GE(form->childCount(), 9 + 57);
}

TEST_F(Accessible, AGreyedSlotOrLabelIsSaidToBeDisabled) {
    willDraw({card('D', 4)});
    click(slot(0));  // H 7 goes to the ground, D 4 fills its slot and cannot follow it
    EXPECT_TRUE(reader(slot(0))->state().disabled);
    EXPECT_FALSE(reader(slot(1))->state().disabled);
    EXPECT_TRUE(reader(grid(card('H', 7)))->state().disabled);
    EXPECT_FALSE(reader(grid(card('D', 4)))->state().disabled);
}

}  // namespace
}  // namespace vop::test
