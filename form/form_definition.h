// The window and its design-time controls, as data that every backend applies.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "form/control_name.h"

namespace vop {

using Twips = std::int32_t;  // 1/1440 inch; 15 twips make one pixel at 96 dpi

// 0x00BBGGRR; with the high bit set, the low byte names a desktop colour.
using ColorValue = std::uint32_t;
constexpr ColorValue kBlue = 0x00FF0000;
constexpr ColorValue kRed = 0x000000FF;
constexpr ColorValue kWhite = 0x00FFFFFF;
constexpr ColorValue kSystemColorFlag = 0x80000000;
constexpr ColorValue kMenuColor = kSystemColorFlag | 4;
constexpr bool isSystemColor(ColorValue c) {
    return (c & kSystemColorFlag) != 0;
}

enum class ControlKind : std::uint8_t { CommandButton, Label };

// A high-contrast theme makes every ink alike, so a label that shows a colour of its own
// takes one of the theme's colour pairs instead, which the theme keeps apart: its text on
// its window colour, or its highlighted text on its highlight. Which colour stands out is
// the window's to say.
enum class ContrastPair : std::uint8_t { Text, Highlight };
struct ContrastInk {
    ColorValue foreColor = 0;
    ContrastPair pair = ContrastPair::Text;
};

// A label's font: a face at a size, of normal weight, upright, Western (ANSI). A command
// button sets none and takes the toolkit's default.
struct FontDef {
    std::u16string_view face;
    double points = 0;  // 0: the toolkit's default control font
    bool isDefault() const { return points == 0; }
};

// One design-time control. Only what differs from the kind's defaults is set.
struct ControlDef {
    ControlId id;
    ControlKind kind = ControlKind::CommandButton;
    std::u16string_view caption;
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    std::int16_t tabIndex = 0;
    bool tabStop = true;  // Tab visits it (a button that is not a tab stop still takes a click)
    bool visible = true;
    bool enabled = true;
    ColorValue backColor = 0;  // 0 with hasBackColor false: the kind's default
    bool hasBackColor = false;
    FontDef font = {};
};

// A window with a fixed single-line frame (the only kind the game has): the player
// cannot resize it.
struct FormDef {
    std::string_view name;
    std::u16string_view caption;
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    ColorValue backColor = 0;
    std::u16string_view appTitle;  // what a message box without a title of its own shows
    std::span<const ControlDef> controls;
    std::span<const ContrastInk> contrastInks;  // the fore colours that stand out; others: Text
};

// The high-contrast pair a label of this fore colour takes.
ContrastPair contrastPairOf(const FormDef& form, ColorValue foreColor);

// Twips to pixels at a given resolution, rounded to the nearest pixel (half away from
// zero, as Windows' MulDiv rounds).
constexpr int twipsToPixels(Twips twips, int dotsPerInch) {
    const long long scaled = static_cast<long long>(twips) * dotsPerInch;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

// A display's resolution, across and down; 96 is the one twips were drawn for.
struct Dpi {
    int x = 96;
    int y = 96;
    friend constexpr bool operator==(Dpi, Dpi) = default;
};

// A place in pixels, from the top left of the window's client area.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool empty() const { return width <= 0 || height <= 0; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right() && y >= top && y < bottom();
    }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Each control of a window, loaded or not, has a place: 0 up to count(), the names in
// definition order, each with room for all its elements. The runtime keeps its state by
// place, and backends number their controls by it.
class ControlPlaces {
  public:
    explicit ControlPlaces(const FormDef& form);
    std::optional<std::size_t> of(ControlId id) const;
    std::optional<ControlId> at(std::size_t place) const;
    std::size_t count() const { return count_; }

  private:
    struct Span {
        const ControlName* name;
        std::size_t first;  // the place of element 0
    };
    std::vector<Span> spans_;
    std::size_t count_ = 0;
};

// "btnCard(2)", "btnFocus": as a control is named in messages.
std::string controlText(ControlId id);

}  // namespace vop
