#include "core/content_finder.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace tavenzo {

ContentKind pictureKind()
{
    // JPEG and PNG first, as the bundled pictures and most teachers' are; then whatever else a teacher's camera,
    // phone or browser saves and the toolkit's picture plug-ins may read. A file found that cannot be read is named
    // by the check after loading, and the picture of a bundled word never stands in for the teacher's own.
    QStringList endings;
    for (const char* ending : {".jpg", ".jpeg", ".png", ".webp", ".gif", ".bmp", ".tif", ".tiff", ".heic", ".heif",
             ".avif", ".jp2", ".tga", ".ico", ".svg", ".pbm", ".pgm", ".ppm", ".xpm", ".xbm", ".wbmp", ".icns"}) {
        endings << QLatin1String(ending);
    }
    return {QStringLiteral("jpg"), endings};
}

ContentKind voiceKind()
{
    // WAV first: it needs no decoder beyond the toolkit's own, and it is what the studio records.
    return {QStringLiteral("voci"),
        {QStringLiteral(".wav"), QStringLiteral(".ogg"), QStringLiteral(".mp3"), QStringLiteral(".m4a")}};
}

ContentFinder::ContentFinder(ContentKind kind, QStringList places)
    : m_kind(std::move(kind))
{
    setPlaces(places);
}

void ContentFinder::setPlaces(const QStringList& places)
{
    m_folders.clear();
    for (const QString& place : places) {
        m_folders.append(QDir(place).filePath(m_kind.folder));
    }
}

bool ContentFinder::isSafeName(const QString& word)
{
    if (word.contains(QLatin1Char('/')) || word.contains(QLatin1Char('\\')) || word.contains(QStringLiteral(".."))) {
        return false;
    }
    for (const QChar c : word) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return false;
        }
    }
    return true;
}

bool ContentFinder::isPortableName(const QString& word)
{
    static const QString refused = QStringLiteral(":*?\"<>|");
    return isSafeName(word) && std::none_of(word.begin(), word.end(), [](QChar c) { return refused.contains(c); });
}

QString ContentFinder::existingFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir()) {
        return folder;
    }
    // A teacher's "JPG" serves as well as "jpg".
    const QFileInfo wanted(folder);
    const QDir parent = wanted.dir();
    const QStringList subdirs = parent.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& candidate : subdirs) {
        if (candidate.compare(wanted.fileName(), Qt::CaseInsensitive) == 0) {
            return parent.filePath(candidate);
        }
    }
    return {};
}

const ContentFinder::Listing& ContentFinder::listing(const QString& folder)
{
    // The folder is read once and read again only when it changes, so a teacher can add pictures while the
    // program runs without each exercise paying for a directory scan.
    const QFileInfo info(folder);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    auto it = m_listings.find(folder);
    if (it != m_listings.end() && it->modified == modified) {
        return *it;
    }
    Listing fresh;
    fresh.modified = modified;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        // When two files differ only by case, the one sorting first wins, so the choice is stable.
        const QString key = name.toLower();
        if (!fresh.byLowerName.contains(key)) {
            fresh.byLowerName.insert(key, name);
        }
    }
    return *m_listings.insert(folder, fresh);
}

QString ContentFinder::find(const QString& word)
{
    if (!isSafeName(word)) {
        return {};
    }
    const QString name = word.toLower();
    for (const QString& given : m_folders) {
        const QString folder = existingFolder(given);
        if (folder.isEmpty()) {
            continue;
        }
        const Listing& files = listing(folder);
        for (const QString& extension : m_kind.extensions) {
            const auto hit = files.byLowerName.constFind(name + extension.toLower());
            if (hit != files.byLowerName.constEnd()) {
                return QDir(folder).filePath(*hit);
            }
        }
    }
    return {};
}

} // namespace tavenzo
