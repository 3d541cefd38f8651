// Actions in the scenarios' words ("click btnCard(2)", "hold Enter 3", "burst click
// btnCard(0) press Tab"): how the browser tests' C++ tells the page's driver (driver.js)
// what the player does.
#pragma once

#include <string>

#include "support/monkey.h"
#include "support/scenario.h"

namespace vop::test {

// A CloseBox action reads "box-closes-by WAY".
std::string actionWords(const reliability::Action& action);

}  // namespace vop::test
