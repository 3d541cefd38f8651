// Applies the window definition to Qt widgets and forwards their events to the runtime.
#include "qt/qt_form_runtime.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPalette>
#include <QStyle>

#include "base/runtime_error.h"
#include "qt/qt_conversions.h"

namespace vop {

namespace {

QString toQString(const Text& text) {
    return QString::fromStdU16String(text);
}

// The player sees a run-time error in a box before the program ends; a platform
// with no screen has nobody to close the box, so there the message on stderr is all.
void showRuntimeError(const RuntimeErrorReport& report) {
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        return;
    }
    QMessageBox box(QMessageBox::Critical, toQString(report.title), toQString(report.box),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QRect toQRect(PixelRect r) {
    return {r.left, r.top, r.width, r.height};
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

QFont QtFormRuntime::labelFont(ControlId id) const {
    const ControlState& s = get(id);
    return vop::labelFont(s.def->font, s.fontSize);
}

QAccessibleInterface* QtFormRuntime::accessibleLabel(ControlId id) const {
    return labelIndex(id) >= 0 ? labelAccessible(window_.get(), labelIndex(id)) : nullptr;
}

QRect QtFormRuntime::labelRect(ControlId id) const {
    return toQRect(pixelRect(id, kLogicalDpi));
}

void QtFormRuntime::createWindow() {
    window_ = std::make_unique<FormWindow>();
    window_->setObjectName(
        QString::fromUtf8(form().name.data(), static_cast<qsizetype>(form().name.size())));
    window_->setFixedSize(toPixels(form().clientWidth), toPixels(form().clientHeight));
    window_->setWindowIcon(windowIcon());
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
    widgets_.assign(places().count(), nullptr);
    showFormCaption();
}

void QtFormRuntime::createControl(ControlId id) {
    const ControlState& s = get(id);
    const ControlDef& def = *s.def;
    if (def.kind == ControlKind::Label) {
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
    for (const Shown what : {Shown::Caption, Shown::Geometry, Shown::Enabled, Shown::Visible}) {
        showButton(id, what);
    }
    if (s.hasForeColor) {
        showButton(id, Shown::ForeColor);
    }
}

void QtFormRuntime::repaintLabel(ControlId id) {
    const auto [was, now] = labelMoved(id, kLogicalDpi);
    if (was != now) {
        window_->update(toQRect(was));
    }
    window_->update(toQRect(now));
}

// Each label as a label widget would show it: its background where it has a colour of its
// own, its caption at its top left in its font, in its ForeColor, or in the style's
// disabled text while disabled. Later labels are painted over earlier ones.
void QtFormRuntime::paintLabels(QPainter& painter, const QRegion& region) const {
    const QPalette base = window_->palette();
    for (ControlId id : labels()) {
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

void QtFormRuntime::showWindow() {
    const std::vector<ControlId> order = buttonsByTabIndex();
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(widget(order[i - 1]), widget(order[i]));
    }
    window_->show();
    window_->activateWindow();
}

void QtFormRuntime::showFormCaption() {
    if (window_) {
        window_->setWindowTitle(toQString(formCaption()));
    }
}

void QtFormRuntime::show(ControlId id, Shown what) {
    if (labelIndex(id) < 0) {
        showButton(id, what);
        return;
    }
    repaintLabel(id);
    if (what == Shown::Enabled) {
        announceLabel(window_.get(), labelIndex(id), false, true);
    }
}

void QtFormRuntime::showButton(ControlId id, Shown what) {
    const ControlState& s = get(id);
    FormButton* b = button(id);
    switch (what) {
        case Shown::Caption:
            b->setCaption(toQString(s.caption));
            break;
        case Shown::Enabled:
            b->setEnabled(s.enabled);
            break;
        case Shown::Visible:
            b->setVisible(s.visible);
            break;
        case Shown::Geometry:
            b->setGeometry(toQRect(pixelRect(id, kLogicalDpi)));
            break;
        case Shown::Font:
            break;  // buttons keep the toolkit's default font
        case Shown::ForeColor: {
            // Only the enabled look takes the colour: a disabled button keeps the style's grey.
            const QColor color = toQColor(s.foreColor);
            QPalette palette = b->palette();
            palette.setColor(QPalette::Active, QPalette::ButtonText, color);
            palette.setColor(QPalette::Inactive, QPalette::ButtonText, color);
            b->setPalette(palette);
            break;
        }
    }
}

void QtFormRuntime::showSpoken(ControlId id, bool name, bool description) {
    // Qt tells a listening screen reader of each change.
    if (labelIndex(id) >= 0) {
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

Text QtFormRuntime::userLanguage() const {
    const QStringList languages = QLocale::system().uiLanguages();
    return languages.isEmpty() ? Text(u"en") : languages.first().toStdU16String();
}

}  // namespace vop
