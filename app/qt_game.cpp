// The game wired to the Qt window.
#include "app/qt_game.h"

#include <QApplication>

#include "game/frm_vop.h"
#include "qt/qt_form_runtime.h"

namespace vop {

int runVop(RandomSource& random) {
    QtFormRuntime runtime(vopWindow(), random);
    frmVop game(runtime);
    runtime.start(game);
    if (runtime.ended()) {
        return 0;
    }
    return QApplication::exec();
}

}  // namespace vop
