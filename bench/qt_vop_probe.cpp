// The Linux program as it starts for the player, ended at its first painted frame.
#include "app/qt_game.h"
#include "qt_first_paint.h"
#include "window/qt/qt_program.h"
#include "window/random_source.h"

int main(int /*argc*/, char** argv) {
    const auto app = vop::openApplication(argv[0]);
    vop::bench::FirstPaintExit probe;
    app->installEventFilter(&probe);
    vop::ClockRandom random;
    return vop::runVop(random);
}
