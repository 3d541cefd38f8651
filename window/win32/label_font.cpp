// The LOGFONT of the grid and row-header labels.
#include "window/win32/label_font.h"

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
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfUnderline = font.underline ? TRUE : FALSE;
    lf.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(font.charset);  // 0 is ANSI_CHARSET
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(font.face.size(), std::size(lf.lfFaceName) - 1);
    std::copy_n(font.face.begin(), length, lf.lfFaceName);
    return lf;
}

}  // namespace vop::win32
