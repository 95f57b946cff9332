#pragma once

#include "core/ports.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tavenzo {

class ContentFinder;

// Where a word's picture would come from, as the children's run would find it, and whether it can be shown.
struct PictureLookup {
    std::function<QString(const QString& word)> find; // the file, or empty
    std::function<PictureCheck::Result(const QString& path)> check;
};

// The list a teacher is preparing in the studio: the words in order, whether they have changed since the last save,
// and where the list lives. It knows what is wrong with each word, but shows nothing and writes nothing itself.
class StudioList {
public:
    int size() const { return static_cast<int>(m_words.size()); }
    const QString& word(int row) const { return m_words.at(static_cast<size_t>(row)); }
    const QStringList& words() const { return m_words; }

    void setWords(const QStringList& words); // a list just opened: nothing changed yet
    void insert(int row, const QString& word);
    void append(const QString& word) { insert(size(), word); }
    void remove(int row);
    void move(int from, int to);
    void setWord(int row, const QString& word);
    // A column of words copied from a spreadsheet or a document, put in at `row`: split as the children's reader
    // splits a list (line ends, tabs, semicolons, commas, quotes), empty fields left out. Answers how many.
    int paste(int row, const QString& text);

    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    // The file the list was opened from or last saved to; empty for a new list or a copy of a bundled one.
    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // The text of the list as it is saved: UTF-8, one word a line, CR LF line ends; empty words left out, a word the
    // reader would split (a comma, a semicolon, a blank at either end) kept whole in double quotes.
    QByteArray toFileText() const;

    // What is wrong with the word of a row, one plain Italian sentence per problem; none when it is fine.
    QStringList problems(int row, const PictureLookup& pictures) const;
    // How many words the list has and which exercises it is long enough for.
    QString summary() const;

private:
    QStringList m_words;
    QString m_path;
    bool m_modified = false;
};

// What the teacher answers when the studio is closed with unsaved changes.
enum class UnsavedAnswer { Save, Discard, Cancel };

// The studio's modal questions and file choosers; tests preset the answers.
class StudioDialogs {
public:
    virtual ~StudioDialogs() = default;
    virtual UnsavedAnswer askUnsaved(const QString& listName) = 0;
    // A list to open, or empty when the teacher gives up.
    virtual QString chooseListToOpen(const QString& startFolder) = 0;
    // Where to save, starting with the suggested file in the folder; empty when the teacher gives up.
    virtual QString chooseListToSave(const QString& suggestedPath) = 0;
    virtual QString choosePicture(const QString& startFolder) = 0;
};

// The words a list file holds, as the studio opens it (the same reader as the children's, UTF-16 with a mark too).
struct StudioOpen {
    bool ok = false;
    QStringList words;
    QString message; // why it could not be opened, or what was left out; empty when all is well
};
StudioOpen openListFile(const QString& path);

// Why a save failed.
enum class SaveFailure { None, MissingFolder, ReadOnly, DiskFull, Other };

struct SaveResult {
    SaveFailure failure = SaveFailure::None;
    QString message; // for the teacher, in Italian; empty on success
    bool ok() const { return failure == SaveFailure::None; }
};

// Writes the bytes to the path atomically: the old file stays whole until the new one is complete on disk.
SaveResult saveFileAtomically(const QString& path, const QByteArray& bytes);
QString saveFailureMessage(SaveFailure failure, const QString& path);

// Saves the list to `path` and, on success only, takes that path and marks the list saved; on failure the list keeps
// its unsaved changes.
SaveResult saveList(StudioList& list, const QString& path);

} // namespace tavenzo
