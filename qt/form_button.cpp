// Command buttons that wrap their captions and report the focus.
#include "qt/form_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "qt/caption_layout.h"

namespace vop {

namespace {
// Room left between the frame and the caption, so a name never runs into the edge.
constexpr int kPadding = 2;
}  // namespace

FormButton::FormButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);  // no button of the window reacts to Enter
    setDefault(false);
}

void FormButton::setCaption(const QString& caption) {
    caption_ = caption;
    // Doubling '&' keeps QAbstractButton from turning it into a mnemonic shortcut.
    QString shown = caption;
    setText(shown.replace(u'&', QStringLiteral("&&")));
    update();
}

QSize FormButton::captionArea() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    return {width() - 2 * (frame + kPadding), height()};
}

void FormButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // A 17-pixel-wide slot cannot hold "H 7" on one line in the default font, and
    // the style would clip it to a fragment: lay the caption out ourselves, centred.
    const CaptionLayout layout = fitCaption(caption_, font(), captionArea());
    painter.setFont(layout.font);
    int y = (height() - static_cast<int>(layout.lines.size()) * layout.lineHeight) / 2;
    for (const QString& line : layout.lines) {
        const QRect box(0, y, width(), layout.lineHeight);
        style()->drawItemText(&painter, box, Qt::AlignCenter, option.palette, isEnabled(), line,
                              QPalette::ButtonText);
        y += layout.lineHeight;
    }
}

void FormButton::keyPressEvent(QKeyEvent* event) {
    // Enter plays the focused card as Space does. The window has no default button,
    // so Enter always means the button that shows the focus mark, never another one.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers chord =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!enter || chord != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    // A held key plays one card, as a held Space does.
    if (!event->isAutoRepeat() && isEnabled()) {
        click();
    }
}

void FormButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    if (onFocusIn) {
        onFocusIn();
    }
}

}  // namespace vop
