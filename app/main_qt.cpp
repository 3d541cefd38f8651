// vop: the game on Linux, in a Qt 6 window.
#include <cstdio>

#include "app/qt_game.h"
#include "base/random_source.h"
#include "qt/qt_program.h"

int main(int /*argc*/, char** argv) {
    if (!vop::displayConfigured()) {
        std::fputs("vop: no display: set DISPLAY or WAYLAND_DISPLAY\n", stderr);
        return 1;
    }
    const auto app = vop::openApplication(argv[0], VOP_APP_ID);
    vop::ClockRandom random;
    return vop::runVop(random);
}
