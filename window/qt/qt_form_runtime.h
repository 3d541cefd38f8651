// The form runtime shown in a Qt 6 Widgets window: one QWidget for the window,
// a FormButton or QLabel for every control.
#pragma once

#include <QLabel>
#include <memory>
#include <vector>

#include "window/form_runtime.h"
#include "window/qt/form_button.h"
#include "window/qt/form_window.h"

namespace vop {

class QtFormRuntime final : public FormRuntime {
  public:
    QtFormRuntime(const FormDef& form, RandomSource& random);
    ~QtFormRuntime() override;

    // The real widgets, for the program and its tests.
    FormWindow* window() const { return window_.get(); }
    QWidget* widget(ControlId id) const;
    FormButton* button(ControlId id) const;
    QLabel* label(ControlId id) const;

  protected:
    void createWindow() override;
    void createControl(ControlId id) override;
    void showWindow() override;
    void showFormCaption() override;
    void showCaption(ControlId id) override;
    void showEnabled(ControlId id) override;
    void showVisible(ControlId id) override;
    void showGeometry(ControlId id) override;
    void showFont(ControlId id) override;
    void showForeColor(ControlId id) override;
    void moveFocus(ControlId id) override;
    void showMessageBox(const Text& prompt, const Text& title) override;
    void quit() override;
    void showSpoken(ControlId id, bool name, bool description) override;

  private:
    void applyTabOrder();

    std::unique_ptr<FormWindow> window_;
    std::vector<QWidget*> widgets_;  // by place; owned by window_
    // Set while the window is torn down: Qt's last focus and close events must not
    // reach a game that is already gone.
    bool closing_ = false;
};

}  // namespace vop
