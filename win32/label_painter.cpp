// Painting the labels, in their colours or in a high-contrast scheme's.
#include "win32/label_painter.h"

#include "win32/label_font.h"
#include "win32/wide_text.h"

namespace vop::win32 {

namespace {

constexpr ColorValue systemColor(int index) {
    return kSystemColorFlag | static_cast<ColorValue>(index);
}

bool highContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

COLORREF colorRef(ColorValue color) {
    return isSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

LabelPainter::~LabelPainter() {
    dropFonts();
    for (const auto& [color, brush] : brushes_) {
        DeleteObject(brush);
    }
}

bool LabelPainter::readContrast() {
    const bool before = highContrast_;
    highContrast_ = highContrastOn();
    return highContrast_ != before;
}

// A label is drawn in its own colours, greyed while disabled. A player who asked for high
// contrast chose the scheme's colours to tell things apart, so a label with colours of its
// own takes the scheme's pairs instead, which every such scheme keeps apart: the window's
// text on the window's colour, or the highlighted text on the highlight for a fore colour
// the window definition says stands out, and the scheme's grey text, bright enough to read
// there, for a disabled one.
LabelPainter::Colours LabelPainter::coloursOf(const ControlState& s) const {
    const ColorValue grey = systemColor(COLOR_GRAYTEXT);
    if (highContrast_ && (s.def->hasBackColor || s.hasForeColor)) {
        const ColorValue window = systemColor(COLOR_WINDOW);
        if (!s.enabled) {
            return {window, grey};
        }
        if (s.hasForeColor &&
            contrastPairOf(runtime_.form(), s.foreColor) == ContrastPair::Highlight) {
            return {systemColor(COLOR_HIGHLIGHT), systemColor(COLOR_HIGHLIGHTTEXT)};
        }
        return {window, systemColor(COLOR_WINDOWTEXT)};
    }
    Colours colours;
    if (s.def->hasBackColor) {
        colours.back = s.def->backColor;
    }
    colours.text = !s.enabled ? grey : s.hasForeColor ? s.foreColor : systemColor(COLOR_BTNTEXT);
    return colours;
}

void LabelPainter::paint(HDC dc, const RECT& dirty, Dpi dpi) {
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = GetCurrentObject(dc, OBJ_FONT);
    for (const ControlId id : runtime_.labels()) {
        const ControlState& s = runtime_.get(id);
        const PixelRect at = runtime_.pixelRect(id, dpi);
        RECT r{at.left, at.top, at.right(), at.bottom()};
        RECT touched{};
        if (!s.visible || !IntersectRect(&touched, &r, &dirty)) {
            continue;
        }
        const Colours colours = coloursOf(s);
        if (colours.back) {
            FillRect(dc, &r, brushFor(*colours.back));
        }
        SelectObject(dc, fontFor(id, dpi));
        SetTextColor(dc, colorRef(colours.text));
        DrawTextW(dc, wide(s.caption), static_cast<int>(s.caption.size()), &r,
                  DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
}

HFONT LabelPainter::fontFor(ControlId id, Dpi dpi) {
    const ControlState& s = runtime_.get(id);
    const LOGFONTW lf = labelLogFont(s.def->font, s.fontSize, dpi.y);
    for (const auto& [height, font] : fonts_) {
        if (height == lf.lfHeight) {
            return font;
        }
    }
    const HFONT font = CreateFontIndirectW(&lf);
    fonts_.emplace_back(lf.lfHeight, font);
    return font;
}

void LabelPainter::dropFonts() {
    for (const auto& [height, font] : fonts_) {
        DeleteObject(font);
    }
    fonts_.clear();
}

HBRUSH LabelPainter::brushFor(ColorValue color) {
    if (isSystemColor(color)) {
        return GetSysColorBrush(static_cast<int>(color & 0xFF));
    }
    for (const auto& [known, brush] : brushes_) {
        if (known == color) {
            return brush;
        }
    }
    const HBRUSH brush = CreateSolidBrush(color);
    brushes_.emplace_back(color, brush);
    return brush;
}

}  // namespace vop::win32
