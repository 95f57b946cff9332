#include "core/picture_import.h"

#include "core/content_finder.h"
#include "core/ports.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace tavenzo {

QRect cropSquare(QSize size, double offset)
{
    if (size.isEmpty()) {
        return {};
    }
    const int side = std::min(size.width(), size.height());
    const double shift = std::clamp(offset, -1.0, 1.0);
    const int slackX = size.width() - side;
    const int slackY = size.height() - side;
    const int x = static_cast<int>(std::lround(slackX / 2.0 * (1.0 + shift)));
    const int y = static_cast<int>(std::lround(slackY / 2.0 * (1.0 + shift)));
    return {x, y, side, side};
}

QRect fitInSquare(QSize size, int side)
{
    if (size.isEmpty() || side <= 0) {
        return {};
    }
    const QSize fitted = size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return {(side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted.width(), fitted.height()};
}

QString importTarget(const QString& listFolder, const QString& word)
{
    const QString name = word.trimmed();
    if (name.isEmpty() || listFolder.isEmpty() || !ContentFinder::isPortableName(name)
        || name.startsWith(QLatin1Char('.'))) {
        return {};
    }
    const QString folder = QDir::cleanPath(QDir(listFolder).absoluteFilePath(QStringLiteral("jpg")));
    const QString target = QDir::cleanPath(QDir(folder).filePath(name + QStringLiteral(".jpg")));
    // Whatever the word holds, the file lies directly in the jpg folder.
    if (QFileInfo(target).absolutePath() != folder) {
        return {};
    }
    return target;
}

ImportResult importWordPicture(const QString& listFolder, const QString& word, const QString& source,
    const Framing& framing, PictureImporter& importer, MessageBoxes& boxes)
{
    ImportResult result;
    result.target = importTarget(listFolder, word);
    if (result.target.isEmpty()) {
        result.outcome = ImportOutcome::Refused;
        result.message = QStringLiteral("La parola «%1» non può dare il nome a una figura: correggetela prima "
                                        "(senza /, \\, .. o caratteri invisibili).")
                             .arg(word.trimmed());
        return result;
    }
    if (!importer.uprightSize(source).isValid()) {
        result.outcome = ImportOutcome::Refused;
        result.message = QStringLiteral("Non riesco ad aprire la figura %1: il file è danneggiato o in un formato che "
                                        "non conosco.")
                             .arg(QDir::toNativeSeparators(source));
        return result;
    }
    // The word's picture in this list's own folder, in any ending the children's run would take.
    ContentFinder own(pictureKind(), {listFolder});
    const QString existing = own.find(word.trimmed());
    if (!existing.isEmpty()
        && !boxes.question(QStringLiteral("C'è già una figura per «%1» (%2). Volete sostituirla con quella nuova?")
                               .arg(word.trimmed(), QFileInfo(existing).fileName()))) {
        result.outcome = ImportOutcome::KeptExisting;
        result.target = existing;
        return result;
    }
    // A "Cane.JPG" replaced is written in place: a "cane.jpg" beside it would lose to it, sorting first. Any other
    // ending stays as it is, the new ".jpg" coming before it.
    if (!existing.isEmpty() && QFileInfo(existing).suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0) {
        result.target = existing;
    }
    if (!QDir().mkpath(QFileInfo(result.target).absolutePath())) {
        result.outcome = ImportOutcome::Failed;
        result.message = QStringLiteral("Non riesco a creare la cartella delle figure %1.")
                             .arg(QDir::toNativeSeparators(QFileInfo(result.target).absolutePath()));
        return result;
    }
    result.message = importer.importPicture(source, result.target, framing);
    if (!result.message.isEmpty()) {
        result.outcome = ImportOutcome::Failed;
        return result;
    }
    result.outcome = ImportOutcome::Imported;
    return result;
}

} // namespace tavenzo
