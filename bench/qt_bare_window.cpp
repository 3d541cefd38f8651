// The baseline: a bare Qt window of Vop's client size, open until it is ended.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(120, 63);
    window.setWindowTitle(QStringLiteral("bare"));
    window.show();
    return QApplication::exec();
}
