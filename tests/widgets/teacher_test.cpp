#include "support/exif_jpeg.h"
#include "support/files.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

QByteArray picture(QColor colour, const char* format, QSize size = {60, 40})
{
    QImage image(size, colour.alpha() < 255 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

// Qt writes no GIF: a one-pixel GIF of the colour, by hand (header, a two-colour table, one image of index 0).
QByteArray gif(QColor colour)
{
    QByteArray bytes("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
    bytes.append(static_cast<char>(colour.red())).append(static_cast<char>(colour.green()));
    bytes.append(static_cast<char>(colour.blue())).append(3, '\0');
    bytes.append(QByteArray("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 16));
    return bytes;
}

QByteArray png(QColor colour, QSize size = {60, 40})
{
    return picture(colour, "PNG", size);
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// A sound PNG whose header claims 20000 x 20000 pixels.
QByteArray hugeDeclaredPng()
{
    QByteArray bytes = png(Qt::red);
    // The IHDR chunk follows the 8-byte signature: length, type, width, height, ..., CRC over type and data.
    const auto put32 = [&bytes](qsizetype at, quint32 value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
        }
    };
    put32(16, 20000);
    put32(20, 20000);
    put32(29, crc32(bytes.mid(12, 17)));
    return bytes;
}

// A teacher without administrator rights: a folder of their own with a list and pictures, and lists on a USB stick.
class Teacher : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid()); }
    QString put(const QString& relative, const QByteArray& bytes)
    {
        const QString path = QDir(root.path()).filePath(relative);
        EXPECT_TRUE(writeFile(path, bytes)) << path.toStdString();
        return path;
    }
    QString teacher() const { return QDir(root.path()).filePath(QStringLiteral("insegnante")); }
    static QColor middleOf(QLabel* picture)
    {
        const QImage image = picture->pixmap().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    QTemporaryDir root;
};

TEST_F(Teacher, OwnListAndPicturesFromTheTeachersFolder)
{
    put("insegnante/lista.txt", "drago\r\nfata\r\ncane\r\ngrifone\r\nmago\r\ngnomo\r\n");
    put("insegnante/jpg/Drago.PNG", png(Qt::darkGreen));
    put("insegnante/jpg/cane.png", png(Qt::blue)); // the teacher's own dog comes before the bundled one
    ProgramBench bench(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher());
    bench.random.setFallback(0.0);
    auto* menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(bench.program->state().NumeroParole, 6);
    EXPECT_EQ(bench.program->state().word(1), "drago");

    bench.random.setFallback(-1);
    bench.scriptChoices(1);
    click(control<QToolButton>(menu, "Command3D4"));
    auto* screen = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(middleOf(control<QLabel>(screen, "Image1")), QColor(Qt::darkGreen));
    bench.random.setFallback(0.0);
    bench.boxes.answers = {true};
    control<QAction>(screen, "mnuEsci")->trigger();
    menu = bench.current<ui::MenuScreen>();
    bench.random.setFallback(-1);
    bench.scriptChoices(3);
    click(control<QToolButton>(menu, "Command3D4"));
    screen = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(middleOf(control<QLabel>(screen, "Image1")), QColor(Qt::blue));
    EXPECT_TRUE(bench.boxes.errors.isEmpty());
    // The teacher's start-up list is checked as a list chosen from the menu is: the words without a picture named.
    ASSERT_EQ(bench.boxes.informations.size(), 1);
    EXPECT_TRUE(bench.boxes.informations.at(0).contains(QStringLiteral("grifone, gnomo.")))
        << bench.boxes.informations.at(0).toStdString();
    EXPECT_FALSE(bench.boxes.informations.at(0).contains(QStringLiteral("drago")));
}

// Phones, cameras and browsers save pictures in many formats: the teacher's own, in any of them, comes before the
// bundled picture of the same word; a file that cannot be shown is named, with why, instead of passing for "none".
TEST_F(Teacher, PicturesInEveryFormatThePlugInsReadAndThoseThatCannotBeShown)
{
    put("insegnante/lista.txt", "mela\r\ngatto\r\ncane\r\nsole\r\nfiore\r\npera\r\nuva\r\n");
    put("insegnante/jpg/mela.webp", picture(Qt::darkGreen, "WEBP"));
    put("insegnante/jpg/gatto.gif", gif(Qt::darkBlue));
    put("insegnante/jpg/cane.bmp", picture(Qt::darkMagenta, "BMP"));
    put("insegnante/jpg/sole.tiff", picture(Qt::darkCyan, "TIFF"));
    put("insegnante/jpg/fiore.png", png(QColor(255, 0, 0, 0))); // wholly see-through
    put("insegnante/jpg/pera.png", "not a picture at all");
    put("insegnante/jpg/uva.heic", "ftypheic and nothing else");
    ProgramBench bench(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher());
    bench.random.setFallback(0.0);
    auto* menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 0);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(bench.boxes.informations.size(), 1);
    const QString summary = bench.boxes.informations.at(0);
    EXPECT_TRUE(summary.contains(QStringLiteral("Queste figure non si possono mostrare, e al loro posto si vedrà un "
                                                "riquadro grigio: pera.png (file danneggiato), uva.heic (formato non "
                                                "riconosciuto).")))
        << summary.toStdString();
    EXPECT_FALSE(summary.contains(QStringLiteral("mela"))) << summary.toStdString();

    const std::vector<std::pair<int, QColor>> shown {
        {1, Qt::darkGreen}, {2, Qt::darkBlue}, {3, Qt::darkMagenta}, {4, Qt::darkCyan}, {5, Qt::white}};
    for (const auto& [slot, colour] : shown) {
        bench.random.setFallback(-1);
        bench.scriptChoices(slot, 7);
        click(control<QToolButton>(menu, "Command3D4"));
        auto* screen = bench.screen(ScreenId::WordForPicture);
        ASSERT_NE(screen, nullptr);
        const QColor seen = middleOf(control<QLabel>(screen, "Image1"));
        // WEBP is saved with loss: a shade off is the same colour.
        EXPECT_LE(std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green())
                + std::abs(seen.blue() - colour.blue()),
            12)
            << bench.program->state().word(slot).toStdString() << " shows " << seen.name().toStdString();
        bench.random.setFallback(0.0);
        bench.boxes.answers = {true};
        control<QAction>(screen, "mnuEsci")->trigger();
        menu = bench.current<ui::MenuScreen>();
        ASSERT_NE(menu, nullptr);
    }
}

TEST_F(Teacher, AListFromAUsbStickFindsItsPicturesBesideItAndTellsWhatWillNotWork)
{
    put("insegnante/jpg/fata.png", png(Qt::magenta));
    put("insegnante/jpg/mago.png", png(Qt::darkRed));
    put("chiavetta/jpg/mago.JPG", png(Qt::yellow));
    const QString list
        = put("chiavetta/settimana.txt", "mago;fata\r\n\r\ncane\tcittà\r\nzzz\r\nfata\r\nnuvoletta\r\n\r\n");
    ProgramBench bench(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher());
    bench.random.setFallback(0.0);
    auto* menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 0);
    ASSERT_NE(menu, nullptr);
    bench.chooser.names = {list};
    click(control<QToolButton>(menu, "Command3"));
    EXPECT_EQ(bench.chooser.startFolders.last(), QStringLiteral(TAVENZO_PROGRAM_DIR))
        << "the teacher's folder holds no list yet";
    ASSERT_EQ(bench.program->state().NumeroParole, 7);
    ASSERT_EQ(bench.boxes.informations.size(), 1);
    const QString summary = bench.boxes.informations.at(0);
    EXPECT_TRUE(summary.contains(QStringLiteral("non hanno una figura, e al loro posto si vedrà un riquadro grigio: "
                                                "città, zzz, nuvoletta.")))
        << summary.toStdString();
    EXPECT_FALSE(summary.contains(QStringLiteral("tastiera"))) << "città is typed with the key a";
    EXPECT_TRUE(summary.contains(QStringLiteral("2 righe vuote sono state saltate.")));

    bench.random.setFallback(-1);
    bench.scriptChoices(1, 7);
    click(control<QToolButton>(menu, "Command3D4"));
    auto* screen = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(middleOf(control<QLabel>(screen, "Image1")), QColor(Qt::yellow)) << "the stick's own picture first";

    // A list now sits in the teacher's folder, but in this run the dialog opens where the last list was chosen.
    put("insegnante/animali.txt", "orso\r\n");
    bench.random.setFallback(0.0);
    bench.boxes.answers = {true};
    control<QAction>(screen, "mnuEsci")->trigger();
    menu = bench.current<ui::MenuScreen>();
    click(control<QToolButton>(menu, "Command3"));
    EXPECT_EQ(bench.chooser.startFolders.last(), QFileInfo(list).absolutePath());
}

TEST_F(Teacher, AHugeOrBrokenPngGetsThePlaceholder)
{
    ui::PictureLoader loader;
    const QSize box {297, 297};
    const QImage placeholder = loader.placeholder(box).toImage();
    EXPECT_NE(loader.load(put("bene.png", png(Qt::cyan)), box).toImage(), placeholder);
    for (const QByteArray& bytes : {hugeDeclaredPng(), png(Qt::cyan).left(40), QByteArray("\x89PNG\r\n\x1a\n", 8)}) {
        const QPixmap shown = loader.load(put("rotta.png", bytes), box);
        EXPECT_EQ(shown.size(), box);
        EXPECT_EQ(shown.toImage(), placeholder);
    }
}

} // namespace

namespace {

// A teacher's phone photos as the children see them: turned upright, and drawn whole on white when not square, while a
// square picture still fills its box as the bundled ones always have.
TEST_F(Teacher, PhonePhotosAreUprightAndUndistortedSquarePicturesFillTheBox)
{
    put("insegnante/lista.txt", "drago\r\nfata\r\ncane\r\ngrifone\r\nmago\r\ngnomo\r\n");
    // Held sideways: the camera stored it a quarter turn away and says so in EXIF.
    put("insegnante/jpg/drago.jpg", jpegWithOrientation(storedFor(quarters({240, 120}), 6), 6));
    put("insegnante/jpg/fata.jpg", jpegWithOrientation(storedFor(quarters({120, 240}), 3), 3, false));
    put("insegnante/jpg/cane.png", png(Qt::blue, {90, 90}));
    ProgramBench bench(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher());
    bench.random.setFallback(0.0);
    auto* menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 0);
    ASSERT_NE(menu, nullptr);

    struct Seen {
        int slot;
        bool wide;
    };
    for (const Seen seen : {Seen {1, true}, Seen {2, false}}) {
        SCOPED_TRACE(seen.slot);
        bench.random.setFallback(-1);
        bench.scriptChoices(seen.slot, 6);
        click(control<QToolButton>(menu, "Command3D4"));
        auto* screen = bench.screen(ScreenId::WordForPicture);
        ASSERT_NE(screen, nullptr);
        const QImage shown = control<QLabel>(screen, "Image1")->pixmap().toImage();
        const int w = shown.width();
        const int h = shown.height();
        ASSERT_GT(w, 40);
        // The picture's own proportions (2:1 or 1:2) inside the box, so the rest of the box is white.
        const QRect drawn = seen.wide ? QRect(0, (h - w / 2) / 2, w, w / 2) : QRect((w - h / 2) / 2, 0, h / 2, h);
        const auto at = [&](double fx, double fy) {
            return shown.pixelColor(drawn.x() + int(fx * drawn.width()), drawn.y() + int(fy * drawn.height()));
        };
        EXPECT_TRUE(near(at(0.25, 0.25), Qt::red)) << at(0.25, 0.25).name().toStdString();
        EXPECT_TRUE(near(at(0.75, 0.25), Qt::green)) << at(0.75, 0.25).name().toStdString();
        EXPECT_TRUE(near(at(0.25, 0.75), Qt::blue)) << at(0.25, 0.75).name().toStdString();
        EXPECT_TRUE(near(at(0.75, 0.75), Qt::yellow)) << at(0.75, 0.75).name().toStdString();
        const QColor margin = seen.wide ? shown.pixelColor(w / 2, 1) : shown.pixelColor(1, h / 2);
        EXPECT_EQ(margin, QColor(Qt::white));
        bench.random.setFallback(0.0);
        bench.boxes.answers = {true};
        control<QAction>(screen, "mnuEsci")->trigger();
        menu = bench.current<ui::MenuScreen>();
        ASSERT_NE(menu, nullptr);
    }

    bench.random.setFallback(-1);
    bench.scriptChoices(3, 6);
    click(control<QToolButton>(menu, "Command3D4"));
    auto* screen = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(screen, nullptr);
    auto* box = control<QLabel>(screen, "Image1");
    const QImage square = box->pixmap().toImage();
    EXPECT_EQ(square.size(), box->contentsRect().size() * box->devicePixelRatioF());
    EXPECT_EQ(square.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(square.pixelColor(square.width() - 1, square.height() - 1), QColor(Qt::blue));
}

} // namespace
