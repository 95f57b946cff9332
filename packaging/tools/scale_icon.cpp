// Writes the application icon into a hicolor theme tree: <out>/<n>x<n>/apps/<name>.png for every size given.
//   scale_icon <source.png> <out-dir> <name> <size>...
// The source is the largest rendering of the window icon; the smaller sizes are area-averaged from it.

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: scale_icon <source.png> <out-dir> <name> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);

    QImage original(source);
    if (original.isNull()) {
        std::fprintf(stderr, "scale_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    original = original.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > original.width() || size > original.height()) {
            std::fprintf(stderr, "scale_icon: bad size %s\n", argv[i]);
            return 2;
        }
        const QImage scaled = original.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_ARGB32);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !scaled.save(file, "PNG")) {
            std::fprintf(stderr, "scale_icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
