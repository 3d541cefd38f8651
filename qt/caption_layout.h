// Fitting a button's caption into the button: wrapped at its spaces, never clipped.
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

// Lays the caption out in lines no wider than area.width(), breaking at spaces
// first ("H 7" becomes "H" above "7") and inside a word only where the word alone
// is too wide. The font keeps its size when the lines fit in area.height(); it is
// made smaller only when they do not, so no glyph is ever cut off.
CaptionLayout fitCaption(const QString& caption, const QFont& font, QSize area);

}  // namespace vop
