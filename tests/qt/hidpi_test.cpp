// The window at the scale factor this process was started with (QT_SCALE_FACTOR 1,
// 1.25, 1.5 or 2): its size in device pixels, its controls' places, crisp text.
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <cstdlib>
#include <map>

#include "qt_fixture.h"

namespace vop::test {
namespace {

double requestedScale() {
    bool ok = false;
    const double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? scale : 1.0;
}

class HiDpi : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
        scale = requestedScale();
        device = window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The device pixel under a logical point.
    QRgb at(double x, double y) const {
        return device.pixel(static_cast<int>(std::floor(x * scale)),
                            static_cast<int>(std::floor(y * scale)));
    }
    double scale = 1.0;
    QImage device;
};

TEST_F(HiDpi, ClientAreaIs120By63TimesTheScaleInDevicePixels) {
    const std::map<double, QSize> expected{
        {1.0, {120, 63}}, {1.25, {150, 79}}, {1.5, {180, 95}}, {2.0, {240, 126}}};
    ASSERT_TRUE(expected.contains(scale)) << scale;
    EXPECT_EQ(window()->devicePixelRatio(), scale);
    EXPECT_EQ(window()->size(), QSize(120, 63));
    EXPECT_EQ(window()->windowHandle()->size(), QSize(120, 63));
    EXPECT_EQ(device.size(), expected.at(scale));
    window()->resize(200, 100);
    EXPECT_EQ(window()->size(), QSize(120, 63));
}

TEST_F(HiDpi, ControlsKeepTheirPlacesInDevicePixels) {
    // Between the ground (0..17) and the first hand slot (24..41) the window shows.
    const QRgb background = window()->palette().color(QPalette::Window).rgb();
    for (double y = 2; y < 31; y += 0.5) {
        for (double x = 17.5; x < 23.5; x += 0.5) {
            ASSERT_EQ(at(x, y), background) << x << "," << y;
        }
    }
    // Right of each grid label's glyph its white background shows, row by row and
    // column by column, down to the window's bottom edge across the clubs row. (The first
    // row's top pixel lies under the buttons above it, which overlap it by 15 twips.)
    for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 13; ++r) {
            const double left = 5 + 8 * r;
            const double top = 32 + 8 * s;
            for (double y = top + 1.5; y < std::min(top + 8.0, 63.0); y += 0.5) {
                ASSERT_EQ(at(left + 7.25, y), qRgb(255, 255, 255)) << s << " " << r << " " << y;
            }
        }
    }
    // Left of the grid, below the buttons, the window again.
    for (double y = 34; y < 63; y += 0.5) {
        ASSERT_EQ(at(12.5, y), background) << y;
    }
    // The hand slots and the commands keep the order and the overlaps of 96 dpi.
    EXPECT_EQ(widget(slot(0))->geometry(), QRect(24, 0, 17, 33));
    EXPECT_EQ(widget(slot(4))->geometry(), QRect(88, 0, 17, 33));
    EXPECT_EQ(widget(command(0))->geometry(), QRect(104, 0, 17, 17));
    EXPECT_EQ(widget(command(1))->geometry(), QRect(104, 16, 17, 17));
}

int lightness(QRgb c) {
    return QColor(c).lightness();
}

// The strongest step in lightness between two neighbouring device pixels in the rectangle.
int sharpestStep(const QImage& image, const QRect& area) {
    int sharpest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x < area.right(); ++x) {
            sharpest = std::max(sharpest, std::abs(lightness(image.pixel(x, y)) -
                                                   lightness(image.pixel(x + 1, y))));
        }
    }
    return sharpest;
}

TEST_F(HiDpi, TextIsDrawnByTheFontEngineAtDeviceResolution) {
    // The top band: the five card captions, "N" and "E", in device pixels.
    const QRect band(0, 0, device.width(), static_cast<int>(33 * scale));
    // Hinted glyph stems step from the face to the ink within one device pixel; a
    // picture drawn at 96 dpi and smoothed up to this size would step in two or more.
    EXPECT_GE(sharpestStep(device, band), 150);
    if (scale == 1.0) {
        return;
    }
    // Not the 96-dpi picture blown up, neither blocky nor smoothed: the font engine drew
    // the glyphs anew at this size.
    QPixmap plain(window()->size());
    plain.setDevicePixelRatio(1.0);
    window()->render(&plain);
    for (const Qt::TransformationMode mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
        const QImage blown = plain.toImage()
                                 .scaled(device.size(), Qt::IgnoreAspectRatio, mode)
                                 .convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                differing +=
                    std::abs(lightness(blown.pixel(x, y)) - lightness(device.pixel(x, y))) > 60 ? 1
                                                                                                : 0;
            }
        }
        EXPECT_GE(differing, band.width() * band.height() / 50) << mode;
    }
    if (scale == 2.0) {
        // A 96-dpi glyph doubled is made of 2 x 2 blocks; one drawn at 192 dpi is not.
        int mixedBlocks = 0;
        for (int y = 0; y + 1 < band.height(); y += 2) {
            for (int x = 0; x + 1 < band.width(); x += 2) {
                const QRgb c = device.pixel(x, y);
                mixedBlocks += device.pixel(x + 1, y) != c || device.pixel(x, y + 1) != c ||
                                       device.pixel(x + 1, y + 1) != c
                                   ? 1
                                   : 0;
            }
        }
        EXPECT_GE(mixedBlocks, 100);
    }
}

}  // namespace
}  // namespace vop::test
