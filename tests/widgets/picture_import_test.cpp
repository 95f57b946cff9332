#include "core/fakes.h"
#include "core/picture_import.h"
#include "support/exif_jpeg.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/qt_picture_importer.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

struct Orientation {
    int tag;
    bool bigEndian;
};

void PrintTo(const Orientation& o, std::ostream* os)
{
    *os << "orientation " << o.tag << (o.bigEndian ? " MM" : " II");
}

class ImportedPhoto : public ::testing::TestWithParam<Orientation> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        // The scene is twice as wide as high; the camera stored it turned or mirrored as the tag says.
        photo = QDir(root.path()).filePath(QStringLiteral("foto.jpg"));
        QFile file(photo);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            jpegWithOrientation(storedFor(quarters({400, 200}), GetParam().tag), GetParam().tag, GetParam().bigEndian));
    }
    static void expectAt(const QImage& image, int x, int y, QColor colour)
    {
        EXPECT_TRUE(near(image.pixelColor(x, y), colour))
            << "at " << x << "," << y << ": " << image.pixelColor(x, y).name().toStdString() << " for "
            << colour.name().toStdString();
    }
    QTemporaryDir root;
    QString photo;
};

TEST_P(ImportedPhoto, IsUprightWhetherCroppedOrFittedAndSavedAs600Square)
{
    ui::QtPictureImporter importer;
    EXPECT_EQ(importer.uprightSize(photo), QSize(400, 200));

    const QImage fitted = ui::framedPicture(photo, {Framing::Mode::Fit, 0.0});
    ASSERT_EQ(fitted.size(), QSize(600, 600));
    expectAt(fitted, 150, 225, Qt::red);
    expectAt(fitted, 450, 225, Qt::green);
    expectAt(fitted, 150, 375, Qt::blue);
    expectAt(fitted, 450, 375, Qt::yellow);
    expectAt(fitted, 300, 40, Qt::white);
    expectAt(fitted, 300, 560, Qt::white);

    const QImage centred = ui::framedPicture(photo, {Framing::Mode::Crop, 0.0});
    expectAt(centred, 150, 150, Qt::red);
    expectAt(centred, 450, 150, Qt::green);
    expectAt(centred, 150, 450, Qt::blue);
    expectAt(centred, 450, 450, Qt::yellow);
    // Moved to the left end, the square holds only the left half of the scene.
    const QImage left = ui::framedPicture(photo, {Framing::Mode::Crop, -1.0});
    expectAt(left, 450, 150, Qt::red);
    expectAt(left, 450, 450, Qt::blue);

    // What the teacher's list gets, and what the children's screens then show, is the same upright square.
    FakeMessageBoxes boxes;
    const ImportResult result = importWordPicture(root.path(), QStringLiteral("drago"), photo, {}, importer, boxes);
    ASSERT_EQ(result.outcome, ImportOutcome::Imported) << result.message.toStdString();
    const QString saved = QDir(root.path()).filePath(QStringLiteral("jpg/drago.jpg"));
    EXPECT_EQ(result.target, saved);
    QImageReader reader(saved);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(600, 600));
    const QImage shown = ui::decodeWordPicture(saved, {100, 100});
    expectAt(shown, 25, 25, Qt::red);
    expectAt(shown, 75, 75, Qt::yellow);
    // The source picture is the photo's own, untouched.
    EXPECT_EQ(QImageReader(photo).transformation() == QImageIOHandler::TransformationNone, GetParam().tag == 1);
}

INSTANTIATE_TEST_SUITE_P(Exif, ImportedPhoto,
    ::testing::Values(Orientation {1, true}, Orientation {2, true}, Orientation {3, false}, Orientation {4, true},
        Orientation {5, true}, Orientation {6, true}, Orientation {6, false}, Orientation {7, false},
        Orientation {8, true}),
    [](const auto& info) {
        return "tag" + std::to_string(info.param.tag) + (info.param.bigEndian ? "_motorola" : "_intel");
    });

TEST(ImportedPicture, AFileNothingReadsIsRefusedAndNothingIsWritten)
{
    QTemporaryDir root;
    const QString fake = QDir(root.path()).filePath(QStringLiteral("foto.jpg"));
    QFile file(fake);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    ui::QtPictureImporter importer;
    FakeMessageBoxes boxes;
    const ImportResult result = importWordPicture(root.path(), QStringLiteral("cane"), fake, {}, importer, boxes);
    EXPECT_EQ(result.outcome, ImportOutcome::Refused);
    EXPECT_FALSE(QFileInfo::exists(QDir(root.path()).filePath(QStringLiteral("jpg"))));
}

} // namespace
