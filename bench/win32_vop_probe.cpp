// vop.exe as it starts for the player, ended at its first painted frame.
#include "game/frm_vop.h"
#include "win32_first_paint.h"
#include "window/random_source.h"
#include "window/win32/win32_runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    vop::ClockRandom random;
    vop::Win32Runtime runtime(vop::vopWindow(), random, instance, showCommand);
    vop::frmVop game(runtime);
    runtime.start(game);
    vop::bench::runUntilPainted([&](MSG& msg) { runtime.dispatch(msg); });
}
