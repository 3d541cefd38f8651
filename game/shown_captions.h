// Every caption the game can show on its window, for a window that draws its own letters
// to check, before it ships, that it has a glyph for each.
#pragma once

#include <vector>

#include "base/text.h"

namespace vop {

struct ShownCaption {
    double points = 0;  // the font's size; 0: the window's own button font
    Text caption;
};

// The captions of the design-time controls inside the client area (the focus's parking
// button lies outside it and shows nothing), the grid's ranks, the window's count for
// every number of cards played, every card's name, the box's text and its title.
std::vector<ShownCaption> shownCaptions();

}  // namespace vop
