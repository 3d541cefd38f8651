// The "Win" box as the Qt window shows it, beyond what every backend shows alike.
#include <QMessageBox>

#include "qt_fixture.h"
#include "support/driver.h"

namespace vop::test {
namespace {

// A box without an icon that holds the game's window while it is open; the card that
// won then stays greyed in the grid for the whole next game.
TEST(WinBox, HasNoIconHoldsTheWindowAndLeavesTheWinnerGreyed) {
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
    // The winning card, back in the deck, stays greyed for the whole game: no blue shows,
    // though the deck's cards are blue. Found as a screen reader finds it.
    QWidget* form = QApplication::activeWindow();
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(form);
    QRect winner;
    for (int i = 0; i < reader->childCount(); ++i) {
        if (reader->child(i)->text(QAccessible::Name) == "Ace of clubs, in the deck") {
            const QRect r = reader->child(i)->rect();
            winner = QRect(form->mapFromGlobal(r.topLeft()), r.size() - QSize(1, 1));
            EXPECT_TRUE(reader->child(i)->state().disabled);
        }
    }
    ASSERT_FALSE(winner.isEmpty());
    const QImage shot = form->grab().toImage();
    EXPECT_FALSE(showsHue(shot, winner, 240)) << "greyed, not blue";
    EXPECT_FALSE(showsHue(shot, winner, 0));
}

}  // namespace
}  // namespace vop::test
