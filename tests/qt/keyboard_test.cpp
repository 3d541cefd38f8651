// The game without a mouse: Tab and Shift+Tab, Space and Enter, the focus mark, and
// keys pressed with CapsLock or NumLock on.
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include "qt_fixture.h"

namespace vop::test {
namespace {

// What an X server adds to every key while CapsLock (Lock) and NumLock (Mod2) are on.
constexpr quint32 kCapsLockMask = 0x02;
constexpr quint32 kNumLockMask = 0x10;

// Presses and releases a key on the focused widget as the window system delivers it,
// lock state included.
void pressWithLocks(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    const quint32 locks = kCapsLockMask | kNumLockMask;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, 0, 0, locks, text);
    QApplication::sendEvent(target, &press);
    target = QApplication::focusWidget();
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, 0, 0, locks, text);
    QApplication::sendEvent(target, &release);
}

class Keyboard : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    }
    QStringList visitWith(Qt::Key key, Qt::KeyboardModifiers modifiers, int steps) {
        QStringList visited;
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(focused(), key, modifiers);
            visited.append(focused()->objectName());
        }
        return visited;
    }
};

TEST_F(Keyboard, ShiftTabWalksTheCycleBackwardsFromTheFocusButton) {
    ASSERT_EQ(focused(), widget(kFocus));
    // X11 delivers Shift+Tab as Backtab; other platforms as Tab with Shift.
    EXPECT_EQ(visitWith(Qt::Key_Backtab, Qt::ShiftModifier, 8),
              (QStringList{"cmdPlay(1)", "cmdPlay(0)", "btnCard(4)", "btnCard(3)", "btnCard(2)",
                           "btnCard(1)", "btnCard(0)", "btnFocus"}));
    EXPECT_EQ(visitWith(Qt::Key_Tab, Qt::ShiftModifier, 2),
              (QStringList{"cmdPlay(1)", "cmdPlay(0)"}));
    EXPECT_EQ(title(), countTitle(0));
}

TEST_F(Keyboard, ShiftTabPassesOverDisabledSlots) {
    willDraw({card('D', 4)});
    click(slot(0));  // H 7 on the ground: only H 2 and S 7 can follow
    ASSERT_EQ(slotStates(), (QList<bool>{false, true, true, false, false}));
    EXPECT_EQ(visitWith(Qt::Key_Backtab, Qt::ShiftModifier, 5),
              (QStringList{"cmdPlay(1)", "cmdPlay(0)", "btnCard(2)", "btnCard(1)", "btnFocus"}));
}

TEST_F(Keyboard, ReturnAndKeypadEnterPlayTheFocusedSlot) {
    pressOnFocus(Qt::Key_Tab);
    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(slot(1)));
    willDraw({card('H', 4)});
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(groundText(), "H 2");
    EXPECT_EQ(slotTexts(), (QStringList{"H 7", "H 4", "S 7", "C 9", "DK"}));
    EXPECT_EQ(focused(), widget(kFocus));

    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(slot(0)));
    willDraw({card('S', 1)});
    QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(groundText(), "H 7");
    EXPECT_EQ(title(), countTitle(2));
}

TEST_F(Keyboard, NoButtonIsTheWindowsDefaultButton) {
    for (ControlId id :
         {kFocus, kGround, command(0), command(1), slot(0), slot(1), slot(2), slot(3), slot(4)}) {
        EXPECT_FALSE(button(id)->isDefault()) << button(id)->objectName().toStdString();
        EXPECT_FALSE(button(id)->autoDefault()) << button(id)->objectName().toStdString();
    }
    // Enter with the focus parked plays nothing and deals nothing.
    QTest::keyClick(focused(), Qt::Key_Return);
    QTest::keyClick(window(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(title(), countTitle(0));
    EXPECT_EQ(slotTexts(), (QStringList{"H 7", "H 2", "S 7", "C 9", "DK"}));
    EXPECT_EQ(groundText(), "");
}

TEST_F(Keyboard, ControlOrAltWithEnterIsNotAPlay) {
    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(slot(0)));
    QTest::keyClick(focused(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(focused(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(title(), countTitle(0));
    EXPECT_EQ(focused(), widget(slot(0)));
}

TEST_F(Keyboard, NAndEAnswerTheKeyboard) {
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), widget(command(0)));
    willDraw({card('S', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(slotTexts(), (QStringList{"SA", "S 2", "S 3", "S 4", "S 5"}));
    EXPECT_EQ(focused(), widget(kFocus));

    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), widget(command(1)));
    QTest::keyClick(focused(), Qt::Key_Space);
    EXPECT_TRUE(runtime.ended());
    EXPECT_FALSE(window()->isVisible());
}

TEST_F(Keyboard, CapsLockAndNumLockChangeNothing) {
    pressWithLocks(Qt::Key_Tab, Qt::NoModifier, "\t");
    pressWithLocks(Qt::Key_Tab, Qt::NoModifier, "\t");
    ASSERT_EQ(focused(), widget(slot(1)));
    pressWithLocks(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focused(), widget(slot(0)));
    willDraw({card('H', 4)});
    pressWithLocks(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(groundText(), "H 7");
    ASSERT_EQ(focused(), widget(kFocus));

    pressWithLocks(Qt::Key_Tab, Qt::NoModifier, "\t");
    ASSERT_EQ(focused(), widget(slot(0)));
    willDraw({card('S', 1)});
    pressWithLocks(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(groundText(), "H 4");

    pressWithLocks(Qt::Key_Tab, Qt::NoModifier, "\t");
    ASSERT_EQ(focused(), widget(slot(1)));
    willDraw({card('D', 2)});
    pressWithLocks(Qt::Key_Enter, Qt::KeypadModifier, "\r");  // keypad Enter with NumLock on
    EXPECT_EQ(groundText(), "H 2");
    EXPECT_EQ(title(), countTitle(3));
}

// The button as the player sees it, in device pixels.
QImage look(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(Keyboard, TheFocusMarkShowsOnEveryVisibleButton) {
    const ControlId visible[] = {slot(0), slot(1),    slot(2),   slot(3),
                                 slot(4), command(0), command(1)};
    std::vector<QImage> unfocused;
    for (ControlId id : visible) {
        unfocused.push_back(look(widget(id)));
    }
    for (std::size_t i = 0; i < std::size(visible); ++i) {
        pressOnFocus(Qt::Key_Tab);
        QWidget* w = widget(visible[i]);
        ASSERT_EQ(focused(), w);
        const QImage focusedLook = look(w);
        ASSERT_EQ(focusedLook.size(), unfocused[i].size());
        // A mark, not a stray pixel: at least a line along one side of the button.
        EXPECT_GE(differingPixels(focusedLook, unfocused[i]), 12) << w->objectName().toStdString();
    }
    // Back on btnFocus, the visible buttons look as they did before.
    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(kFocus));
    for (std::size_t i = 0; i < std::size(visible); ++i) {
        EXPECT_EQ(differingPixels(look(widget(visible[i])), unfocused[i]), 0) << i;
    }
}

// Closes the "Win" box with the keyboard as soon as it shows; counts the boxes seen.
class WinBoxByKey {
  public:
    WinBoxByKey() {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                if (deadline_.hasExpired()) {
                    poll_.stop();
                }
                return;
            }
            texts.append(box->text());
            QTest::keyClick(box, Qt::Key_Return);
        });
        poll_.start();
    }
    QStringList texts;

  private:
    QTimer poll_;
    QDeadlineTimer deadline_{30000};
};

TEST_F(ChainOnQt, AGameIsWonByKeyboardAlone) {
    const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
    // Each play parks the focus on btnFocus; Tab then reaches the first playable slot,
    // which here is always slot 0 until the deck runs out.
    for (int j = 1; j <= 47; ++j) {
        ASSERT_EQ(focused(), widget(kFocus)) << j;
        pressOnFocus(Qt::Key_Tab);
        ASSERT_EQ(focused(), widget(slot(0))) << j;
        QTest::keyClick(focused(), keys[j % 3]);
        ASSERT_EQ(title(), countTitle(j));
    }
    // The last five cards: Tab on to each slot in turn (emptied slots stay in the cycle
    // while their old card follows the ground) and play it.
    const auto tabTo = [this](ControlId target) {
        for (int presses = 0; presses < 8 && focused() != widget(target); ++presses) {
            pressOnFocus(Qt::Key_Tab);
        }
        return focused() == widget(target);
    };
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(tabTo(slot(i))) << i;
        QTest::keyClick(focused(), keys[i % 3]);
        ASSERT_EQ(slotText(i), "") << i;
    }
    ASSERT_EQ(title(), countTitle(51));

    willDraw({card('H', 1), card('S', 2), card('C', 9), card('D', 3), card('H', 5)});
    ASSERT_TRUE(tabTo(slot(4)));
    {
        WinBoxByKey closer;
        QTest::keyClick(focused(), Qt::Key_Return);  // CA, the last card: returns once closed
        EXPECT_EQ(closer.texts, QStringList{"Win"});
    }
    EXPECT_EQ(title(), countTitle(0));
    EXPECT_EQ(groundText(), "CA");
    EXPECT_EQ(slotTexts(), (QStringList{"HA", "S 2", "C 9", "D 3", "H 5"}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    EXPECT_EQ(focused(), widget(kFocus));
    // The new hand goes on by keyboard too: HA follows the ace on the ground.
    pressOnFocus(Qt::Key_Tab);
    EXPECT_EQ(focused(), widget(slot(0)));
}

}  // namespace
}  // namespace vop::test
