// The game in its Qt window: what the Linux program runs, and what the tests of the
// program run in their own process.
#pragma once

#include "base/random_source.h"

namespace vop {

// Shows frmVop and delivers events until "E" or the closed window ends the game;
// returns the process's exit status. The Qt application must be open.
int runVop(RandomSource& random);

}  // namespace vop
