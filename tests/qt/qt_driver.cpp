// The real Qt window as a backend of the conformance scenarios and the monkey. Input goes
// in through the window system (QTest on the window's QWindow), so the "Win" box holds
// the window behind it as it does for a player; everything is read back from the widgets.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>
#include <utility>

#include "qt/qt_form_runtime.h"
#include "support/driver.h"

namespace vop::test {
namespace {

// What exec() returns when the driver, not the program, ended the event loop.
constexpr int kGoesOn = -2;

// Counts the presses a window reports as the second of a double click.
class DoubleClicks final : public QObject {
  public:
    int seen = 0;

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        seen += event->type() == QEvent::MouseButtonDblClick ? 1 : 0;
        return false;
    }
};

std::pair<Qt::Key, Qt::KeyboardModifiers> qtKey(Key key) {
    switch (key) {
        case Key::Tab:
            return {Qt::Key_Tab, Qt::NoModifier};
        case Key::ShiftTab:
            return {Qt::Key_Backtab, Qt::ShiftModifier};  // as X11 delivers Shift+Tab
        case Key::Space:
            return {Qt::Key_Space, Qt::NoModifier};
        case Key::Enter:
            return {Qt::Key_Return, Qt::NoModifier};
        case Key::Escape:
            return {Qt::Key_Escape, Qt::NoModifier};
        case Key::Other:
            break;
    }
    return {Qt::Key_F5, Qt::NoModifier};
}

void pressOn(QWindow* window, Key key) {
    const auto [qt, modifiers] = qtKey(key);
    QTest::keyClick(window, qt, modifiers);
}

class QtDriver final : public Driver {
  public:
    explicit QtDriver(RandomSource& random) : Driver(random), runtime_(vopWindow(), random) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { lookForBox(); });
    }

    void start() override {
        runtime_.start(game_);
        handle()->installEventFilter(&doubleClicks_);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window()));
    }

    void click(ControlId id) override {
        if (const auto at = centre(id)) {
            lastClick_ = id;
            act([&] { QTest::mouseClick(handle(), Qt::LeftButton, {}, *at); });
        }
    }
    // QTest moves its clock on after each click so that clicks stay single; the second
    // press of a double click follows the first at once. After other input (the "Win" box
    // the first click opened) it is a click of its own.
    void secondClick(ControlId id) override {
        if (lastClick_ != id) {
            click(id);
            return;
        }
        const int before = doubleClicks_.seen;
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        click(id);
        EXPECT_EQ(doubleClicks_.seen, before + 1)
            << controlText(id) << ": the press did not arrive as a double click";
    }
    void dragOff(ControlId id) override {
        const auto at = centre(id);
        lastClick_.reset();
        if (!at) {
            return;
        }
        // Let go at the window's corner farthest from the control: no control spans it.
        const QPoint away(at->x() < window()->width() / 2 ? window()->width() - 2 : 1,
                          at->y() < window()->height() / 2 ? window()->height() - 2 : 1);
        act([&] {
            QTest::mousePress(handle(), Qt::LeftButton, {}, *at);
            QTest::mouseRelease(handle(), Qt::LeftButton, {}, away);
        });
    }
    void clickWith(ControlId id, Button button) override {
        lastClick_.reset();
        if (const auto at = centre(id)) {
            const Qt::MouseButton qt = button == Button::Right ? Qt::RightButton : Qt::MiddleButton;
            act([&] { QTest::mouseClick(handle(), qt, {}, *at); });
        }
    }
    // The background between the ground and the first slot; the frame, which is the
    // window system's: a press there reaches the window outside its client area.
    void clickOn(Spot spot) override {
        lastClick_.reset();
        const QPoint at = spot == Spot::Background ? QPoint(20, 16) : QPoint(60, -8);
        act([&] { QTest::mouseClick(handle(), Qt::LeftButton, {}, at); });
    }
    // Keys go where the window system sends them: to the active window.
    void press(Key key) override {
        act([&] {
            QWindow* active = QGuiApplication::focusWindow();
            pressOn(active != nullptr ? active : handle(), key);
        });
    }
    // As X11 repeats a held key: each repeat a release and a press marked as repeated.
    void hold(Key key, int repeats) override {
        const auto [qt, modifiers] = qtKey(key);
        const QString text = key == Key::Space ? QStringLiteral(" ") : QString();
        act([&, qt = qt, modifiers = modifiers] {
            const auto send = [&](QEvent::Type type, bool repeated) {
                QWindow* active = QGuiApplication::focusWindow();
                QKeyEvent event(type, qt, modifiers, text, repeated);
                QCoreApplication::sendEvent(active != nullptr ? active : handle(), &event);
            };
            send(QEvent::KeyPress, false);
            for (int i = 0; i < repeats; ++i) {
                send(QEvent::KeyRelease, true);
                send(QEvent::KeyPress, true);
            }
            send(QEvent::KeyRelease, false);
        });
    }
    // Every input posted to the window before the first is handled; the window takes them
    // in order, a box that one opens holding back the rest as the window system would.
    void burst(const std::vector<Input>& inputs) override {
        lastClick_.reset();
        act(
            [&] {
                for (const Input& input : inputs) {
                    if (input.isKey) {
                        postKey(input.key);
                    } else if (const auto at = centre(input.id)) {
                        postMouse(QEvent::MouseButtonPress, *at);
                        postMouse(QEvent::MouseButtonRelease, *at);
                    }
                }
            },
            true);
    }
    // The frame's close box. QWindow::close() has the platform window deliver the close
    // event the window manager's request delivers; but where a modal box holds the window,
    // Qt drops that request and lets this one through.
    void closeWindow() override {
        act([&] { handle()->close(); });
    }

    std::string title() const override { return handle()->title().toStdString(); }
    // A button's caption as it draws it; "&" stays itself there.
    std::string caption(ControlId id) const override {
        const FormButton* b = runtime_.button(id);
        return (b != nullptr ? b->caption() : labelShown(id).first).toStdString();
    }
    bool enabled(ControlId id) const override {
        const FormButton* b = runtime_.button(id);
        return b != nullptr ? b->isEnabled() : labelShown(id).second;
    }
    // The pixels the window paints there now: a label's own part, less the pixel it
    // shares with its right and lower neighbours.
    std::string look(ControlId id) const override {
        const QImage image = window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const PixelRect at = place(id);
        const QRect r =
            QRect(at.left, at.top, at.width - 1, at.height - 1).intersected(image.rect());
        Picture picture{r.width(), r.height(), {}};
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                picture.pixels.push_back(image.pixel(x, y) & 0xFFFFFFU);
            }
        }
        return lookOf(picture);
    }
    // A button where its widget is; a label where a screen reader finds it.
    PixelRect place(ControlId id) const override {
        QRect r;
        if (const QWidget* w = runtime_.widget(id)) {
            r = w->geometry();
        } else {
            const QRect global = runtime_.accessibleLabel(id)->rect();
            r = QRect(window()->mapFromGlobal(global.topLeft()), global.size());
        }
        return {r.x(), r.y(), r.width(), r.height()};
    }
    std::optional<ControlId> focus() const override {
        const QWidget* focused = QApplication::focusWidget();
        for (ControlId id : runtime_.controls()) {
            if (focused != nullptr && runtime_.widget(id) == focused) {
                return id;
            }
        }
        return std::nullopt;
    }
    std::string spokenName(ControlId id) const override { return spoken(id, QAccessible::Name); }
    std::string spokenDescription(ControlId id) const override {
        return spoken(id, QAccessible::Description);
    }
    // The program's event loop has ended with status 0 and the window is gone.
    bool ended() const override { return status_ == 0 && !window()->isVisible(); }

    const frmVop* game() const override { return &game_; }
    const FormRuntime* runtime() const override { return &runtime_; }

  private:
    FormWindow* window() const { return runtime_.window(); }
    QWindow* handle() const { return window()->windowHandle(); }

    // Every read of a label, what it shows and whether it is greyed, is here: the form
    // paints its labels, and a screen reader finds each as a child of the form.
    std::pair<QString, bool> labelShown(ControlId id) const {
        const QAccessibleInterface* label = runtime_.accessibleLabel(id);
        return {label->text(QAccessible::Value), !label->state().disabled};
    }

    std::string spoken(ControlId id, QAccessible::Text text) const {
        const QAccessibleInterface* reader = runtime_.accessibleLabel(id);
        if (reader == nullptr) {
            reader = QAccessible::queryAccessibleInterface(runtime_.widget(id));
        }
        return reader->text(text).toStdString();
    }

    // Where a click on the control lands, if the mouse can reach it: btnFocus lies
    // outside the window.
    std::optional<QPoint> centre(ControlId id) const {
        const PixelRect r = place(id);
        const QPoint at(r.left + r.width / 2, r.top + r.height / 2);
        return window()->rect().contains(at) ? std::optional(at) : std::nullopt;
    }

    void postMouse(QEvent::Type type, QPoint at) const {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(handle(), new QMouseEvent(type, at, window()->mapToGlobal(at),
                                                              Qt::LeftButton, held, {}));
    }
    void postKey(Key key) const {
        const auto [qt, modifiers] = qtKey(key);
        const QString text = key == Key::Space ? QStringLiteral(" ") : QString();
        QCoreApplication::postEvent(handle(), new QKeyEvent(QEvent::KeyPress, qt, modifiers, text));
        QCoreApplication::postEvent(handle(),
                                    new QKeyEvent(QEvent::KeyRelease, qt, modifiers, text));
    }

    // Input reaches the program inside its event loop, as in the program itself, so that
    // "E" ends the loop with the program's status. Behind an open box, the box's loop runs;
    // after the end, none does.
    // Queued input is handled in the loop after the call that posted it.
    void act(const std::function<void()>& input, bool queued = false) {
        if (inLoop_ || status_ == 0) {
            input();
            if (queued) {
                QCoreApplication::sendPostedEvents();
            }
            return;
        }
        inLoop_ = true;
        const auto goOn = [this] {
            if (!runtime_.ended()) {
                QCoreApplication::exit(kGoesOn);
            }
        };
        QTimer::singleShot(0, qApp, [&, goOn] {
            input();
            if (queued) {
                QMetaObject::invokeMethod(qApp, goOn, Qt::QueuedConnection);
            } else {
                goOn();
            }
        });
        poll_.start(0);
        status_ = QApplication::exec();
        poll_.stop();
        inLoop_ = false;
        // Once a box has closed, the game's window takes the keyboard back.
        if (status_ == kGoesOn) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window()));
        }
    }

    // The "Win" box, found while its own loop runs: shown to onBox, then closed.
    void lookForBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (inBox_ || box == nullptr || !box->isVisible()) {
            return;
        }
        inBox_ = true;
        // The box takes the keyboard once the window system has made it the active window.
        EXPECT_TRUE(QTest::qWaitFor(
            [box] { return QGuiApplication::focusWindow() == box->windowHandle(); }));
        const BoxClose way = boxOpened({box->windowTitle().toStdString(), box->text().toStdString(),
                                        static_cast<int>(box->buttons().size())});
        if (way == BoxClose::MouseOnOk) {
            const QWidget* ok = box->button(QMessageBox::Ok);
            QTest::mouseClick(box->windowHandle(), Qt::LeftButton, {},
                              ok->mapTo(box, ok->rect().center()));
        } else if (way == BoxClose::CloseWindow) {
            closeWindow();
        } else {
            pressOn(box->windowHandle(), way == BoxClose::Enter   ? Key::Enter
                                         : way == BoxClose::Space ? Key::Space
                                                                  : Key::Escape);
        }
        if (box->isVisible() && !runtime_.ended()) {
            ADD_FAILURE() << "the box is still open";
            box->reject();  // or the action would never return
        }
        lastClick_.reset();  // a press after the box is no second press of one before it
        inBox_ = false;
    }

    QtFormRuntime runtime_;
    frmVop game_{runtime_};
    QTimer poll_;
    DoubleClicks doubleClicks_;
    std::optional<ControlId> lastClick_;  // the last mouse input, if a click on a control
    int status_ = kGoesOn;
    bool inLoop_ = false;
    bool inBox_ = false;
};

}  // namespace

std::unique_ptr<Driver> makeDriver(RandomSource& random) {
    return std::make_unique<QtDriver>(random);
}

}  // namespace vop::test
