// The window's geometry, fonts and colours, read from the real widgets.
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QSet>
#include <cstdlib>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class Layout : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('S', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    }
    // Whether the label's rendered pixels include one that is mostly this hue.
    static bool showsHue(QWidget* w, int hue) {
        const QImage image = w->grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.hsvSaturation() > 120 && std::abs(c.hsvHue() - hue) < 20) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(Layout, ClientAreaIsFixedAt120By63Pixels) {
    EXPECT_EQ(window()->size(), QSize(120, 63));
    EXPECT_EQ(window()->minimumSize(), QSize(120, 63));
    EXPECT_EQ(window()->maximumSize(), QSize(120, 63));
    window()->resize(300, 200);
    EXPECT_EQ(window()->size(), QSize(120, 63));
}

TEST_F(Layout, EveryDesignTimeControlSitsAtItsPlace) {
    const struct {
        ControlId id;
        QRect pixels;
    } expected[] = {
        {kFocus, {120, 64, 25, 12}},    {command(1), {104, 16, 17, 17}},
        {command(0), {104, 0, 17, 17}}, {kGround, {0, 0, 17, 33}},
        {slot(4), {88, 0, 17, 33}},     {slot(3), {72, 0, 17, 33}},
        {slot(2), {56, 0, 17, 33}},     {slot(1), {40, 0, 17, 33}},
        {slot(0), {24, 0, 17, 33}},     {header(3), {3, 56, 9, 9}},
        {header(2), {3, 48, 9, 9}},     {header(1), {3, 40, 9, 9}},
        {header(0), {3, 32, 9, 9}},     {grid(0), {32, 32, 9, 9}},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(widget(e.id)->geometry(), e.pixels) << widget(e.id)->objectName().toStdString();
        EXPECT_EQ(widget(e.id)->parentWidget(), window());
    }
}

TEST_F(Layout, GridLabelsSitInRowsBySuitAndColumnsByRank) {
    for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) {
            EXPECT_EQ(gridLabel(s * 13 + r)->geometry(), QRect(5 + 8 * r, 32 + 8 * s, 9, 9))
                << s << " " << r;
        }
    }
}

TEST_F(Layout, FocusButtonIsOutsideTheClientAreaYetVisibleAndEnabled) {
    QWidget* focusButton = widget(kFocus);
    EXPECT_FALSE(window()->rect().intersects(focusButton->geometry()));
    EXPECT_TRUE(focusButton->isVisible());
    EXPECT_TRUE(focusButton->isEnabled());
    EXPECT_TRUE(focusButton->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(focusButton->visibleRegion().isEmpty());
}

TEST_F(Layout, TabChainStartsAtTheFocusButtonAndFollowsTabIndex) {
    QStringList chain;
    for (QWidget* w = widget(kFocus)->nextInFocusChain(); w != widget(kFocus);
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            chain.append(w->objectName());
        }
    }
    // The ground is left out: it would only hand the focus back to btnFocus. A click
    // still gives it the focus, so its GotFocus reaches the game.
    EXPECT_EQ(chain, (QStringList{"btnCard(0)", "btnCard(1)", "btnCard(2)", "btnCard(3)",
                                  "btnCard(4)", "cmdPlay(0)", "cmdPlay(1)"}));
    EXPECT_EQ(widget(kGround)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(Layout, ClubsRowShowsOnlyItsUpperSevenPixels) {
    EXPECT_EQ(label(header(3))->visibleRegion().boundingRect(), QRect(0, 0, 9, 7));
    for (int r = 1; r <= 13; ++r) {
        // Each grid label's right and bottom pixel lie under its neighbours; only the
        // window's edge cuts the clubs row down to 7 pixels.
        const QRect clubs = gridLabel(39 + r)->visibleRegion().boundingRect();
        EXPECT_EQ(clubs.top(), 0) << r;
        EXPECT_EQ(clubs.height(), 7) << r;
        EXPECT_EQ(gridLabel(26 + r)->visibleRegion().boundingRect().height(), 8) << r;
    }
}

TEST_F(Layout, TemplateLabelNeverShows) {
    EXPECT_FALSE(label(grid(0))->isVisible());
    willDraw({card('D', 9)});
    click(slot(0));
    willDraw({card('H', 1), card('H', 2), card('H', 3), card('H', 4), card('H', 5)});
    click(command(0));
    ASSERT_EQ(slotText(4), "H 5");
    EXPECT_FALSE(label(grid(0))->isVisible());
    EXPECT_EQ(label(grid(0))->text(), "A");
}

TEST_F(Layout, GridLabelsTakeTheTemplatesSizeBackgroundAndFont) {
    for (int n = 1; n <= 52; ++n) {
        QLabel* l = gridLabel(n);
        EXPECT_EQ(l->size(), QSize(9, 9)) << n;
        EXPECT_TRUE(l->autoFillBackground()) << n;
        EXPECT_EQ(l->palette().color(QPalette::Active, QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(l->palette().color(QPalette::Disabled, QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(l->font().families().value(0), "Small Fonts") << n;
        EXPECT_EQ(l->font().pointSizeF(), 5.0) << n;
        EXPECT_EQ(l->font().weight(), QFont::Normal);
        EXPECT_FALSE(l->font().italic() || l->font().underline() || l->font().strikeOut());
        EXPECT_EQ(l->focusPolicy(), Qt::NoFocus);
    }
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(label(header(s))->font().families().value(0), "Small Fonts");
        EXPECT_EQ(label(header(s))->font().pointSizeF(), 5.25);
        EXPECT_FALSE(label(header(s))->autoFillBackground());  // the window shows through
    }
}

TEST_F(Layout, LabelGlyphsFitASevenPixelLine) {
    for (QLabel* l : {gridLabel(1), label(header(0))}) {
        const QFontMetrics metrics(l->font());
        const QRect ink = metrics.tightBoundingRect("SHDCA23456789TJQK");
        EXPECT_LE(ink.height(), 7);
        EXPECT_GE(ink.height(), 4);  // still a readable letter, not a smudge
        EXPECT_LE(metrics.horizontalAdvance("Q"), 9);
    }
}

TEST_F(Layout, WindowIsTheMenuColourAndButtonsUseTheDefaultFont) {
    EXPECT_EQ(window()->palette().color(QPalette::Window),
              QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window));
    EXPECT_TRUE(window()->autoFillBackground());
    for (ControlId id : {kFocus, kGround, command(0), command(1), slot(0), slot(4)}) {
        EXPECT_FALSE(widget(id)->testAttribute(Qt::WA_SetFont));
        EXPECT_EQ(widget(id)->font(), QApplication::font(widget(id)));
    }
}

TEST_F(Layout, GridColoursAreExactAndADisabledLabelLooksDisabled) {
    const int played = card('S', 1);
    const int refill = card('D', 9);
    willDraw({refill});
    click(slot(0));
    QLabel* gone = gridLabel(played);
    ASSERT_FALSE(gone->isEnabled());
    EXPECT_EQ(textColor(played), QColor(255, 0, 0));  // still red, as when it was drawn
    EXPECT_EQ(gone->palette().color(QPalette::Disabled, QPalette::WindowText),
              QApplication::palette(gone).color(QPalette::Disabled, QPalette::WindowText));
    EXPECT_FALSE(showsHue(gone, 0));  // the grey disabled look, no red
    EXPECT_TRUE(showsHue(gridLabel(refill), 0));
    EXPECT_EQ(textColor(refill), QColor(255, 0, 0));
    EXPECT_TRUE(showsHue(gridLabel(card('C', 7)), 240));
    EXPECT_EQ(textColor(card('C', 7)), QColor(0, 0, 255));
}

// The hand's cards are red in the grid and every other card blue; a new deal colours
// its own five.
TEST_F(Layout, TheHandIsRedInTheGridAndEveryOtherCardBlue) {
    const auto red = [this] {
        QSet<int> cards;
        for (int n = 1; n <= 52; ++n) {
            EXPECT_TRUE(gridLabel(n)->isVisible()) << n;
            if (textColor(n) == QColor(255, 0, 0)) {
                cards.insert(n);
            } else {
                EXPECT_EQ(textColor(n), QColor(0, 0, 255)) << n;
            }
        }
        return cards;
    };
    EXPECT_EQ(red(),
              (QSet<int>{card('S', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)}));
    willDraw({card('D', 9)});
    click(slot(0));
    willDraw({card('H', 7), card('C', 1), card('C', 2), card('C', 3), card('C', 4)});
    click(command(0));
    EXPECT_EQ(red(),
              (QSet<int>{card('H', 7), card('C', 1), card('C', 2), card('C', 3), card('C', 4)}));
}

}  // namespace
}  // namespace vop::test
