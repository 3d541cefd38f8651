// The game's top-level window: a fixed client area, the labels it paints itself, and an
// end to the program when closed.
#pragma once

#include <QWidget>
#include <functional>

namespace vop {

class FormWindow final : public QWidget {
  public:
    FormWindow();

    // Called when the player closes the window.
    std::function<void()> onClose;
    // Paints what the form draws itself (its labels) over its background.
    std::function<void(QPainter& painter, const QRegion& region)> paintForm;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vop
