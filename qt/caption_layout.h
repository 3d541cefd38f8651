// Fitting a button's caption into the button: wrapped at its spaces, nowhere else.
#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

namespace vop {

struct CaptionLayout {
    QFont font;
    QStringList lines;
    int lineHeight = 0;
};

// Lays the caption out in lines, breaking at a space where the words on either side do
// not fit on one line of area.width() ("H 7" becomes "H" above "7"). A word is never
// broken and the font keeps its size: a word wider than the area stands on its own line,
// centred, and the button clips what reaches past its edges ("HK" on a 17-pixel slot).
CaptionLayout fitCaption(const QString& caption, const QFont& font, QSize area);

}  // namespace vop
