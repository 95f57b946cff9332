#include "core/studio_list.h"

#include "core/alphabet.h"
#include "core/content_finder.h"
#include "core/shared_state.h"
#include "core/word_list_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>

namespace tavenzo {

namespace {

QString sameWord(const QString& word)
{
    return word.trimmed().toLower();
}

bool needsQuotes(const QString& word)
{
    return word.contains(QLatin1Char(',')) || word.contains(QLatin1Char(';')) || word.contains(QLatin1Char('\t'))
        || word.startsWith(QLatin1Char(' ')) || word.endsWith(QLatin1Char(' '));
}

// The letters of a word no key types, each once.
QString lettersWithoutKey(const QString& word)
{
    QString missing;
    for (const QChar c : word) {
        const QString letter(c);
        if (!onKeyboard(letter) && !missing.contains(c)) {
            missing += (missing.isEmpty() ? QString() : QStringLiteral(" "))
                + (c == QLatin1Char(' ') ? QStringLiteral("spazio") : letter);
        }
    }
    return missing;
}

} // namespace

void StudioList::setWords(const QStringList& words)
{
    m_words = words;
    m_modified = false;
}

void StudioList::insert(int row, const QString& word)
{
    m_words.insert(std::clamp(row, 0, size()), word);
    m_modified = true;
}

void StudioList::remove(int row)
{
    if (row >= 0 && row < size()) {
        m_words.removeAt(row);
        m_modified = true;
    }
}

void StudioList::move(int from, int to)
{
    if (from < 0 || from >= size() || to < 0 || to >= size() || from == to) {
        return;
    }
    m_words.move(from, to);
    m_modified = true;
}

void StudioList::setWord(int row, const QString& word)
{
    if (row >= 0 && row < size() && m_words.at(row) != word) {
        m_words[row] = word;
        m_modified = true;
    }
}

int StudioList::paste(int row, const QString& text)
{
    const WordListReadResult read = readWordList(text.toUtf8());
    int at = std::clamp(row, 0, size());
    for (const QString& word : read.words) {
        m_words.insert(at++, word);
    }
    if (!read.words.empty()) {
        m_modified = true;
    }
    return static_cast<int>(read.words.size());
}

QByteArray StudioList::toFileText() const
{
    QByteArray text;
    for (const QString& word : m_words) {
        // A double quote cannot be written so that the reader gives it back: it is left out.
        QString kept = word;
        kept.remove(QLatin1Char('"'));
        kept.remove(QLatin1Char('\r'));
        kept.remove(QLatin1Char('\n'));
        if (kept.trimmed().isEmpty()) {
            continue;
        }
        if (needsQuotes(kept)) {
            kept = QLatin1Char('"') + kept + QLatin1Char('"');
        }
        text += kept.toUtf8() + "\r\n";
    }
    return text;
}

QStringList StudioList::problems(int row, const PictureLookup& pictures) const
{
    QStringList found;
    const QString& word = m_words.at(row);
    if (word.trimmed().isEmpty()) {
        return {QStringLiteral("La riga è vuota: non verrà salvata.")};
    }
    for (int other = 0; other < row; ++other) {
        if (sameWord(m_words.at(other)) == sameWord(word)) {
            found << QStringLiteral("È già nella lista, alla riga %1.").arg(other + 1);
            break;
        }
    }
    if (word.contains(QLatin1Char('"'))) {
        found << QStringLiteral("Le virgolette non si possono salvare in una lista: verranno tolte.");
    }
    if (!onKeyboard(word)) {
        found << QStringLiteral(
            "La tastiera sullo schermo non ha: %1. La parola va bene nei tre esercizi con le "
            "figure; gli esercizi con le lettere non la propongono, perché non si potrebbe completare.")
                     .arg(lettersWithoutKey(word));
    }
    // The quotes go when the list is saved, so they do not keep the word from having a picture.
    if (!ContentFinder::isPortableName(QString(word).remove(QLatin1Char('"')))) {
        found << QStringLiteral("Contiene segni che non possono stare nel nome di un file (/ \\ : * ? < > |, .. o "
                                "caratteri invisibili): non può avere una figura.");
        return found;
    }
    const QString picture = pictures.find ? pictures.find(word) : QString();
    if (picture.isEmpty()) {
        found << QStringLiteral("Non ha una figura: i bambini vedranno un riquadro grigio.");
    } else if (pictures.check) {
        const PictureCheck::Result result = pictures.check(picture);
        if (result != PictureCheck::Result::Readable) {
            found << QStringLiteral("La figura %1 non si può mostrare (%2): scegline un'altra.")
                         .arg(QFileInfo(picture).fileName(),
                             result == PictureCheck::Result::UnknownFormat ? QStringLiteral("formato non riconosciuto")
                                                                           : QStringLiteral("file danneggiato"));
        }
    }
    return found;
}

QString StudioList::summary() const
{
    int count = 0;
    for (const QString& word : m_words) {
        count += word.trimmed().isEmpty() ? 0 : 1;
    }
    const QString words = count == 1 ? QStringLiteral("1 parola") : QStringLiteral("%1 parole").arg(count);
    if (count == 0) {
        return QStringLiteral("La lista è vuota: aggiungete almeno una parola.");
    }
    if (count > kMaxWords) {
        return words
            + QStringLiteral(": troppe. Tavenzo ne legge al massimo %1, e le altre non compariranno negli "
                             "esercizi.")
                  .arg(kMaxWords);
    }
    if (count >= 6) {
        return words + QStringLiteral(": bastano per tutti e sei gli esercizi.");
    }
    if (count >= 3) {
        return words
            + QStringLiteral(": bastano per gli esercizi con le lettere e per le tre parole sotto le figure; per "
                             "scegliere tra sei parole o sei figure ne servono almeno 6.");
    }
    return words
        + QStringLiteral(": bastano solo per gli esercizi con le lettere; per le tre parole sotto le figure ne servono "
                         "almeno 3, per scegliere tra sei parole o sei figure almeno 6.");
}

StudioOpen openListFile(const QString& path)
{
    SharedState state;
    const WordListLoad load = loadWordListFile(path, state);
    StudioOpen opened;
    if (!load.loaded()) {
        opened.message = unreadableListMessage(path, load.why);
        return opened;
    }
    opened.ok = true;
    for (int slot = 1; slot <= state.NumeroParole; ++slot) {
        opened.words << state.word(slot);
    }
    if (load.status == LoadStatus::Truncated) {
        opened.message = tooManyWordsMessage();
    }
    return opened;
}

QString saveFailureMessage(SaveFailure failure, const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    QString why;
    switch (failure) {
    case SaveFailure::None:
        return {};
    case SaveFailure::MissingFolder:
        why = QStringLiteral("La cartella %1 non c'è (più): forse la chiavetta è stata tolta. Rimettetela, oppure "
                             "salvate la lista in un'altra cartella con «Salva con nome».")
                  .arg(folder);
        break;
    case SaveFailure::ReadOnly:
        why = QStringLiteral("Non ho il permesso di scrivere nella cartella %1. Salvate la lista in un'altra cartella "
                             "con «Salva con nome», per esempio nella vostra cartella personale.")
                  .arg(folder);
        break;
    case SaveFailure::DiskFull:
        why = QStringLiteral("Il disco o la chiavetta è pieno. Fate spazio, oppure salvate la lista altrove con «Salva "
                             "con nome».");
        break;
    case SaveFailure::Other:
        why = QStringLiteral(
            "La scrittura non è riuscita. Provate di nuovo, oppure salvate la lista altrove con «Salva "
            "con nome».");
        break;
    }
    return QStringLiteral("Non riesco a salvare la lista di parole:\n%1\n\n%2\n\nLa lista resta aperta e le modifiche "
                          "non sono perse.")
        .arg(file, why);
}

SaveResult saveFileAtomically(const QString& path, const QByteArray& bytes)
{
    const auto failed = [&path](SaveFailure failure) {
        return SaveResult {failure, saveFailureMessage(failure, path)};
    };
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) {
        return failed(SaveFailure::MissingFolder);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // With the folder there, a file that cannot even be begun is a folder one may not write in (a read-only
        // share, a locked USB stick), or one with no room for a new file.
        return failed(errno == ENOSPC || errno == EDQUOT ? SaveFailure::DiskFull : SaveFailure::ReadOnly);
    }
    const bool written = file.write(bytes) == bytes.size();
    const QFileDevice::FileError writeError = file.error();
    if (!written || !file.commit()) {
        // A short write or a failed flush on a medium with no room left is the full disk a teacher can mend.
        const bool full = writeError == QFileDevice::ResourceError || file.error() == QFileDevice::ResourceError
            || errno == ENOSPC || (QStorageInfo(folder.absoluteFilePath()).bytesAvailable() < bytes.size() + 4096);
        if (!QFileInfo(info.absolutePath()).isDir()) {
            return failed(SaveFailure::MissingFolder);
        }
        return failed(full ? SaveFailure::DiskFull : SaveFailure::Other);
    }
    return {};
}

SaveResult saveList(StudioList& list, const QString& path)
{
    const SaveResult result = saveFileAtomically(path, list.toFileText());
    if (result.ok()) {
        list.setPath(path);
        list.setModified(false);
    }
    return result;
}

} // namespace tavenzo
