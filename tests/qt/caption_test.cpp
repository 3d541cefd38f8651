// Card names on the 17-pixel slot buttons: wrapped at the space, never between letters.

#include "cards/card_name.h"
#include "qt_fixture.h"
#include "window/qt/caption_layout.h"

namespace vop::test {
namespace {

class Captions : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('S', 12), card('D', 10), card('C', 13), card('H', 2)});
    }
};

// A pip card wraps at its space, suit above rank, each line within the slot; every other
// name stays one word on one line, even where it is wider than the slot.
TEST_F(Captions, EveryCardNameWrapsOnlyAtItsSpace) {
    FormButton* b = runtime.button(slot(0));
    const QSize area = b->captionArea();
    ASSERT_GE(area.width(), 9);  // the frame and the padding leave room for a letter
    const QFontMetrics metrics(b->font());
    for (Int16 n = 1; n <= 52; ++n) {
        clsCard c;
        c.color = suitOf(n);
        c.Number = rankOf(n);
        const QString name = QString::fromStdU16String(setCap(c));
        const CaptionLayout layout = fitCaption(name, b->font(), area);
        if (!name.contains(' ')) {
            EXPECT_EQ(layout.lines, QStringList{name});
            continue;
        }
        EXPECT_EQ(layout.lines, (QStringList{name.left(1), name.mid(2)})) << name.toStdString();
        EXPECT_LE(layout.lines.size() * metrics.height(), area.height()) << name.toStdString();
        for (const QString& line : layout.lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), area.width()) << name.toStdString();
        }
    }
}

TEST_F(Captions, CommandCaptionsStandOnOneLine) {
    for (int i = 0; i < 2; ++i) {
        FormButton* b = runtime.button(command(i));
        EXPECT_EQ(fitCaption(b->text(), b->font(), b->captionArea()).lines, QStringList{b->text()});
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
