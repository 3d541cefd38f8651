// The monkey's hands: mouse and keys delivered to a window as the window system delivers
// them, or queued faster than the program handles them; and a watch on every input that
// lets the walk check the game between any two of them.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPoint>
#include <QWindow>
#include <functional>

namespace vop::monkey {

// One press of a key, as the player makes it.
struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// The keys the monkey presses. X11 delivers Shift+Tab as Backtab; other platforms as Tab
// with Shift: both are here. Enter is the keypad's.
inline constexpr Key kKeys[] = {
    {Qt::Key_Tab, Qt::NoModifier},    {Qt::Key_Backtab, Qt::ShiftModifier},
    {Qt::Key_Tab, Qt::ShiftModifier}, {Qt::Key_Space, Qt::NoModifier},
    {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier},
    {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_Left, Qt::NoModifier},
    {Qt::Key_Right, Qt::NoModifier},  {Qt::Key_Up, Qt::NoModifier},
    {Qt::Key_Down, Qt::NoModifier},
};

// True for the keys that press the focused button.
bool activates(Key key);
bool isTab(Key key);

// Through the window system, each handled before it returns.
void clickAt(QWindow* window, QPoint p, Qt::MouseButton button = Qt::LeftButton);
void doubleClickAt(QWindow* window, QPoint p);
// Pressed at one place and let go at another, perhaps outside the window: the button
// pressed keeps the mouse until it is let go.
void dragFromTo(QWindow* window, QPoint from, QPoint to);
void press(QWindow* window, Key key);

// Queued on the window without handling any of them; the caller then lets the program
// handle them all at once, as after a busy moment.
void queueClicks(QWindow* window, QPoint p, int count);
void queueKeys(QWindow* window, Key key, int count);
// A key held down: the first press, `repeats` automatic repeats, then the release.
void queueHeldKey(QWindow* window, Key key, int repeats);
void handleQueued();

// Calls `beforeInput` before a window receives any mouse button or key event, and
// `boxShown` when a message box has just been shown (its modal loop starts next).
class InputWatch final : public QObject {
  public:
    InputWatch(std::function<void()> beforeInput, std::function<void(QMessageBox*)> boxShown);
    ~InputWatch() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void()> beforeInput_;
    std::function<void(QMessageBox*)> boxShown_;
};

}  // namespace vop::monkey
