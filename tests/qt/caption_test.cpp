// Card names on the 17-pixel slot buttons: wrapped at the space, never clipped.
#include <QFontInfo>
#include <QImage>
#include <cstdlib>

#include "cards/card_name.h"
#include "qt/caption_layout.h"
#include "qt_fixture.h"

namespace vop::test {
namespace {

class Captions : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('S', 12), card('D', 10), card('C', 13), card('H', 2)});
    }
    // Rows of the button's rendered image that hold any pixel of the caption's colour.
    static int inkRows(QPushButton* b, int from, int to) {
        const QImage image = b->grab().toImage();
        const QColor ink = b->palette().color(QPalette::Active, QPalette::ButtonText);
        int rows = 0;
        for (int y = from; y < to; ++y) {
            for (int x = 3; x < image.width() - 3; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.lightness() - ink.lightness()) < 60) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    }
};

TEST_F(Captions, EveryCardNameFitsTheSlotInTheDefaultFont) {
    FormButton* b = runtime.button(slot(0));
    const QSize area = b->captionArea();
    ASSERT_GE(area.width(), 9);  // the frame and the padding leave room for a letter
    const int defaultPixels = QFontInfo(b->font()).pixelSize();
    for (Int16 n = 1; n <= 52; ++n) {
        clsCard c;
        c.color = suitOf(n);
        c.Number = rankOf(n);
        const QString name = QString::fromStdU16String(setCap(c));
        const CaptionLayout layout = fitCaption(name, b->font(), area);
        const QFontMetrics metrics(layout.font);
        EXPECT_EQ(QFontInfo(layout.font).pixelSize(), defaultPixels) << name.toStdString();
        EXPECT_LE(layout.lines.size() * metrics.height(), area.height()) << name.toStdString();
        for (const QString& line : layout.lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), area.width()) << name.toStdString();
        }
        EXPECT_EQ(layout.lines.join("").remove(' '), QString(name).remove(' '));
        // A pip card wraps at its space, suit above rank; a two-letter name may also
        // stand on one line where the font is narrow enough.
        const QStringList wrapped{name.left(1), name.mid(1).trimmed()};
        if (name.contains(' ')) {
            EXPECT_EQ(layout.lines, wrapped) << name.toStdString();
        } else {
            EXPECT_TRUE(layout.lines == wrapped || layout.lines == QStringList{name})
                << name.toStdString();
        }
    }
}

TEST_F(Captions, APipCardShowsOnTwoLinesOnTheRealButton) {
    QPushButton* b = button(slot(0));
    ASSERT_EQ(b->text(), "H 7");
    EXPECT_GT(inkRows(b, 0, b->height() / 2), 3);
    EXPECT_GT(inkRows(b, b->height() / 2, b->height()), 3);
}

TEST_F(Captions, CommandCaptionsKeepTheDefaultFontOnOneLine) {
    for (int i = 0; i < 2; ++i) {
        FormButton* b = runtime.button(command(i));
        const CaptionLayout layout = fitCaption(b->text(), b->font(), b->captionArea());
        EXPECT_EQ(layout.lines, QStringList{b->text()});
        EXPECT_EQ(QFontInfo(layout.font).pixelSize(), QFontInfo(b->font()).pixelSize());
    }
}

TEST_F(Captions, AnAmpersandIsShownAndMakesNoShortcut) {
    EXPECT_EQ(fitCaption("A&B", button(kFocus)->font(), QSize(200, 50)).lines, QStringList{"A&B"});
    runtime.setCaption(kFocus, u"A&B");
    EXPECT_EQ(runtime.button(kFocus)->caption(), "A&B");
    EXPECT_EQ(button(kFocus)->text(), "A&&B");  // Qt's escape: no Alt+B mnemonic
}

}  // namespace
}  // namespace vop::test
