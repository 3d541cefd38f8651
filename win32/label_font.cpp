// The LOGFONT of the grid and row-header labels.
#include "win32/label_font.h"

#include <algorithm>
#include <cmath>

namespace vop::win32 {

int fontHeight(double points, int dpiY) {
    const int hundredths = static_cast<int>(std::lround(points * 100.0));
    return -MulDiv(hundredths, dpiY, 72 * 100);
}

LOGFONTW labelLogFont(const FontDef& font, double points, int dpiY) {
    LOGFONTW lf{};
    lf.lfHeight = fontHeight(points, dpiY);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    // At 96 dpi the bitmap "Small Fonts" is drawn as designed, every pixel of a letter in
    // the label's own colour (where the system has the face only as an outline, smoothing
    // would leave a one-pixel stroke such as the J's a pale line); on a denser screen GDI
    // would only blow its bitmaps up, so an outline font is drawn at the screen's own
    // resolution instead.
    const bool dense = dpiY > USER_DEFAULT_SCREEN_DPI;
    lf.lfOutPrecision = dense ? OUT_TT_ONLY_PRECIS : OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = dense ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;  // a plain face like Small Fonts
    const std::size_t length = std::min(font.face.size(), std::size(lf.lfFaceName) - 1);
    std::copy_n(font.face.begin(), length, lf.lfFaceName);
    return lf;
}

}  // namespace vop::win32
