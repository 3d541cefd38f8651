// Accessible children for the labels the form paints.
#include "qt/form_accessible.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>
#include <map>
#include <vector>

#include "qt/qt_conversions.h"

namespace vop {

namespace {

struct Form {
    const FormRuntime* runtime = nullptr;
    std::vector<QAccessible::Id> children;  // the labels' interfaces, made on first question

    int labels() const { return static_cast<int>(runtime->labels().size()); }
    LabelView label(int index) const { return runtime->labelView(index, kLogicalDpi); }
};

QRect toQRect(PixelRect r) {
    return {r.left, r.top, r.width, r.height};
}

// The forms with labels of their own: a plain map, as the game has one window.
std::map<const QWidget*, Form>& forms() {
    static std::map<const QWidget*, Form> all;
    return all;
}

class LabelAccessible final : public QAccessibleInterface {
  public:
    LabelAccessible(QWidget* form, int index) : form_(form), index_(index) {}

    bool isValid() const override { return form_ && forms().count(form_) != 0; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return form_ ? form_->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(form_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        const LabelView view = forms()[form_].label(index_);
        switch (t) {
            case QAccessible::Name:
                return QString::fromStdU16String(view.name);
            case QAccessible::Value:
                return QString::fromStdU16String(view.caption);
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}  // the game's words

    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect r = toQRect(forms()[form_].label(index_).rect);
        return QRect(form_->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const LabelView view = forms()[form_].label(index_);
        s.disabled = !view.enabled;
        s.invisible = !view.visible;
        s.readOnly = true;
        return s;
    }

  private:
    QPointer<QWidget> form_;
    int index_;
};

QAccessibleInterface* labelChild(QWidget* form, int index) {
    Form& f = forms()[form];
    if (f.children.size() <= static_cast<std::size_t>(index)) {
        f.children.resize(static_cast<std::size_t>(index) + 1, 0);
    }
    QAccessible::Id& id = f.children[static_cast<std::size_t>(index)];
    if (id == 0) {
        id = QAccessible::registerAccessibleInterface(new LabelAccessible(form, index));
    }
    return QAccessible::accessibleInterface(id);
}

class FormAccessible final : public QAccessibleWidget {
  public:
    explicit FormAccessible(QWidget* form) : QAccessibleWidget(form, QAccessible::Window) {}

    int childCount() const override { return widgetChildren() + labels(); }
    QAccessibleInterface* child(int index) const override {
        const int widgets = widgetChildren();
        if (index < widgets) {
            return QAccessibleWidget::child(index);
        }
        return index - widgets < labels() ? labelChild(widget(), index - widgets) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int widgets = widgetChildren();
        for (int i = 0; i < labels(); ++i) {
            if (labelChild(widget(), i) == child) {
                return widgets + i;
            }
        }
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* w = QAccessibleWidget::childAt(x, y)) {
            return w;
        }
        const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = labels() - 1; i >= 0; --i) {  // the last painted is in front
            const LabelView view = forms()[widget()].label(i);
            if (view.visible && view.rect.contains(at.x(), at.y())) {
                return labelChild(widget(), i);
            }
        }
        return nullptr;
    }

  private:
    int widgetChildren() const { return QAccessibleWidget::childCount(); }
    int labels() const {
        const auto found = forms().find(widget());
        return found == forms().end() ? 0 : found->second.labels();
    }
};

QAccessibleInterface* formFactory(const QString& className, QObject* object) {
    // Asked first with the most derived class Qt knows of the form: QWidget.
    auto* w = qobject_cast<QWidget*>(object);
    if (w != nullptr && forms().count(w) != 0 && className == QLatin1String("QWidget")) {
        return new FormAccessible(w);
    }
    return nullptr;
}

}  // namespace

void installFormAccessible(QWidget* form, const FormRuntime* runtime) {
    static const bool installed = [] {
        QAccessible::installFactory(&formFactory);
        return true;
    }();
    (void)installed;
    forms()[form].runtime = runtime;
    QObject::connect(form, &QObject::destroyed, [form] {
        for (QAccessible::Id id : forms()[form].children) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
        forms().erase(form);
    });
}

QAccessibleInterface* labelAccessible(QWidget* form, int index) {
    return forms().count(form) != 0 ? labelChild(form, index) : nullptr;
}

void announceLabel(QWidget* form, int index, bool nameChanged, bool stateChanged) {
    if (!QAccessible::isActive() || forms().count(form) == 0) {
        return;  // nobody listens: the interfaces are made only when asked for
    }
    QAccessibleInterface* child = labelChild(form, index);
    if (nameChanged) {
        QAccessibleEvent event(child, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (stateChanged) {
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(child, changed);
        QAccessible::updateAccessibility(&event);
    }
}

}  // namespace vop
