// Wrapping and, where it must, shrinking a caption so it fits its button.
#include "qt/caption_layout.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace vop {

namespace {

constexpr int kSmallestPixels = 4;

// Splits a word too wide for the line into pieces that fit, one character at least each.
QStringList breakWord(const QString& word, const QFontMetrics& metrics, int width) {
    QStringList pieces;
    QString piece;
    for (const QChar c : word) {
        if (!piece.isEmpty() && metrics.horizontalAdvance(piece + c) > width) {
            pieces.append(piece);
            piece.clear();
        }
        piece += c;
    }
    if (!piece.isEmpty()) {
        pieces.append(piece);
    }
    return pieces;
}

QStringList wrap(const QString& caption, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(u' ', Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + u' ' + word;
        if (metrics.horizontalAdvance(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) {
            lines.append(line);
            line.clear();
        }
        if (metrics.horizontalAdvance(word) <= width) {
            line = word;
        } else {
            QStringList pieces = breakWord(word, metrics, width);
            line = pieces.takeLast();
            lines.append(pieces);
        }
    }
    if (!line.isEmpty()) {
        lines.append(line);
    }
    return lines;
}

bool fits(const QStringList& lines, const QFontMetrics& metrics, QSize area) {
    if (static_cast<long long>(lines.size()) * metrics.height() > area.height()) {
        return false;
    }
    for (const QString& line : lines) {
        if (metrics.horizontalAdvance(line) > area.width()) {
            return false;
        }
    }
    return true;
}

}  // namespace

CaptionLayout fitCaption(const QString& caption, const QFont& font, QSize area) {
    CaptionLayout layout{font, {}, 0};
    int pixels = QFontInfo(font).pixelSize();
    for (;;) {
        const QFontMetrics metrics(layout.font);
        layout.lines = wrap(caption, metrics, area.width());
        layout.lineHeight = metrics.height();
        if (fits(layout.lines, metrics, area) || pixels <= kSmallestPixels) {
            return layout;
        }
        --pixels;
        layout.font.setPixelSize(pixels);
    }
}

}  // namespace vop
