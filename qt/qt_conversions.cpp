// Twips, colours and fonts of the window definition, turned into Qt's.
#include "qt/qt_conversions.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QPalette>
#include <QPixmap>
#include <QStringList>

namespace vop {

namespace {

// The desktop colours the window definition can name, by their number.
QColor systemColor(int number) {
    switch (number) {
        case 4:  // menu background
            return QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window);
        case 5:  // window background
            return QApplication::palette().color(QPalette::Active, QPalette::Base);
        case 8:  // window text
            return QApplication::palette().color(QPalette::Active, QPalette::Text);
        case 15:  // button face
            return QApplication::palette().color(QPalette::Active, QPalette::Button);
        case 18:  // button text
            return QApplication::palette().color(QPalette::Active, QPalette::ButtonText);
        default:
            return QApplication::palette().color(QPalette::Active, QPalette::Window);
    }
}

}  // namespace

int toPixels(Twips twips) {
    return twipsToPixels(twips, kLogicalDpi.x);
}

QColor toQColor(ColorValue value) {
    if (isSystemColor(value)) {
        return systemColor(static_cast<int>(value & 0xFF));
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QFont labelFont(const FontDef& def, double points) {
    QFont font;
    // DejaVu Sans Mono comes with every Debian desktop (fonts-dejavu-core); at five
    // pixels its capitals and digits keep whole-pixel stems, and its "J" keeps a hook
    // where the proportional face leaves a bare stroke.
    font.setFamilies(
        QStringList{QString::fromStdU16String(std::u16string(def.face)), "DejaVu Sans Mono"});
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPointSizeF(points > 0 ? points : def.points);
    font.setWeight(QFont::Normal);
    return font;
}

QIcon windowIcon() {
    // The sizes title bars and task switchers draw; larger ones come from the icon theme
    // the program installs. Each size decoded and handed to the window system costs
    // start-up, and 128 and 256 pixels cost most of it. Read as the PNG files they are:
    // left to guess the format, Qt would load every image-format plugin it has.
    QIcon icon;
    const QDir pictures(QStringLiteral(":/window-icon"));
    for (const QString& name : pictures.entryList(QDir::Files)) {
        QImageReader reader(pictures.filePath(name), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}  // namespace vop
