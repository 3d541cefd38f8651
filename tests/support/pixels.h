// How a control looks to the player, judged from the pixels a window drew: the same
// judge for every backend, so that "red" means the same red on each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vop::test {

// Pixels as a window drew them, row by row, each 0xRRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// What the picture of a label (or any caption) shows: its ink is what differs from its
// background, the colour most of its pixels have. Ink in a clear blue is "blue", in a
// clear red "red"; ink of no clear colour is "grey", as the disabled look draws it; no
// ink at all is "blank"; ink of both colours is "mixed".
std::string lookOf(const Picture& picture);

// How many of the picture's pixels are ink in exactly the colour given: a letter drawn
// crisp has some; one smeared over pixel edges by anti-aliasing has none.
int pixelsOf(const Picture& picture, std::uint32_t colour);

}  // namespace vop::test
