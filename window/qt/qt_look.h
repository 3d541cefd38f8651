// How the window definition's twips, colours and fonts look in Qt.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

#include "window/form_definition.h"

namespace vop {

// Twips to Qt logical pixels: 15 twips each. Qt's device pixel ratio takes care of
// screens denser than 96 dpi.
int toPixels(Twips twips);

// 0x00BBGGRR as a Qt colour; a desktop colour (high bit set) is looked up in the
// application's palette.
QColor toQColor(ColorValue value);

// A label's font: the face the definition asks for, and where the desktop lacks it
// (as every Linux desktop lacks "Small Fonts") a face that stays legible on a 7-pixel line.
QFont labelFont(const FontDef& def, double points);

// The game's icon for the title bar and task switcher, in the sizes they draw.
inline constexpr int kWindowIconSizes[] = {16, 24, 32, 48, 64};
QIcon vopIcon();

}  // namespace vop
