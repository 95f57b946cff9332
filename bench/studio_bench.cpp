// The teachers' studio: opening a list of 500 words with their pictures until the window is painted, and importing a
// 4000 x 3000 phone photo (EXIF orientation 6) as a 600 x 600 picture. Prints one Markdown row per measurement.
#include "bench_support.h"
#include "tests/support/exif_jpeg.h"
#include "ui/glue/qt_picture_importer.h"
#include "ui/glue/toolkit_setup.h"
#include "ui/studio/studio_window.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdio>

using namespace tavenzo;

namespace {

class NoDialogs final : public StudioDialogs {
public:
    UnsavedAnswer askUnsaved(const QString&) override { return UnsavedAnswer::Discard; }
    QString chooseListToOpen(const QString&) override { return {}; }
    QString chooseListToSave(const QString&) override { return {}; }
    QString choosePicture(const QString&) override { return {}; }
};

// A photo-like picture: a gradient with shapes, so the JPEG costs what a camera's does to decode.
QImage photo(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(30, 90, 200));
    sky.setColorAt(1, QColor(240, 200, 80));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor::fromHsv((i * 37) % 360, 180, 220));
        painter.drawEllipse(QPoint((i * 613) % size.width(), (i * 287) % size.height()), 150 + i * 7, 100 + i * 5);
    }
    painter.end();
    return image;
}

void row(const char* what, std::vector<double>& ms, double target)
{
    const double p50 = bench::percentile(ms, 0.5);
    const double p95 = bench::percentile(ms, 0.95);
    const double max = bench::percentile(ms, 1.0);
    std::printf("| %s | %zu | %.1f | %.1f | %.1f | ≤ %.0f ms: %s |\n", what, ms.size(), p50, p95, max, target,
        p95 <= target ? "met" : "**missed**");
}

} // namespace

int main(int argc, char** argv)
{
    ui::registerResources();
    QApplication app(argc, argv);
    ui::setUpToolkit(app);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    bench::GeneratedProgramFolder folder(500, bench::kGeneratedPictureSide);
    QTemporaryDir teacher;
    if (!folder.isValid() || !teacher.isValid()) {
        std::fprintf(stderr, "studio_bench: cannot make the generated list\n");
        return 1;
    }
    bench::YesBoxes boxes;
    NoDialogs dialogs;
    ui::QtPictureImporter importer;

    std::printf("| studio | runs | p50 ms | p95 ms | max ms | target |\n|---|---|---|---|---|---|\n");
    std::vector<double> opening;
    for (int i = 0; i < runs; ++i) {
        // A window of its own each time: its picture cache is empty, as when the teacher starts the studio.
        ui::StudioWindow window(Paths(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher.path()), boxes, dialogs, importer);
        window.show();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        window.openList(folder.listPath());
        window.repaint();
        QApplication::processEvents();
        opening.push_back(timer.nsecsElapsed() / 1e6);
        if (window.table()->rowCount() != 500) {
            std::fprintf(stderr, "studio_bench: the list opened with %d rows\n", window.table()->rowCount());
            return 1;
        }
    }
    row("open a list of 500 words with 600 x 600 pictures, until painted", opening, 300);

    const QString source = QDir(teacher.path()).filePath(QStringLiteral("IMG_0001.jpg"));
    {
        QFile file(source);
        file.open(QIODevice::WriteOnly);
        file.write(testing::jpegWithOrientation(photo({3000, 4000}).transformed(QTransform().rotate(270)), 6));
    }
    const QString target = QDir(teacher.path()).filePath(QStringLiteral("jpg/foto.jpg"));
    QDir().mkpath(QFileInfo(target).absolutePath());
    std::vector<double> importing;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const bool readable = importer.uprightSize(source).isValid();
        const QString failure = importer.importPicture(source, target, {});
        importing.push_back(timer.nsecsElapsed() / 1e6);
        if (!readable || !failure.isEmpty()) {
            std::fprintf(stderr, "studio_bench: the import failed: %s\n", qPrintable(failure));
            return 1;
        }
    }
    row("import a 4000 x 3000 phone photo (EXIF orientation 6) as 600 x 600", importing, 400);
    return 0;
}
