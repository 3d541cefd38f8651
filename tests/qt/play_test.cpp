// Playing the game with the mouse and the keyboard on the real widgets, from the
// first deal to the "Win" box.
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTimer>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class Play : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    }
};

TEST_F(Play, MouseClickOnAnEnabledSlotPlaysIt) {
    willDraw({card('H', 4)});
    click(slot(0));
    EXPECT_EQ(title(), countTitle(1));
    EXPECT_EQ(groundText(), "H 7");
    EXPECT_EQ(slotTexts(), (QStringList{"H 4", "H 2", "S 7", "C 9", "DK"}));
    EXPECT_EQ(slotStates(), (QList<bool>{true, true, true, false, false}));
    EXPECT_FALSE(gridLabel(card('H', 7))->isEnabled());
    EXPECT_EQ(textColor(card('H', 4)), QColor(255, 0, 0));
    EXPECT_EQ(focused(), widget(kFocus));
}

TEST_F(Play, SpaceOnAFocusedSlotPlaysIt) {
    pressOnFocus(Qt::Key_Tab);
    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(slot(1)));
    willDraw({card('S', 3)});
    pressOnFocus(Qt::Key_Space);
    EXPECT_EQ(title(), countTitle(1));
    EXPECT_EQ(groundText(), "H 2");
    EXPECT_EQ(slotTexts(), (QStringList{"H 7", "S 3", "S 7", "C 9", "DK"}));
    EXPECT_EQ(slotStates(), (QList<bool>{true, false, false, false, false}));
    EXPECT_EQ(focused(), widget(kFocus));
}

TEST_F(Play, ADisabledSlotCannotBePlayedByMouseOrKeyboard) {
    willDraw({card('D', 4)});
    click(slot(0));
    ASSERT_FALSE(slotEnabled(3));
    const QStringList before = slotTexts();

    click(slot(3));
    QTest::keyClick(widget(slot(3)), Qt::Key_Space);
    widget(slot(3))->setFocus();
    EXPECT_EQ(focused(), widget(kFocus));
    pressOnFocus(Qt::Key_Space);

    EXPECT_EQ(title(), countTitle(1));
    EXPECT_EQ(groundText(), "H 7");
    EXPECT_EQ(slotTexts(), before);
    EXPECT_TRUE(gridLabel(card('C', 9))->isEnabled());
}

TEST_F(Play, NDealsANewGameInTheMiddleOfOne) {
    willDraw({card('H', 4), card('S', 2)});
    click(slot(0));
    click(slot(0));
    ASSERT_EQ(title(), countTitle(2));
    willDraw({card('H', 7), card('C', 1), card('C', 2), card('C', 3), card('C', 4)});
    click(command(0));
    EXPECT_EQ(title(), countTitle(0));
    EXPECT_EQ(groundText(), "");
    EXPECT_EQ(slotTexts(), (QStringList{"H 7", "CA", "C 2", "C 3", "C 4"}));
    EXPECT_EQ(slotStates(), (QList<bool>{true, true, true, true, true}));
    int red = 0;
    for (int n = 1; n <= 52; ++n) {
        EXPECT_TRUE(gridLabel(n)->isEnabled()) << n;
        red += textColor(n) == QColor(255, 0, 0) ? 1 : 0;
    }
    EXPECT_EQ(red, 5);
}

// What the player saw while the "Win" box was open.
struct WinBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Question;
    QList<QAbstractButton*> buttons;
    bool okButton = false;
    bool modal = false;
    QString behind;
    QString behindAfterClick;
};

TEST_F(ChainOnQt, WinShowsOneModalBoxThenDealsAgainstTheWinningCard) {
    drainDeck();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(slotEnabled(i)) << i;
        click(slot(i));
    }
    ASSERT_EQ(title(), countTitle(51));

    std::vector<WinBox> seen;
    QTimer poll;
    poll.setInterval(5);
    const QDeadlineTimer deadline(30000);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            if (deadline.hasExpired()) {
                poll.stop();
            }
            return;
        }
        WinBox shown{box->windowTitle(),
                     box->text(),
                     box->icon(),
                     box->buttons(),
                     box->button(QMessageBox::Ok) != nullptr,
                     box->isModal() && box->windowModality() != Qt::NonModal,
                     title(),
                     {}};
        // A click on the window, as the window system delivers it, is held back by the box.
        QTest::mouseClick(window()->windowHandle(), Qt::LeftButton, {},
                          widget(command(0))->geometry().center());
        shown.behindAfterClick = title();
        seen.push_back(shown);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    poll.start();
    willDraw({card('H', 1), card('S', 2), card('C', 9), card('D', 3), card('H', 5)});
    click(slot(4));  // CA, the last card: returns once the box is closed
    poll.stop();

    ASSERT_EQ(seen.size(), 1U);
    EXPECT_EQ(seen[0].title, "Vop");
    EXPECT_EQ(seen[0].text, "Win");
    EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen[0].buttons.size(), 1);
    EXPECT_TRUE(seen[0].okButton);
    EXPECT_TRUE(seen[0].modal);
    EXPECT_EQ(seen[0].behind, countTitle(52));
    EXPECT_EQ(seen[0].behindAfterClick, countTitle(52));  // "N" did not deal

    EXPECT_EQ(title(), countTitle(0));
    EXPECT_EQ(groundText(), "CA");
    EXPECT_EQ(slotTexts(), (QStringList{"HA", "S 2", "C 9", "D 3", "H 5"}));
    const QList<bool> follows{true, false, true, false, false};  // HA and C 9 follow CA
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slotEnabled(i), follows[i]) << i;
    }
    EXPECT_FALSE(gridLabel(card('C', 1))->isEnabled());
    EXPECT_EQ(textColor(card('C', 1)), QColor(0, 0, 255));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));  // back from the box
    EXPECT_EQ(focused(), widget(kFocus));
}

// Closing the window behind the "Win" box ends the program: no new deal follows.
TEST_F(ChainOnQt, ClosingTheWindowBehindWinEndsTheGame) {
    drainDeck();
    for (int i = 0; i < 4; ++i) {
        click(slot(i));
    }
    QTimer::singleShot(50, window(), [this] { window()->close(); });
    willDraw({1, 2, 3, 4, 5});
    click(slot(4));  // the last card: "Win", and the window is closed behind it
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(random.left(), 5U) << "a new game was dealt after the window closed";
    EXPECT_EQ(title(), countTitle(52));
}

}  // namespace
}  // namespace vop::test
