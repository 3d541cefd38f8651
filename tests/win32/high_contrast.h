// A high-contrast scheme for this process, as Windows reports it to a program when the
// player turns high contrast on: SPI_GETHIGHCONTRAST says so (Wine never does, so this
// program's own call is answered), and the system colours are the scheme's.
#pragma once

#include <windows.h>

#include <array>

namespace vop::test {

class PretendHighContrast {
  public:
    // Turns it on, as the player does while the program runs: the colours change and
    // top-level windows hear WM_SYSCOLORCHANGE.
    PretendHighContrast();
    // Turns it off again, with the colours as they were.
    ~PretendHighContrast();
    PretendHighContrast(const PretendHighContrast&) = delete;
    PretendHighContrast& operator=(const PretendHighContrast&) = delete;

    // The scheme's elements: white text on black, the highlight cyan with black text,
    // greyed text green, as Windows' "High Contrast Black" has them.
    static constexpr std::array<int, 11> kElements{
        COLOR_WINDOW,   COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
        COLOR_GRAYTEXT, COLOR_MENU,       COLOR_MENUTEXT,  COLOR_BTNFACE,
        COLOR_BTNTEXT,  COLOR_3DLIGHT,    COLOR_3DSHADOW};
    static constexpr std::array<COLORREF, 11> kColours{
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(26, 235, 255),  RGB(0, 0, 0),
        RGB(63, 242, 63),   RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(128, 128, 128)};

  private:
    std::array<COLORREF, kElements.size()> before_{};
};

}  // namespace vop::test
