// A game in a real Qt window with a scripted random sequence, read back from the widgets.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <cstdlib>
#include <initializer_list>

#include "core/game_fixture.h"
#include "game/frm_vop.h"
#include "qt/qt_form_runtime.h"

namespace vop::test {

inline QString countTitle(int count) {
    return QString::fromUtf8("Vop:\u73FE\u5728") + QString::number(count) +
           QString::fromUtf8("\u679A");
}

inline const ControlId kFocus{ctl::btnFocus};
inline const ControlId kGround{ctl::btnGround};
inline ControlId command(int i) {
    return {ctl::cmdPlay, static_cast<std::int16_t>(i)};
}
inline ControlId header(int suit) {
    return {ctl::lblColor, static_cast<std::int16_t>(suit)};
}

class QtGameTest : public ::testing::Test {
  protected:
    // Starts the program with the first hand drawn from these card numbers and
    // waits (bounded) until the window is active, as a player would see it.
    void startWith(std::initializer_list<int> draws) {
        willDraw(draws);
        runtime.start(game);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    }
    void willDraw(std::initializer_list<int> draws) {
        for (int n : draws) {
            random.push(valueFor(n));
        }
    }

    FormWindow* window() const { return runtime.window(); }
    QWidget* widget(ControlId id) const { return runtime.widget(id); }
    FormButton* button(ControlId id) const { return runtime.button(id); }
    // A label as the form paints it and a screen reader finds it; its own part, not the
    // pixel it shares with its right and lower neighbours.
    QRect labelRect(ControlId id) const { return runtime.labelRect(id); }
    QRect labelOwnPart(ControlId id) const { return labelRect(id).adjusted(0, 0, -1, -1); }
    QAccessibleInterface* reader(ControlId id) const {
        QAccessibleInterface* label = runtime.accessibleLabel(id);
        return label != nullptr ? label : QAccessible::queryAccessibleInterface(widget(id));
    }
    QString labelText(ControlId id) const { return reader(id)->text(QAccessible::Value); }
    bool labelShowing(ControlId id) const { return !reader(id)->state().invisible; }
    bool labelEnabled(ControlId id) const { return !reader(id)->state().disabled; }
    // The window as it is on the screen now.
    QImage shot() const { return window()->grab().toImage(); }

    QString title() const { return window()->windowTitle(); }
    QString slotText(int i) const { return button(slot(i))->caption(); }
    QString groundText() const { return button(kGround)->caption(); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    void click(ControlId id) { QTest::mouseClick(widget(id), Qt::LeftButton); }
    void pressOnFocus(Qt::Key key) { QTest::keyClick(focused(), key); }

    ScriptedRandom random;
    QtFormRuntime runtime{vopWindow(), random};
    frmVop game{runtime};
};

}  // namespace vop::test
