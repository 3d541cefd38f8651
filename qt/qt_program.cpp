// Starting the Qt application and running the game in it.
#include "qt/qt_program.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "qt/qt_conversions.h"

namespace vop {

namespace {

bool isSet(const char* name) {
    return !qEnvironmentVariableIsEmpty(name);
}

// What Qt says while the platform opens, held back until we know whether it failed.
std::vector<std::pair<QtMsgType, QString>>& heldMessages() {
    static std::vector<std::pair<QtMsgType, QString>> held;
    return held;
}

// The program's name as it was started, which its lines on stderr begin with.
char programShortName[256] = "";

void holdMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        std::fprintf(stderr,
                     "%s: cannot open the display (QT_QPA_PLATFORM=%s DISPLAY=%s "
                     "WAYLAND_DISPLAY=%s)\n",
                     programShortName, platform.constData(), display.constData(),
                     wayland.constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    heldMessages().emplace_back(type, message);
}

}  // namespace

bool displayConfigured() {
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

std::unique_ptr<QApplication> openApplication(const char* programName, const char* appId) {
    // QApplication keeps these for as long as it lives.
    static char name[256];
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    std::snprintf(name, sizeof name, "%s", programName != nullptr ? programName : "");
    const char* slash = std::strrchr(name, '/');
    std::snprintf(programShortName, sizeof programShortName, "%s",
                  slash != nullptr ? slash + 1 : name);
    const QtMessageHandler previous = qInstallMessageHandler(&holdMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    // The platform opened after all: whatever Qt said meanwhile goes out as usual.
    for (const auto& [type, message] : heldMessages()) {
        const QMessageLogContext context;
        if (previous != nullptr) {
            previous(type, context, message);
        } else {
            qt_message_output(type, context, message);
        }
    }
    heldMessages().clear();
    identifyApplication(appId);
    return app;
}

void identifyApplication(const char* appId) {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(appId));
    QGuiApplication::setWindowIcon(windowIcon());
}

}  // namespace vop
