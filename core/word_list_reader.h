#pragma once

#include "core/shared_state.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

namespace tavenzo {

class MessageBoxes;

inline constexpr int kMaxWordLength = 255;

struct WordListReadResult {
    std::vector<QString> words; // at most kMaxWords, in file order
    bool truncated = false; // the file went on past the last word kept
    bool readError = false;
    bool binary = false; // a NUL byte: no text list holds one, so reading stopped there
    int emptyLinesSkipped = 0; // lines without a word (blank lines, the extra line end at the end of a file)
};

// Reads the fields of a word list: commas, semicolons, tabs and line ends (CR LF, LF or CR) end a field, blanks
// around a field are dropped, a field opening with a double quote runs to the next double quote. Empty fields are no
// words. Each line is read as UTF-8 when it is valid UTF-8 and as Windows-1252 otherwise. Reading stops after
// kMaxWords words, so the size of the input never costs memory.
WordListReadResult readWordList(QIODevice& device);
WordListReadResult readWordList(const QByteArray& bytes);

// Puts words read into slots 1..n and sets NumeroParole; nothing above slot kMaxWords, never slot 0.
void applyWordList(const WordListReadResult& read, SharedState& state);

enum class LoadStatus { Loaded, Truncated, Unreadable };

// Why a list could not be read, as the teacher is told.
enum class Refusal { None, Missing, NotAFile, NotAllowed, ReadFailed, NotText };

struct WordListLoad {
    LoadStatus status = LoadStatus::Unreadable;
    int emptyLinesSkipped = 0;
    Refusal why = Refusal::None;
    bool loaded() const { return status != LoadStatus::Unreadable; }
};

// Replaces the list in force with the file's words only when the whole file could be read as text; slots above
// the new length keep what they held, and slot 0 is never written. A binary file is refused like an unreadable one.
WordListLoad loadWordListFile(const QString& path, SharedState& state);

// The loading step of start-up and of the menu: loads and tells the user what went wrong, if anything.
WordListLoad CaricaElencoParole(const QString& path, SharedState& state, MessageBoxes& boxes);

QString tooManyWordsMessage();
QString unreadableListMessage(const QString& path, Refusal why);

} // namespace tavenzo
