// The Linux program around the Qt window: finding a display, opening the
// application, and running the game until it ends.
#pragma once

#include <QApplication>
#include <memory>

namespace vop {

// True when Qt has somewhere to show the window: a platform chosen in
// QT_QPA_PLATFORM, an X display in DISPLAY or a Wayland one in WAYLAND_DISPLAY.
bool displayConfigured();

// Tells the desktop which installed entry the program is, by the application id its
// desktop entry is named after: Wayland shells match the window to its entry, name and
// icon by it. The window title stays the game's caption alone: no display name is set,
// which Qt would append to it.
void identifyApplication(const char* appId);

// Opens the Qt application and identifies it. The game takes no command line: Qt is
// given the program's name alone, so that no option of Qt's (-qwindowtitle, -style,
// -reverse ...) changes the window; the environment works as for every Qt program.
// When the display cannot be opened, prints one line on stderr and ends the process
// with status 1 instead of Qt's abort.
std::unique_ptr<QApplication> openApplication(const char* programName, const char* appId);

}  // namespace vop
