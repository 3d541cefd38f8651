// The game's window as a player who chose a high-contrast scheme sees it, for
// scripts/screenshot-win32.sh: vop.exe's program with the scheme on from the start.
#include <windows.h>

#include "base/random_source.h"
#include "game/frm_vop.h"
#include "high_contrast.h"
#include "win32/win32_runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
    const vop::test::PretendHighContrast contrast;
    vop::ClockRandom random;
    vop::Win32Runtime runtime(vop::vopWindow(), random, instance, showCommand);
    vop::frmVop game(runtime);
    runtime.start(game);
    return runtime.run();
}
