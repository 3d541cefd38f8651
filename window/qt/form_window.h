// The game's top-level window: a fixed client area and an end to the program when closed.
#pragma once

#include <QWidget>
#include <functional>

namespace vop {

class FormWindow final : public QWidget {
  public:
    FormWindow();

    // Called when the player closes the window.
    std::function<void()> onClose;

  protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace vop
