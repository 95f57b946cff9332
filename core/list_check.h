#pragma once

#include "core/ports.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tavenzo {

struct SharedState;
class ContentFinder;

// A word's picture file that exists but cannot be shown.
struct UnreadablePicture {
    QString word;
    QString file;
    PictureCheck::Result why;
};

// What a teacher should know of a list just loaded: the words the exercises cannot show or complete.
struct ListCheck {
    QStringList withoutPicture; // each word once, in list order
    std::vector<UnreadablePicture> unreadable; // a file named after the word that cannot be shown
    QStringList offKeyboard; // words with a letter no key types, which the letter exercises leave out
    // With the spoken word, in a list the teacher has recorded some words of: those the synthesiser will say.
    QStringList synthesised;
    int emptyLinesSkipped = 0;

    bool clean() const
    {
        return withoutPicture.isEmpty() && unreadable.empty() && offKeyboard.isEmpty() && synthesised.isEmpty()
            && emptyLinesSkipped == 0;
    }
};

// `recordings`, with the spoken word on, finds the teacher's recordings of the words. A list with none of them is
// said by the synthesiser throughout, as the teacher expects, and is not told of.
ListCheck checkList(const SharedState& state, ContentFinder& pictures, PictureCheck& reader, int emptyLinesSkipped,
    ContentFinder* recordings = nullptr);

// The text of the information box that tells the teacher; empty when the list is clean.
QString listCheckMessage(const ListCheck& check);

} // namespace tavenzo
