#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace tavenzo {

// Finds a word's picture in the program's picture folder. Names are matched whatever their letter case, and a
// word can only ever name a file inside that folder.
class PictureFinder {
public:
    explicit PictureFinder(QString programFolder);

    // folderLiteral and extension as the screen writes them ("\jpg\" and ".jpg", or "\JPG\" and ".JPG").
    // Returns the existing file's path, or an empty string when the word has no picture.
    QString find(const QString& folderLiteral, const QString& word, const QString& extension);

    // The path as the screen forms it, before any lookup; what a screen would show as the file name.
    QString formedPath(const QString& folderLiteral, const QString& word, const QString& extension) const;

    static bool isSafeName(const QString& word);

private:
    struct Listing {
        QDateTime modified;
        QHash<QString, QString> byLowerName;
    };
    const Listing& listing(const QString& folder);

    QString m_programFolder;
    QHash<QString, Listing> m_listings;
};

} // namespace tavenzo
