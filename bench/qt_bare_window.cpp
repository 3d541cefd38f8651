// The baseline: a bare Qt window of Vop's size that ends at its first painted frame.
#include <QApplication>
#include <QWidget>

#include "qt_first_paint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vop::bench::FirstPaintExit probe;
    app.installEventFilter(&probe);
    QWidget window;
    window.setFixedSize(120, 63);
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    return QApplication::exec();
}
