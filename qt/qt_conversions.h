// How the window definition's twips, colours and fonts look in Qt.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>

#include "form/form_definition.h"

namespace vop {

// Qt lays a window out in logical pixels, 15 twips each; its device pixel ratio takes
// care of screens denser than 96 dpi.
inline constexpr Dpi kLogicalDpi{};
int toPixels(Twips twips);

// 0x00BBGGRR as a Qt colour; a desktop colour (high bit set) is looked up in the
// application's palette.
QColor toQColor(ColorValue value);

// A label's font: the face the definition asks for, and where the desktop lacks it
// (as every Linux desktop lacks "Small Fonts") a face that stays legible on a 7-pixel line.
QFont labelFont(const FontDef& def, double points);

// The window's icon for the title bar and task switcher: every picture the program
// carries in its resources under :/window-icon/, one per size.
QIcon windowIcon();

}  // namespace vop
