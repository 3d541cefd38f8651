// Ends a Qt program right after its first top-level window has painted.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <ctime>

#include "first_paint.h"

namespace vop::bench {

class FirstPaintExit final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!armed_ && event->type() == QEvent::Paint && widget != nullptr) {
            armed_ = true;
            // Runs once this paint and its flush to the screen are done.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                reportFirstPaint(static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec);
                std::_Exit(0);
            });
        }
        return false;
    }

  private:
    bool armed_ = false;
};

}  // namespace vop::bench
