// The window definition of frmVop.
#include "game/vop_window.h"

#include <array>

#include "cards/card_name.h"

namespace vop {

namespace {

constexpr FontDef kLabelFont{.face = u"Small Fonts", .points = 5.25};

constexpr ControlDef button(ControlId id, std::u16string_view caption, Twips left, Twips top,
                            Twips width, Twips height, std::int16_t tabIndex) {
    return {.id = id,
            .caption = caption,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .tabIndex = tabIndex};
}

// The header of a suit's row of the grid: its letter.
constexpr ControlDef rowHeader(std::int16_t suit, Twips top) {
    return {.id = {ctl::lblColor, suit},
            .kind = ControlKind::Label,
            .caption = kSuitLetters[suit],
            .left = 50,
            .top = top,
            .width = 135,
            .height = 135,
            .tabIndex = static_cast<std::int16_t>(7 + suit),
            .font = kLabelFont};
}

constexpr std::array<ControlDef, 14> kControls{{
    button({ctl::btnFocus}, u"Command1", 1800, 960, 375, 180, 0),
    button({ctl::cmdPlay, 1}, u"E", 1560, 240, 255, 255, 12),
    button({ctl::cmdPlay, 0}, u"N", 1560, 0, 255, 255, 11),
    // The ground hands any focus straight back to btnFocus; as a tab stop it would
    // catch every Shift+Tab from btnFocus and send it back, so Tab passes it by.
    {.id = {ctl::btnGround},
     .caption = u"SA",
     .width = 255,
     .height = 495,
     .tabIndex = 13,
     .tabStop = false},
    button({ctl::btnCard, 4}, u"SA", 1320, 0, 255, 495, 5),
    button({ctl::btnCard, 3}, u"SA", 1080, 0, 255, 495, 4),
    button({ctl::btnCard, 2}, u"SA", 840, 0, 255, 495, 3),
    button({ctl::btnCard, 1}, u"SA", 600, 0, 255, 495, 2),
    button({ctl::btnCard, 0}, u"SA", 360, 0, 255, 495, 1),
    rowHeader(3, 840),
    rowHeader(2, 720),
    rowHeader(1, 600),
    rowHeader(0, 480),
    {.id = {ctl::lblExist, 0},
     .kind = ControlKind::Label,
     .caption = u"A",
     .left = 480,
     .top = 480,
     .width = 135,
     .height = 135,
     .tabIndex = 6,
     .visible = false,
     .backColor = kWhite,
     .hasBackColor = true,
     .font = kLabelFont},
}};

// In a high-contrast theme the grid's cards in the hand (red) stand out from those in the
// deck; played cards are told apart by their disabled look.
constexpr std::array<ContrastInk, 1> kContrastInks{{{kRed, ContrastPair::Highlight}}};

constexpr FormDef kVop{
    .name = "frmVop",
    .caption = u"VoP",
    .clientWidth = 1800,
    .clientHeight = 945,
    .backColor = kMenuColor,
    .appTitle = u"Vop",
    .controls = kControls,
    .contrastInks = kContrastInks,
};

}  // namespace

const FormDef& vopWindow() {
    return kVop;
}

}  // namespace vop
