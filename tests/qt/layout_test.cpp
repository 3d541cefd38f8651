// The window's geometry, fonts and colours, read from the real widgets.
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class Layout : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('S', 1), card('S', 2), card('S', 3), card('S', 4), card('S', 5)});
    }
    // Where a control is: a button's widget, or a label where a screen reader finds it.
    QRect place(ControlId id) const {
        if (QWidget* w = widget(id)) {
            return w->geometry();
        }
        const QRect r = reader(id)->rect();
        return {window()->mapFromGlobal(r.topLeft()), r.size()};
    }
    // The colour most of a label's visible pixels have: its background.
    QColor backgroundOf(const QImage& image, ControlId id) const {
        std::map<QRgb, int> counts;
        const QRect r = place(id).adjusted(0, 0, -1, -1).intersected(image.rect());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                ++counts[image.pixel(x, y)];
            }
        }
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](auto a, auto b) { return a.second < b.second; });
        return most == counts.end() ? QColor() : QColor(most->first);
    }
};

TEST_F(Layout, ClientAreaIsFixedAt120By63Pixels) {
    EXPECT_EQ(window()->size(), QSize(120, 63));
    EXPECT_EQ(window()->minimumSize(), QSize(120, 63));
    EXPECT_EQ(window()->maximumSize(), QSize(120, 63));
    window()->resize(300, 200);
    EXPECT_EQ(window()->size(), QSize(120, 63));
}

TEST_F(Layout, FocusButtonIsOutsideTheClientAreaYetVisibleAndEnabled) {
    QWidget* focusButton = widget(kFocus);
    EXPECT_FALSE(window()->rect().intersects(focusButton->geometry()));
    EXPECT_TRUE(focusButton->isVisible());
    EXPECT_TRUE(focusButton->isEnabled());
    EXPECT_TRUE(focusButton->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(focusButton->visibleRegion().isEmpty());
}

TEST_F(Layout, TemplateLabelNeverShows) {
    EXPECT_FALSE(labelShowing(grid(0)));
    willDraw({card('D', 9)});
    click(slot(0));
    willDraw({card('H', 1), card('H', 2), card('H', 3), card('H', 4), card('H', 5)});
    click(command(0));
    ASSERT_EQ(slotText(4), "H 5");
    EXPECT_FALSE(labelShowing(grid(0)));
    EXPECT_EQ(labelText(grid(0)), "A");
}

TEST_F(Layout, GridLabelsTakeTheTemplatesSizeBackgroundAndFont) {
    const QImage image = shot();
    for (int n = 1; n <= 52; ++n) {
        EXPECT_EQ(place(grid(n)).size(), QSize(9, 9)) << n;
        EXPECT_EQ(backgroundOf(image, grid(n)), QColor(Qt::white)) << n;
        const QFont font = runtime.labelFont(grid(n));
        EXPECT_EQ(font.families().value(0), "Small Fonts") << n;
        EXPECT_EQ(font.pointSizeF(), 5.0) << n;
        EXPECT_EQ(font.weight(), QFont::Normal);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
    }
    for (int s = 0; s < 4; ++s) {
        const QFont font = runtime.labelFont(header(s));
        EXPECT_EQ(font.families().value(0), "Small Fonts");
        EXPECT_EQ(font.pointSizeF(), 5.25);
        // No background of its own: the window shows through.
        EXPECT_EQ(backgroundOf(image, header(s)), window()->palette().color(QPalette::Window));
    }
}

TEST_F(Layout, LabelGlyphsFitASevenPixelLine) {
    for (ControlId id : {grid(1), header(0)}) {
        const QFontMetrics metrics(runtime.labelFont(id));
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

}  // namespace
}  // namespace vop::test
