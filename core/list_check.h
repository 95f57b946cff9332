#pragma once

#include <QString>
#include <QStringList>

namespace tavenzo {

struct SharedState;
class ContentFinder;

// What a teacher should know of a list just loaded: the words the exercises cannot show or complete.
struct ListCheck {
    QStringList withoutPicture; // each word once, in list order
    QStringList offKeyboard; // words with a letter the on-screen keyboard lacks
    int emptyLinesSkipped = 0;

    bool clean() const { return withoutPicture.isEmpty() && offKeyboard.isEmpty() && emptyLinesSkipped == 0; }
};

ListCheck checkList(const SharedState& state, ContentFinder& pictures, int emptyLinesSkipped);

// The text of the information box that tells the teacher; empty when the list is clean.
QString listCheckMessage(const ListCheck& check);

} // namespace tavenzo
