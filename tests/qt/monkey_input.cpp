// Mouse and keys for the monkey, delivered or queued.
#include "qt/monkey_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <utility>

namespace vop::monkey {

namespace {

QtMessageHandler previousHandler = nullptr;

// A release outside the window is what the monkey means to do; QTest's note about it
// would only bury the walk's own output.
void quietOutside(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("occurs outside target window"))) {
        return;
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

QString textOf(Key key) {
    switch (key.key) {
        case Qt::Key_Space:
            return QStringLiteral(" ");
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return QStringLiteral("\r");
        case Qt::Key_Tab:
            return QStringLiteral("\t");
        case Qt::Key_Escape:
            return QStringLiteral("\x1b");
        default:
            return {};
    }
}

void queueMouse(QWindow* window, QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
    const QPointF local(p);
    QCoreApplication::postEvent(
        window, new QMouseEvent(type, local, local, window->mapToGlobal(local), Qt::LeftButton,
                                buttons, Qt::NoModifier));
}

void queueKey(QWindow* window, QEvent::Type type, Key key, bool autoRepeat) {
    QCoreApplication::postEvent(
        window, new QKeyEvent(type, key.key, key.modifiers, textOf(key), autoRepeat));
}

}  // namespace

bool activates(Key key) {
    return key.key == Qt::Key_Space || key.key == Qt::Key_Return || key.key == Qt::Key_Enter;
}

bool isTab(Key key) {
    return key.key == Qt::Key_Tab || key.key == Qt::Key_Backtab;
}

void clickAt(QWindow* window, QPoint p, Qt::MouseButton button) {
    QTest::mouseClick(window, button, Qt::NoModifier, p);
}

void doubleClickAt(QWindow* window, QPoint p) {
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, p);
}

void dragFromTo(QWindow* window, QPoint from, QPoint to) {
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, from);
    previousHandler = qInstallMessageHandler(&quietOutside);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, to);
    qInstallMessageHandler(previousHandler);
}

void press(QWindow* window, Key key) {
    QTest::keyClick(window, key.key, key.modifiers);
}

void queueClicks(QWindow* window, QPoint p, int count) {
    for (int i = 0; i < count; ++i) {
        queueMouse(window, QEvent::MouseButtonPress, p, Qt::LeftButton);
        queueMouse(window, QEvent::MouseButtonRelease, p, Qt::NoButton);
    }
}

void queueKeys(QWindow* window, Key key, int count) {
    for (int i = 0; i < count; ++i) {
        queueKey(window, QEvent::KeyPress, key, false);
        queueKey(window, QEvent::KeyRelease, key, false);
    }
}

void queueHeldKey(QWindow* window, Key key, int repeats) {
    queueKey(window, QEvent::KeyPress, key, false);
    for (int i = 0; i < repeats; ++i) {
        queueKey(window, QEvent::KeyPress, key, true);
    }
    queueKey(window, QEvent::KeyRelease, key, false);
}

void handleQueued() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

InputWatch::InputWatch(std::function<void()> beforeInput,
                       std::function<void(QMessageBox*)> boxShown)
    : beforeInput_(std::move(beforeInput)), boxShown_(std::move(boxShown)) {
    QCoreApplication::instance()->installEventFilter(this);
}

InputWatch::~InputWatch() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Once, at the window; its widgets then get their share of the same input.
            if (watched->isWindowType()) {
                beforeInput_();
            }
            break;
        case QEvent::Show:
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                boxShown_(box);
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace vop::monkey
