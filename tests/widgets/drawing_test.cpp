#include "core/screen_id.h"
#include "ui/glue/art.h"
#include "ui/glue/looks.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/presentation.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/missing_letter_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

const QColor kQuadrants[4] = {QColor(200, 30, 30), QColor(30, 170, 40), QColor(30, 60, 210), QColor(240, 220, 40)};

// Four quadrants of clearly different colours, so that a picture decoded or resized at any size shows whether its
// parts stayed in place.
QImage quadrants(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2;
    const int h = size.height() / 2;
    painter.fillRect(0, 0, w, h, kQuadrants[0]);
    painter.fillRect(w, 0, size.width() - w, h, kQuadrants[1]);
    painter.fillRect(0, h, w, size.height() - h, kQuadrants[2]);
    painter.fillRect(w, h, size.width() - w, size.height() - h, kQuadrants[3]);
    return image;
}

bool near(const QColor& a, const QColor& b, int tolerance = 30)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// The middle of each quadrant has its colour.
void expectQuadrants(const QImage& image, const std::string& what)
{
    ASSERT_FALSE(image.isNull()) << what;
    const int w = image.width();
    const int h = image.height();
    const QPoint middles[4] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int q = 0; q < 4; ++q) {
        const QColor seen = image.pixelColor(middles[q]);
        EXPECT_TRUE(near(seen, kQuadrants[q])) << what << " quadrant " << q << ": " << seen.name().toStdString();
    }
}

TEST(Resized, DownToHalfTheExactSizeWithEveryPartInPlace)
{
    const std::pair<QSize, QSize> cases[] = {{{300, 300}, {167, 151}}, {{600, 600}, {345, 311}},
        {{600, 600}, {300, 300}}, {{418, 434}, {371, 385}}, {{600, 600}, {610, 610}}};
    for (const auto& [from, to] : cases) {
        const QImage result = ui::resized(quadrants(from), to);
        const std::string what = std::to_string(from.width()) + " -> " + std::to_string(to.width());
        EXPECT_EQ(result.size(), to) << what;
        EXPECT_FALSE(result.hasAlphaChannel()) << what;
        expectQuadrants(result, what);
    }
}

TEST(Resized, FurtherDownEveryPixelIsAveragedIn)
{
    // One-pixel stripes of black and white: sampling some pixels would give black or white here and there, averaging
    // gives grey throughout.
    QImage stripes(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < stripes.height(); ++y) {
        for (int x = 0; x < stripes.width(); ++x) {
            stripes.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    const QImage result = ui::resized(stripes, {61, 59});
    ASSERT_EQ(result.size(), QSize(61, 59));
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const int grey = qGray(result.pixel(x, y));
            ASSERT_TRUE(grey > 90 && grey < 165) << x << "," << y << ": " << grey;
        }
    }
}

TEST(Resized, TransparencyStaysAndTheSameSizeIsLeftAlone)
{
    QImage icon(128, 128, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter(&icon).fillRect(64, 0, 64, 128, QColor(30, 170, 40));
    const QImage result = ui::resized(icon, {96, 96});
    ASSERT_EQ(result.size(), QSize(96, 96));
    EXPECT_TRUE(result.hasAlphaChannel());
    EXPECT_EQ(qAlpha(result.pixel(10, 48)), 0);
    EXPECT_EQ(result.pixelColor(85, 48), QColor(30, 170, 40));

    EXPECT_EQ(ui::resized(icon, icon.size()).cacheKey(), icon.cacheKey());
    EXPECT_TRUE(ui::resized(QImage(), {10, 10}).isNull());
}

// Word pictures are decoded near the size of their box (a JPEG by halving, which its decoder does almost for free)
// and brought to the box exactly, whatever the box and the display's density.
class PictureSizes : public ::testing::Test {
protected:
    QString write(const QString& name, const char* format)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(quadrants({600, 600}).save(path, format, 95));
        return path;
    }
    QTemporaryDir dir;
    ui::PictureLoader loader;
};

TEST_F(PictureSizes, JpegAndPngFillEveryBoxWithTheirPartsInPlace)
{
    const QSize boxes[] = {{167, 151}, {297, 297}, {233, 233}, {345, 311}, {610, 610}, {70, 60}, {600, 600}};
    for (const char* format : {"JPG", "PNG"}) {
        const QString path = write(QStringLiteral("quadri.") + QString::fromLatin1(format).toLower(), format);
        for (const QSize& box : boxes) {
            for (const qreal ratio : {1.0, 2.0}) {
                const QPixmap pixmap = loader.load(path, box, ratio);
                const std::string what = std::string(format) + " " + std::to_string(box.width()) + "x"
                    + std::to_string(box.height()) + " at " + std::to_string(ratio);
                EXPECT_EQ(pixmap.size(), box * ratio) << what;
                EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), box) << what;
                expectQuadrants(pixmap.toImage(), what);
            }
        }
    }
}

TEST(Art, EachSizeComesFromTheSmallestSourceThatCoversIt)
{
    // The window icon is drawn at 32, 64 and 128 pixels, in PNG only.
    const QString exit = QStringLiteral(":/art/icon_window.png");
    EXPECT_EQ(ui::sharedIcon(exit, {32, 32}).availableSizes(), QList<QSize>({{32, 32}}));
    EXPECT_EQ(ui::sharedIcon(exit, {40, 40}).availableSizes(), QList<QSize>({{64, 64}}));
    EXPECT_EQ(ui::sharedIcon(exit, {66, 66}).availableSizes(), QList<QSize>({{128, 128}}));
    EXPECT_EQ(ui::sharedIcon(exit, {300, 300}).availableSizes(), QList<QSize>({{128, 128}}));
    // One icon object per size for the whole run.
    EXPECT_EQ(ui::sharedIcon(exit, {40, 40}).cacheKey(), ui::sharedIcon(exit, {50, 50}).cacheKey());
    EXPECT_NE(ui::sharedIcon(exit, {32, 32}).cacheKey(), ui::sharedIcon(exit, {50, 50}).cacheKey());
    // Art drawn from its SVG comes at exactly the size asked for, once per size.
    const QString avanti = QStringLiteral(":/art/icon_avanti.png");
    for (const QSize& shown : {QSize(32, 32), QSize(40, 40), QSize(300, 300)}) {
        EXPECT_EQ(ui::sharedIcon(avanti, shown).availableSizes(), QList<QSize>({shown}));
        EXPECT_EQ(ui::sharedIcon(avanti, shown).cacheKey(), ui::sharedIcon(avanti, shown).cacheKey());
    }

    for (const QSize& shown : {QSize(32, 32), QSize(65, 57), QSize(130, 114), QSize(20, 20)}) {
        const QPixmap pixmap = ui::artPixmap(QStringLiteral(":/art/icon_si.png"), shown, 1.0);
        EXPECT_EQ(pixmap.size(), shown);
        // Asked again at the same size, the same picture comes back without being drawn anew.
        EXPECT_EQ(ui::artPixmap(QStringLiteral(":/art/icon_si.png"), shown, 1.0).cacheKey(), pixmap.cacheKey());
    }
    const QPixmap splash = ui::artPixmap(QStringLiteral(":/art/splash0.png"), {371, 385}, 1.0);
    ASSERT_EQ(splash.size(), QSize(371, 385));
    EXPECT_EQ(splash.toImage().pixelColor(0, 0), QColor(0x00, 0xff, 0xff)) << "the window's cyan in the corner";
}

TEST(Art, RefreshGivesLabelsAndButtonsTheSizeTheyNowShow)
{
    QWidget window;
    auto* label = new QLabel(&window);
    label->setProperty("art", QStringLiteral("icon_si"));
    label->setGeometry(10, 10, 65, 57);
    auto* button = new QToolButton(&window);
    button->setIconSize({32, 32});
    ui::useSharedIcon(button, QStringLiteral(":/art/icon_window.png"));
    EXPECT_EQ(button->icon().availableSizes(), QList<QSize>({{32, 32}}));

    ui::refreshArt(&window);
    EXPECT_EQ(label->pixmap().size(), QSize(65, 57));
    EXPECT_EQ(button->icon().availableSizes(), QList<QSize>({{32, 32}}));

    label->setGeometry(10, 10, 130, 114);
    button->setIconSize({90, 90});
    ui::refreshArt(&window);
    EXPECT_EQ(label->pixmap().size(), QSize(130, 114));
    EXPECT_EQ(button->icon().availableSizes(), QList<QSize>({{128, 128}}));
}

// The screens in both presentations: in a window at their forms' sizes, and filling the screen (on the test
// platform's screen, a little larger than the forms).
class Screens : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        bench.random.setFallback(0.0);
        bench.program->start();
    }
    // Every picture of the art is shown at the size of its label, and every icon has a source at least as large as
    // it is shown.
    static void expectArtFits(QWidget* screen)
    {
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            if (!label->property("art").toString().isEmpty()) {
                EXPECT_EQ(label->pixmap().deviceIndependentSize().toSize(), label->contentsRect().size())
                    << label->objectName().toStdString();
            }
        }
        for (QAbstractButton* button : screen->findChildren<QAbstractButton*>()) {
            // The toolkit's own buttons (the menu bar's overflow arrow) bring their own icons.
            if (button->icon().isNull() || button->objectName().startsWith(QStringLiteral("qt_"))) {
                continue;
            }
            const QSize source = button->icon().availableSizes().value(0);
            EXPECT_TRUE(source.width() >= button->iconSize().width() || source.width() >= 128)
                << button->objectName().toStdString() << ": " << source.width() << " for "
                << button->iconSize().width();
        }
    }
    ProgramBench bench {QStringLiteral(TAVENZO_PROGRAM_DIR), QString(), ui::Presentation(GetParam())};
};

TEST_P(Screens, ArtIconsAndBackgroundAreDrawnAtTheSizeShown)
{
    auto* splash = bench.current<ui::SplashScreen>();
    ASSERT_NE(splash, nullptr);
    for (QLabel* image : imagesOf(splash)) {
        EXPECT_FALSE(image->pixmap().isNull());
    }
    expectArtFits(splash);

    click(imagesOf(splash)[0]);
    auto* menu = bench.current<ui::MenuScreen>();
    ASSERT_NE(menu, nullptr);
    for (const char* name :
        {"Command1", "Command3D1", "Command3D2", "Command3D4", "Command3D3", "Command2", "Command3D6", "Command3D5"}) {
        EXPECT_FALSE(control<QToolButton>(menu, name)->icon().isNull()) << name;
    }
    expectArtFits(menu);

    bench.program->open(ScreenId::MissingFirstLetter);
    auto* screen = bench.current<ui::MissingLetterScreen>();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->icon().isNull());
    expectArtFits(screen);
    // The exercise's colour fills the client area, where no control stands, when the window is painted.
    QWidget* client = screen->centralWidget();
    const QImage painted = client->grab().toImage();
    EXPECT_EQ(painted.pixelColor(2, 2), ui::BackgroundFill::of(client)->colour());
    EXPECT_EQ(painted.pixelColor(painted.width() - 3, painted.height() - 3), ui::BackgroundFill::of(client)->colour());
}

INSTANTIATE_TEST_SUITE_P(WindowAndFullScreen, Screens, ::testing::Bool(),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "FullScreen" : "Window"; });

} // namespace
