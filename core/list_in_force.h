#pragma once

#include "core/content_finder.h"

#include <QString>

namespace tavenzo {

struct SharedState;
class MessageBoxes;
class Paths;
class PictureCheck;

// The word list in force and what follows from it: the folders its words' files are looked for in, and what the
// teacher learns of a list just loaded. Start-up and the menu load lists through it alike.
class ListInForce {
public:
    ListInForce(SharedState& state, const Paths& paths, MessageBoxes& boxes, PictureCheck& pictureCheck,
        ContentKind pictures = pictureKind());

    // Reads the list into the shared word list. When it could be read it is the list in force and its words'
    // pictures are looked for beside it first; when it could not, the teacher is told so and the list in force stays
    // as it was, and the answer is false.
    bool read(const QString& path);
    // Tells the teacher which words of the list in force will not work, if any.
    void report();
    // With the spoken word on, the report also names the words of a partly recorded list that the synthesiser says.
    void setWordsSpoken(bool spoken) { m_wordsSpoken = spoken; }
    // Both, as after choosing a list in the menu.
    bool load(const QString& path);

    // The file of the list in force; empty before any list could be read.
    const QString& path() const { return m_path; }
    ContentFinder& pictures() { return m_pictures; }
    // The teacher's recordings of the words.
    ContentFinder& voices() { return m_voices; }

private:
    SharedState& m_state;
    const Paths& m_paths;
    MessageBoxes& m_boxes;
    PictureCheck& m_pictureCheck;
    QString m_path;
    int m_emptyLinesSkipped = 0;
    bool m_wordsSpoken = false;
    ContentFinder m_pictures;
    ContentFinder m_voices;
};

} // namespace tavenzo
