// Applies the window definition to Qt widgets and forwards their events to the runtime.
#include "window/qt/qt_form_runtime.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>
#include <algorithm>
#include <string>
#include <vector>

#include "window/qt/qt_look.h"
#include "window/runtime_error.h"

namespace vop {

namespace {

QString toQString(const Text& text) {
    return QString::fromStdU16String(text);
}

// The player sees a run-time error in a box before the program ends; a platform
// with no screen has nobody to close the box, so there the message on stderr is all.
void showRuntimeError(RuntimeError error, std::string_view detail) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        return;
    }
    QString text = QStringLiteral("Run-time error '%1':\n\n%2")
                       .arg(static_cast<int>(error))
                       .arg(QString::fromUtf8(describe(error).data(),
                                              static_cast<qsizetype>(describe(error).size())));
    if (!detail.empty()) {
        text += QStringLiteral("\n(%1)").arg(
            QString::fromUtf8(detail.data(), static_cast<qsizetype>(detail.size())));
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Vop"), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

QtFormRuntime::QtFormRuntime(const FormDef& form, RandomSource& random)
    : FormRuntime(form, random) {
    setRuntimeErrorReporter(&showRuntimeError);
    tellScreenReaders();
}

QtFormRuntime::~QtFormRuntime() {
    closing_ = true;
    window_.reset();
    setRuntimeErrorReporter(nullptr);
}

QWidget* QtFormRuntime::widget(ControlId id) const {
    const std::optional<std::size_t> at = places().of(id);
    return at && *at < widgets_.size() ? widgets_[*at] : nullptr;
}

FormButton* QtFormRuntime::button(ControlId id) const {
    return dynamic_cast<FormButton*>(widget(id));
}

int QtFormRuntime::labelIndex(ControlId id) const {
    const std::optional<std::size_t> at = places().of(id);
    return at && *at < labelByPlace_.size() ? labelByPlace_[*at] : -1;
}

QFont QtFormRuntime::labelFont(ControlId id) const {
    const ControlState& s = get(id);
    return vop::labelFont(s.def->font, s.fontSize);
}

QAccessibleInterface* QtFormRuntime::accessibleLabel(ControlId id) const {
    return isLabel(id) ? labelAccessible(window_.get(), labelIndex(id)) : nullptr;
}

QRect QtFormRuntime::labelRect(ControlId id) const {
    const ControlState& s = get(id);
    return {toPixels(s.left), toPixels(s.top), toPixels(s.width), toPixels(s.height)};
}

void QtFormRuntime::createWindow() {
    window_ = std::make_unique<FormWindow>();
    window_->setFixedSize(toPixels(form().clientWidth), toPixels(form().clientHeight));
    window_->setWindowIcon(vopIcon());
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, toQColor(form().backColor));
    window_->setPalette(palette);
    window_->onClose = [this] {
        if (!closing_) {
            end();  // closing the window ends the program, as "E" does
        }
    };
    window_->paintForm = [this](QPainter& painter, const QRegion& region) {
        paintLabels(painter, region);
    };
    installFormAccessible(window_.get(), this);
    labelByPlace_.assign(places().count(), -1);
    widgets_.assign(places().count(), nullptr);
    showFormCaption();
}

void QtFormRuntime::createControl(ControlId id) {
    const ControlState& s = get(id);
    const ControlDef& def = *s.def;
    if (def.kind == ControlKind::Label) {
        labelByPlace_[place(id)] = static_cast<int>(labels_.size());
        labels_.push_back(id);
        paintedAt_.emplace_back();
        repaintLabel(id);
        return;
    }
    auto* b = new FormButton(window_.get());
    QObject::connect(b, &QPushButton::clicked, b, [this, id] {
        if (!closing_) {
            raiseClick(id);
        }
    });
    b->onFocusIn = [this, id] {
        if (!closing_) {
            raiseGotFocus(id);
        }
    };
    if (!def.tabStop) {
        b->setFocusPolicy(Qt::ClickFocus);  // a click still focuses it; Tab passes it by
    }
    b->setObjectName(QString::fromStdString(controlText(id)));
    widgets_[place(id)] = b;
    showCaption(id);
    showGeometry(id);
    showEnabled(id);
    if (s.hasForeColor) {
        showForeColor(id);
    }
    showVisible(id);
}

void QtFormRuntime::repaintLabel(ControlId id) {
    QRect& painted = paintedAt_[static_cast<std::size_t>(labelIndex(id))];
    const QRect now = get(id).visible ? labelRect(id) : QRect();
    if (now != painted) {
        window_->update(painted);
    }
    window_->update(now);
    painted = now;
}

// Each label as a label widget would show it: its background where it has a colour of its
// own, its caption at its top left in its font, in its ForeColor, or in the style's
// disabled text while disabled. Later labels are painted over earlier ones.
void QtFormRuntime::paintLabels(QPainter& painter, const QRegion& region) const {
    const QPalette base = window_->palette();
    for (ControlId id : labels_) {
        const ControlState& s = get(id);
        const QRect r = labelRect(id);
        if (!s.visible || !region.intersects(r)) {
            continue;
        }
        painter.save();
        painter.setClipRect(r);
        if (s.def->hasBackColor) {
            painter.fillRect(r, toQColor(s.def->backColor));
        }
        painter.setFont(labelFont(id));
        QPalette palette = base;
        if (s.hasForeColor) {
            palette.setColor(QPalette::Active, QPalette::WindowText, toQColor(s.foreColor));
            palette.setColor(QPalette::Inactive, QPalette::WindowText, toQColor(s.foreColor));
        }
        if (!s.enabled) {
            palette.setCurrentColorGroup(QPalette::Disabled);
        } else if (!window_->isActiveWindow()) {
            palette.setCurrentColorGroup(QPalette::Inactive);
        }
        window_->style()->drawItemText(&painter, r, Qt::AlignLeft | Qt::AlignTop, palette,
                                       s.enabled, toQString(s.caption), QPalette::WindowText);
        painter.restore();
    }
}

LabelView QtFormRuntime::labelView(int index) const {
    const ControlId id = labels_[static_cast<std::size_t>(index)];
    const ControlState& s = get(id);
    return {toQString(s.spokenName), toQString(s.caption), labelRect(id), s.enabled, s.visible};
}

void QtFormRuntime::applyTabOrder() {
    std::vector<const ControlDef*> buttons;
    for (const ControlDef& def : form().controls) {
        if (def.kind == ControlKind::CommandButton) {
            buttons.push_back(&def);
        }
    }
    std::stable_sort(buttons.begin(), buttons.end(), [](const ControlDef* a, const ControlDef* b) {
        return a->tabIndex < b->tabIndex;
    });
    for (std::size_t i = 1; i < buttons.size(); ++i) {
        QWidget::setTabOrder(widget(buttons[i - 1]->id), widget(buttons[i]->id));
    }
}

void QtFormRuntime::showWindow() {
    applyTabOrder();
    window_->show();
    window_->activateWindow();
}

void QtFormRuntime::showFormCaption() {
    if (window_) {
        window_->setWindowTitle(toQString(formCaption()));
    }
}

void QtFormRuntime::showCaption(ControlId id) {
    if (isLabel(id)) {
        repaintLabel(id);
    } else {
        button(id)->setCaption(toQString(get(id).caption));
    }
}

void QtFormRuntime::showEnabled(ControlId id) {
    if (isLabel(id)) {
        repaintLabel(id);
        announceLabel(window_.get(), labelIndex(id), false, true);
    } else {
        widget(id)->setEnabled(get(id).enabled);
    }
}

void QtFormRuntime::showVisible(ControlId id) {
    if (isLabel(id)) {
        repaintLabel(id);
    } else {
        widget(id)->setVisible(get(id).visible);
    }
}

void QtFormRuntime::showGeometry(ControlId id) {
    if (isLabel(id)) {
        repaintLabel(id);
    } else {
        const ControlState& s = get(id);
        widget(id)->setGeometry(toPixels(s.left), toPixels(s.top), toPixels(s.width),
                                toPixels(s.height));
    }
}

void QtFormRuntime::showFont(ControlId id) {
    if (isLabel(id)) {
        repaintLabel(id);  // buttons keep the toolkit's default font
    }
}

void QtFormRuntime::showForeColor(ControlId id) {
    if (isLabel(id)) {
        repaintLabel(id);
        return;
    }
    // Only the enabled look takes the colour: a disabled button keeps the style's grey.
    QWidget* w = widget(id);
    const QColor color = toQColor(get(id).foreColor);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, color);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    w->setPalette(palette);
}

void QtFormRuntime::showSpoken(ControlId id, bool name, bool description) {
    // Qt tells a listening screen reader of each change.
    if (isLabel(id)) {
        announceLabel(window_.get(), labelIndex(id), name, false);
        return;
    }
    QWidget* w = widget(id);
    if (name) {
        w->setAccessibleName(toQString(get(id).spokenName));
    }
    if (description) {
        w->setAccessibleDescription(toQString(get(id).spokenDescription));
    }
}

void QtFormRuntime::moveFocus(ControlId id) {
    // Qt reports the new focus through focusInEvent, at once when the window is
    // active, otherwise as soon as it becomes active.
    widget(id)->setFocus(Qt::OtherFocusReason);
}

void QtFormRuntime::showMessageBox(const Text& prompt, const Text& title) {
    QMessageBox box(window_.get());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(toQString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(prompt));
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
    // The game goes on in the window: give it the keyboard back even where no window
    // manager returns it from the closed box.
    window_->activateWindow();
}

void QtFormRuntime::quit() {
    if (window_) {
        window_->hide();
    }
    QCoreApplication::exit(0);
}

}  // namespace vop
