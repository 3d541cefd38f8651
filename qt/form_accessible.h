// Screen readers' view of the form: its buttons, as Qt's widgets tell them, and its
// labels, which the form paints itself, as accessible children of their own.
#pragma once

#include <QAccessibleWidget>

#include "form/form_runtime.h"

namespace vop {

// Makes the form's accessible object: the widget's own children first, then one child
// per label. Call once per form window; the objects live as long as the window.
void installFormAccessible(QWidget* form, const FormRuntime* runtime);

// The accessible object of the form's label number index, as a screen reader gets it.
QAccessibleInterface* labelAccessible(QWidget* form, int index);

// Tells a listening screen reader that a label's words or its enabled state changed.
void announceLabel(QWidget* form, int index, bool nameChanged, bool stateChanged);

}  // namespace vop
