#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tavenzo {

// Finds a word's picture, "<word>.jpg", "<word>.jpeg" or "<word>.png", in the picture folders it was given, the first
// folder first. Names are matched whatever their letter case (folder names too), and a word can only ever name a
// file inside a folder.
class PictureFinder {
public:
    explicit PictureFinder(QStringList folders);
    void setFolders(QStringList folders) { m_folders = std::move(folders); }
    const QStringList& folders() const { return m_folders; }

    // The existing file's path, or an empty string when the word has no picture.
    QString find(const QString& word);

    static bool isSafeName(const QString& word);

private:
    struct Listing {
        QDateTime modified;
        QHash<QString, QString> byLowerName;
    };
    const Listing& listing(const QString& folder);
    static QString existingFolder(const QString& folder);

    QStringList m_folders;
    QHash<QString, Listing> m_listings;
};

} // namespace tavenzo
