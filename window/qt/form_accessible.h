// Screen readers' view of the form: its buttons, as Qt's widgets tell them, and its
// labels, which the form paints itself, as accessible children of their own.
#pragma once

#include <QAccessibleWidget>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

namespace vop {

// What the form knows of one painted label, asked for anew on every question.
struct LabelView {
    QString name;     // what a screen reader says ("Ace of spades, in the deck")
    QString caption;  // the text it shows ("A")
    QRect rect;       // in the form's coordinates
    bool enabled = true;
    bool visible = true;
};

// The form's labels, by their index among the form's labels.
class FormLabels {
  public:
    virtual ~FormLabels() = default;
    virtual int labelCount() const = 0;
    virtual LabelView labelView(int index) const = 0;
};

// Makes the form's accessible object: the widget's own children first, then one child
// per label. Call once per form window; the objects live as long as the window.
void installFormAccessible(QWidget* form, const FormLabels* labels);

// The accessible object of the form's label number index, as a screen reader gets it.
QAccessibleInterface* labelAccessible(QWidget* form, int index);

// Tells a listening screen reader that a label's words or its enabled state changed.
void announceLabel(QWidget* form, int index, bool nameChanged, bool stateChanged);

}  // namespace vop
