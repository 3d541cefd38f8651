// Wrapping a caption at its spaces to fit its button.
#include "qt/caption_layout.h"

#include <QFontMetrics>

namespace vop {

CaptionLayout fitCaption(const QString& caption, const QFont& font, QSize area) {
    const QFontMetrics metrics(font);
    CaptionLayout layout{font, {}, metrics.height()};
    QString line;
    for (const QString& word : caption.split(u' ', Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + u' ' + word;
        if (line.isEmpty() || metrics.horizontalAdvance(joined) <= area.width()) {
            line = joined;
        } else {
            layout.lines.append(line);
            line = word;
        }
    }
    if (!line.isEmpty()) {
        layout.lines.append(line);
    }
    return layout;
}

}  // namespace vop
