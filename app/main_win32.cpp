// vop.exe: the game on its Windows window, driven by the Windows message loop.
#include <windows.h>

#include "base/random_source.h"
#include "game/frm_vop.h"
#include "win32/win32_runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    vop::ClockRandom random;
    vop::Win32Runtime runtime(vop::vopWindow(), random, instance, showCommand);
    vop::frmVop game(runtime);
    runtime.start(game);
    return runtime.run();
}
