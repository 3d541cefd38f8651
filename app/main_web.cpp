// The game in the browser: the page starts it, and the page's events drive it from then on.
#include "base/random_source.h"
#include "game/frm_vop.h"
#include "web/web_runtime.h"

int main() {
    // They outlive main: the page goes on delivering events after it returns.
    static vop::ClockRandom random;
    static vop::WebRuntime runtime(vop::vopWindow(), random);
    static vop::frmVop game(runtime);
    runtime.start(game);
    return 0;
}
