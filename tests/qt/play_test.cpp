// The "Win" box as the Qt window shows it, beyond what every backend shows alike.
#include <QMessageBox>

#include "qt_fixture.h"
#include "support/driver.h"

namespace vop::test {
namespace {

// A box without an icon that holds the game's window while it is open.
TEST(WinBox, HasNoIconAndHoldsTheWindow) {
    ScriptedRandom random;
    for (int n : winnableDraws()) {
        random.push(valueFor(n));
    }
    const std::unique_ptr<Driver> driver = makeDriver(random);
    driver->start();
    for (int i = 0; i < 48; ++i) {
        driver->click(slot(0));
    }
    for (int i = 1; i < 4; ++i) {
        driver->click(slot(i));
    }
    QMessageBox::Icon icon = QMessageBox::Question;
    bool modal = false;
    driver->onBox = [&](const SeenBox&) {
        const auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        icon = box->icon();
        modal = box->windowModality() != Qt::NonModal;
        return BoxClose::Enter;
    };
    random.push({valueFor(card('H', 1)), valueFor(card('S', 2)), valueFor(card('C', 9)),
                 valueFor(card('D', 3)), valueFor(card('H', 5))});
    driver->click(slot(4));  // CA, the last card
    ASSERT_EQ(driver->caption(kGround), "CA");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_TRUE(modal);
}

}  // namespace
}  // namespace vop::test
