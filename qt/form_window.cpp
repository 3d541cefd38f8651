// The top-level window of the game.
#include "qt/form_window.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vop {

FormWindow::FormWindow() {
    setAutoFillBackground(true);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClose) {
        onClose();
    }
}

void FormWindow::paintEvent(QPaintEvent* event) {
    if (paintForm) {
        QPainter painter(this);
        paintForm(painter, event->region());
    }
}

}  // namespace vop
