// The window on the desktop: its application id and title-bar icon, and its size on
// whichever platform the process runs on (offscreen here, Wayland under weston).
#include <QFile>
#include <QIcon>
#include <QImage>

#include "qt/qt_conversions.h"
#include "qt/qt_program.h"
#include "qt_fixture.h"

namespace vop::test {
namespace {

class Desktop : public QtGameTest {
  protected:
    void SetUp() override {
        identifyApplication(VOP_APP_ID);
        startWith({card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)});
    }
};

TEST_F(Desktop, TheProgramCarriesTheIdOfItsDesktopEntryAndTheTitleStaysTheCaption) {
    // The desktop entry the program installs is named after the id the window carries.
    EXPECT_TRUE(QFile::exists(QStringLiteral(VOP_SOURCE_DIR "/data/linux/%1.desktop")
                                  .arg(QGuiApplication::desktopFileName())));
    EXPECT_EQ(window()->windowHandle()->title(), countTitle(0));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

TEST_F(Desktop, TheTitleBarShowsTheGamesIconAsInstalled) {
    const QIcon icon = window()->windowHandle()->icon();
    ASSERT_FALSE(icon.isNull());
    // At least the sizes a title bar and a task switcher draw at 96 dpi, each the picture
    // the program installs for the icon theme.
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
    for (const QSize each : icon.availableSizes()) {
        const int size = each.width();
        const QString path =
            QStringLiteral(VOP_SOURCE_DIR "/data/icons/hicolor/%1x%1/apps/vop.png").arg(size);
        const QImage installed = QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(installed.isNull()) << path.toStdString();
        const QImage shown = icon.pixmap(QSize(size, size), 1.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, installed) << size;
    }
}

TEST(Platform, TheWindowOpensOnTheChosenPlatformAndKeepsItsSize) {
    ASSERT_EQ(QGuiApplication::platformName(), qEnvironmentVariable("QT_QPA_PLATFORM"));
    ScriptedRandom random;
    for (int n : {card('H', 7), card('H', 2), card('S', 7), card('C', 9), card('D', 13)}) {
        random.push(valueFor(n));
    }
    QtFormRuntime runtime{vopWindow(), random};
    frmVop game{runtime};
    runtime.start(game);
    QWidget* window = runtime.window();
    // Qt shows the window only after the compositor's first configure, so by now the
    // compositor has had its say on the size.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->size(), QSize(120, 63));
    EXPECT_EQ(window->windowHandle()->size(), QSize(120, 63));
    EXPECT_EQ(window->windowHandle()->title(), countTitle(0));
    EXPECT_TRUE(window->isVisible());
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        // Weston leaves the title bar to the program: Qt draws one, with the caption.
        EXPECT_GT(window->windowHandle()->frameMargins().top(), 0);
    }
}

}  // namespace
}  // namespace vop::test
