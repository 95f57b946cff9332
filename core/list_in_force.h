#pragma once

#include "core/content_finder.h"

#include <QString>

namespace tavenzo {

struct SharedState;
class MessageBoxes;
class Paths;

// The word list in force and what follows from it: the folders its words' files are looked for in, and what the
// teacher learns of a list just loaded. Start-up and the menu load lists through it alike.
class ListInForce {
public:
    ListInForce(SharedState& state, const Paths& paths, MessageBoxes& boxes, ContentKind pictures = pictureKind());

    // Reads the list into the shared word list. When it could be read it is the list in force: its words' pictures
    // are looked for beside it first, and the teacher is told which of its words will not work. When it could not,
    // the teacher is told so and the list in force stays as it was; answers false.
    bool load(const QString& path);

    // The file of the list in force; empty before any list could be read.
    const QString& path() const { return m_path; }
    ContentFinder& pictures() { return m_pictures; }

private:
    SharedState& m_state;
    const Paths& m_paths;
    MessageBoxes& m_boxes;
    QString m_path;
    ContentFinder m_pictures;
};

} // namespace tavenzo
