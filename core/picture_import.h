#pragma once

#include <QRect>
#include <QSize>
#include <QString>

namespace tavenzo {

class MessageBoxes;

// The side of every imported picture, as the bundled ones: sharp on a projector, small on disk.
inline constexpr int kImportedSide = 600;

// How a picture that is not square becomes square: the largest square of it (moved along its long side by `offset`,
// -1 at one end, 0 centred, 1 at the other), or the whole picture on white.
struct Framing {
    enum class Mode { Crop, Fit };
    Mode mode = Mode::Crop;
    double offset = 0.0;
};

// The part of an upright picture of `size` that a crop keeps.
QRect cropSquare(QSize size, double offset);
// Where the whole picture lands inside the square of `side`, kept in proportion and centred.
QRect fitInSquare(QSize size, int side);

// Reads a picture file the way the children's screens show it (upright by its EXIF orientation), frames it and
// writes it as a JPEG of kImportedSide pixels a side, atomically. The toolkit implements it.
class PictureImporter {
public:
    virtual ~PictureImporter() = default;
    // The upright size of the picture, invalid when no installed plug-in can read it.
    virtual QSize uprightSize(const QString& source) = 0;
    // An empty string on success, else why it failed in Italian.
    virtual QString importPicture(const QString& source, const QString& target, const Framing& framing) = 0;
};

// The file a word's imported picture goes to: "<word>.jpg" in the jpg folder beside the list. Empty when the word
// cannot name a file in that folder (empty, "..", "/", "\", control characters), so nothing is ever written outside
// it.
QString importTarget(const QString& listFolder, const QString& word);

enum class ImportOutcome { Imported, KeptExisting, Refused, Failed };

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Failed;
    QString target;
    QString message; // for the teacher when refused or failed
};

// Imports a picture for a word. A picture of the word already in the list's jpg folder is replaced only when the
// teacher says so to the question asked; the answer No keeps it untouched.
ImportResult importWordPicture(const QString& listFolder, const QString& word, const QString& source,
    const Framing& framing, PictureImporter& importer, MessageBoxes& boxes);

} // namespace tavenzo
