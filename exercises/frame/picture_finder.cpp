#include "exercises/frame/picture_finder.h"

#include "app/paths.h"

#include <QDir>
#include <QFileInfo>

namespace tavenzo {

PictureFinder::PictureFinder(QString programFolder)
    : m_programFolder(std::move(programFolder))
{
}

QString PictureFinder::formedPath(const QString& folderLiteral, const QString& word, const QString& extension) const
{
    return dataPath(m_programFolder, folderLiteral) + QLatin1Char('/') + word + extension;
}

bool PictureFinder::isSafeName(const QString& word)
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

const PictureFinder::Listing& PictureFinder::listing(const QString& folder)
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
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        // When two files differ only by case, the one sorting first wins, so the choice is stable.
        const QString key = name.toLower();
        if (!fresh.byLowerName.contains(key)) {
            fresh.byLowerName.insert(key, name);
        }
    }
    return *m_listings.insert(folder, fresh);
}

QString PictureFinder::find(const QString& folderLiteral, const QString& word, const QString& extension)
{
    if (!isSafeName(word)) {
        return {};
    }
    // The folder itself may be spelt in any case too ("\JPG\" finds "jpg").
    QString folderName = folderLiteral;
    folderName.remove(QLatin1Char('\\'));
    const QDir program(m_programFolder);
    QString folder;
    if (QFileInfo(program.filePath(folderName)).isDir()) {
        folder = program.filePath(folderName);
    } else {
        const QStringList subdirs = program.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& candidate : subdirs) {
            if (candidate.compare(folderName, Qt::CaseInsensitive) == 0) {
                folder = program.filePath(candidate);
                break;
            }
        }
    }
    if (folder.isEmpty()) {
        return {};
    }
    const Listing& files = listing(folder);
    const auto hit = files.byLowerName.constFind((word + extension).toLower());
    if (hit == files.byLowerName.constEnd()) {
        return {};
    }
    return folder + QLatin1Char('/') + *hit;
}

} // namespace tavenzo
