// The top-level window of the game.
#include "window/qt/form_window.h"

#include <QCloseEvent>

namespace vop {

FormWindow::FormWindow() {
    setObjectName("frmVop");
    setAutoFillBackground(true);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onClose) {
        onClose();
    }
}

}  // namespace vop
