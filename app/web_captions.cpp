// Prints every caption the game can show, one a line: its font size in points (0: the
// window's own button font), a tab, the caption in UTF-8. The site's build checks them
// against the page's pixel fonts (web_glyphs.js).
#include <cstdio>

#include "game/shown_captions.h"

int main() {
    for (const vop::ShownCaption& shown : vop::shownCaptions()) {
        std::printf("%g\t%s\n", shown.points, vop::toUtf8(shown.caption).c_str());
    }
    return 0;
}
