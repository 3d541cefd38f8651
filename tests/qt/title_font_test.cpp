// The caption's Japanese characters in the fonts Qt picks for the title: real glyphs,
// never the empty box of a missing one.
#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include "qt_fixture.h"

namespace vop::test {
namespace {

class TitleFont : public QtGameTest {
  protected:
    void SetUp() override {
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    }
};

// The glyphs Qt's text engine picks for the text in this font, fallbacks included.
QList<QGlyphRun> shape(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns();
}

TEST_F(TitleFont, EveryJapaneseCharacterOfTheCaptionHasARealGlyph) {
    ASSERT_TRUE(title().contains(QString::fromUtf8("現在")));
    const QFont fonts[] = {window()->font(), QFontDatabase::systemFont(QFontDatabase::TitleFont),
                           QApplication::font()};
    for (const QFont& font : fonts) {
        for (const QChar c : QString::fromUtf8("現在枚")) {
            const QList<QGlyphRun> runs = shape(QString(c), font);
            ASSERT_EQ(runs.size(), 1) << font.family().toStdString();
            const QRawFont raw = runs[0].rawFont();
            const QList<quint32> glyphs = runs[0].glyphIndexes();
            ASSERT_EQ(glyphs.size(), 1);
            // Glyph 0 is the font's missing-glyph box.
            EXPECT_NE(glyphs[0], 0U) << raw.familyName().toStdString();
            EXPECT_TRUE(raw.supportsCharacter(c)) << raw.familyName().toStdString();
            // An ideograph has many strokes; the missing-glyph box has two outlines.
            EXPECT_GT(raw.pathForGlyph(glyphs[0]).elementCount(), 30)
                << raw.familyName().toStdString();
        }
    }
}

TEST_F(TitleFont, TheWholeCaptionShapesWithoutAMissingGlyph) {
    for (const QGlyphRun& run :
         shape(title(), QFontDatabase::systemFont(QFontDatabase::TitleFont))) {
        for (const quint32 glyph : run.glyphIndexes()) {
            EXPECT_NE(glyph, 0U) << run.rawFont().familyName().toStdString();
        }
    }
}

}  // namespace
}  // namespace vop::test
