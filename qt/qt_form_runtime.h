// The form runtime shown in a Qt 6 Widgets window: one QWidget for the window, a
// FormButton for every button, and the labels painted by the form itself: a label takes
// no focus and raises no event the game handles, so it needs no widget of its own.
#pragma once

#include <QPainter>
#include <memory>
#include <vector>

#include "form/form_runtime.h"
#include "qt/form_accessible.h"
#include "qt/form_button.h"
#include "qt/form_window.h"

namespace vop {

class QtFormRuntime final : public FormRuntime {
  public:
    QtFormRuntime(const FormDef& form, RandomSource& random);
    ~QtFormRuntime() override;

    // The real widgets, for the program and its tests.
    FormWindow* window() const { return window_.get(); }
    QWidget* widget(ControlId id) const;
    FormButton* button(ControlId id) const;
    // A label's place in the form, in logical pixels, the font it is painted in, and its
    // accessible object, as a screen reader finds it among the form's children.
    QRect labelRect(ControlId id) const;
    QFont labelFont(ControlId id) const;
    QAccessibleInterface* accessibleLabel(ControlId id) const;

  protected:
    void createWindow() override;
    void createControl(ControlId id) override;
    void showWindow() override;
    void showFormCaption() override;
    void show(ControlId id, Shown what) override;
    void moveFocus(ControlId id) override;
    void showMessageBox(const Text& prompt, const Text& title) override;
    void quit() override;
    Text userLanguage() const override;
    void showSpoken(ControlId id, bool name, bool description) override;

  private:
    void showButton(ControlId id, Shown what);
    // Repaints what a change to a label touched: where it was, and where it is.
    void repaintLabel(ControlId id);
    void paintLabels(QPainter& painter, const QRegion& region) const;

    std::unique_ptr<FormWindow> window_;
    std::vector<QWidget*> widgets_;  // by place; owned by window_
    // Set while the window is torn down: Qt's last focus and close events must not
    // reach a game that is already gone.
    bool closing_ = false;
};

}  // namespace vop
