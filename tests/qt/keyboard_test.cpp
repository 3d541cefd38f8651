// The keyboard on the Qt window beyond what every backend does alike: Shift+Tab as each
// platform delivers it, keypad Enter, Enter with Ctrl or Alt, no default button, the
// focus mark, and keys pressed with CapsLock or NumLock on.
#include <QKeyEvent>

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

// X11 delivers Shift+Tab as Backtab, as the shared scenarios press it; other platforms
// deliver Tab with Shift, which walks the cycle backwards too.
TEST_F(Keyboard, TabWithShiftWalksTheCycleBackwards) {
    ASSERT_EQ(focused(), widget(kFocus));
    EXPECT_EQ(visitWith(Qt::Key_Tab, Qt::ShiftModifier, 3),
              (QStringList{"cmdPlay(1)", "cmdPlay(0)", "btnCard(4)"}));
    EXPECT_EQ(title(), countTitle(0));
}

TEST_F(Keyboard, KeypadEnterPlaysTheFocusedSlot) {
    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(slot(0)));
    willDraw({card('S', 1)});
    QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(groundText(), "H 7");
    EXPECT_EQ(title(), countTitle(1));
    EXPECT_EQ(focused(), widget(kFocus));
}

TEST_F(Keyboard, NoButtonIsTheWindowsDefaultButton) {
    for (ControlId id :
         {kFocus, kGround, command(0), command(1), slot(0), slot(1), slot(2), slot(3), slot(4)}) {
        EXPECT_FALSE(button(id)->isDefault()) << button(id)->objectName().toStdString();
        EXPECT_FALSE(button(id)->autoDefault()) << button(id)->objectName().toStdString();
    }
}

TEST_F(Keyboard, ControlOrAltWithEnterIsNotAPlay) {
    pressOnFocus(Qt::Key_Tab);
    ASSERT_EQ(focused(), widget(slot(0)));
    QTest::keyClick(focused(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(focused(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(title(), countTitle(0));
    EXPECT_EQ(focused(), widget(slot(0)));
}

TEST_F(Keyboard, EAnswersTheKeyboard) {
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

}  // namespace
}  // namespace vop::test
