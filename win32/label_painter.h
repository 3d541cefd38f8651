// The labels the form paints itself, as label windows would show them: each one's
// background, its caption in its font and colour, greyed while disabled; and in a
// high-contrast scheme, in the scheme's own colours.
#pragma once

#include <windows.h>

#include <optional>
#include <utility>
#include <vector>

#include "form/form_runtime.h"

namespace vop::win32 {

class LabelPainter {
  public:
    explicit LabelPainter(const FormRuntime& runtime) : runtime_(runtime) {}
    ~LabelPainter();
    LabelPainter(const LabelPainter&) = delete;
    LabelPainter& operator=(const LabelPainter&) = delete;

    // Paints every visible label the rectangle touches, a later one over an earlier one.
    void paint(HDC dc, const RECT& dirty, Dpi dpi);
    // The font a label is painted in at this DPI.
    HFONT fontFor(ControlId id, Dpi dpi);
    // At another DPI every label's font is made anew.
    void dropFonts();
    // Asks Windows again whether the player chose high contrast; true if that changed.
    bool readContrast();

  private:
    // What one label is painted in: its background (none: the form's shows through) and
    // its text.
    struct Colours {
        std::optional<ColorValue> back;
        ColorValue text = 0;
    };
    Colours coloursOf(const ControlState& s) const;
    HBRUSH brushFor(ColorValue color);

    const FormRuntime& runtime_;
    bool highContrast_ = false;
    // A handful of each: a list searched in order is all they need.
    std::vector<std::pair<int, HFONT>> fonts_;  // by lfHeight
    std::vector<std::pair<ColorValue, HBRUSH>> brushes_;
};

// A colour value as GDI takes it: a system colour looked up, any other as it is.
COLORREF colorRef(ColorValue color);

}  // namespace vop::win32
