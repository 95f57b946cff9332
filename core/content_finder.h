#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace tavenzo {

// A kind of file found by word: the folder it lies in, beside a list or in a place that holds content, and the
// endings it may have, the preferred first.
struct ContentKind {
    QString folder;
    QStringList extensions;
};

// Word pictures: "<word>.jpg" in a "jpg" folder, or the other endings a teacher's pictures come with.
ContentKind pictureKind();
// Recorded words: "<word>.wav" in a "voci" folder, or the compressed recordings a phone or an editor makes.
ContentKind voiceKind();

// Finds the file of a word, "<word><ending>", in the kind's folder of each place it was given, the first place
// first. Names are matched whatever their letter case (the kind's folder name too), and a word can only ever name a
// file inside such a folder.
class ContentFinder {
public:
    explicit ContentFinder(ContentKind kind, QStringList places = {});

    // The folders that hold the kind's folder, in the order they are searched.
    void setPlaces(const QStringList& places);
    // The kind's folder in each place, in search order, whether or not it exists.
    const QStringList& folders() const { return m_folders; }
    const ContentKind& kind() const { return m_kind; }

    // The existing file's path, or an empty string when the word has none.
    QString find(const QString& word);

    // Whether a word can be looked up as a file name: no folder separator, no "..", no control character.
    static bool isSafeName(const QString& word);
    // Whether the studio may write a file named after the word on any disk a school uses: a safe name with none of
    // the signs : * ? " < > | that a USB stick (FAT) or a Windows share refuses.
    static bool isPortableName(const QString& word);

private:
    struct Listing {
        QDateTime modified;
        QHash<QString, QString> byLowerName;
    };
    const Listing& listing(const QString& folder);
    static QString existingFolder(const QString& folder);

    ContentKind m_kind;
    QStringList m_folders;
    QHash<QString, Listing> m_listings;
};

} // namespace tavenzo
