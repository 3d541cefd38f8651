// What the window shows right after start-up, read from the real widgets.
#include <QSet>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class StartUp : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('S', 1), card('D', 10), card('C', 13), card('H', 2)});
    }
};

TEST_F(StartUp, TitleIsTheCountCaptionWithNothingAppended) {
    EXPECT_EQ(title(), QString::fromUtf8("Vop:現在0枚"));
    EXPECT_EQ(window()->windowHandle()->title(), QString::fromUtf8("Vop:現在0枚"));
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

TEST_F(StartUp, GroundIsEmptyAndFiveDifferentEnabledCardsAreDealt) {
    EXPECT_EQ(groundText(), "");
    const QStringList expected{"H 7", "SA", "DT", "CK", "H 2"};
    QSet<QString> names;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(slotText(i), expected[i]) << i;
        EXPECT_TRUE(slotEnabled(i)) << i;
        EXPECT_TRUE(button(slot(i))->isVisible()) << i;
        names.insert(slotText(i));
    }
    EXPECT_EQ(names.size(), 5);
}

TEST_F(StartUp, FiveGridLabelsAreRedAndTheOthersBlueNoneDisabled) {
    const QSet<int> dealt{card('H', 7), card('S', 1), card('D', 10), card('C', 13), card('H', 2)};
    int red = 0;
    int blue = 0;
    for (int n = 1; n <= 52; ++n) {
        EXPECT_TRUE(gridLabel(n)->isEnabled()) << n;
        EXPECT_TRUE(gridLabel(n)->isVisible()) << n;
        const QColor color = textColor(n);
        if (color == QColor(255, 0, 0)) {
            ++red;
            EXPECT_TRUE(dealt.contains(n)) << n;
        } else if (color == QColor(0, 0, 255)) {
            ++blue;
        }
    }
    EXPECT_EQ(red, 5);
    EXPECT_EQ(blue, 47);
}

TEST_F(StartUp, EveryGridRowReadsTheRanksInOrder) {
    const QStringList ranks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "T", "J", "Q", "K"};
    for (int s = 0; s < 4; ++s) {
        QStringList row;
        for (int r = 1; r <= 13; ++r) {
            row.append(gridLabel(s * 13 + r)->text());
        }
        EXPECT_EQ(row, ranks) << s;
    }
    const QStringList headers{"S", "H", "D", "C"};
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(label(header(s))->text(), headers[s]);
    }
}

TEST_F(StartUp, FocusIsOnTheOffScreenButton) {
    EXPECT_EQ(focused(), widget(kFocus));
    EXPECT_EQ(window()->focusWidget(), widget(kFocus));
}

}  // namespace
}  // namespace vop::test
