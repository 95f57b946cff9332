#include "core/list_check.h"

#include "core/alphabet.h"
#include "core/content_finder.h"
#include "core/shared_state.h"

#include <QFileInfo>

namespace tavenzo {

namespace {

// A teacher reads ten names at a glance; the rest are counted.
constexpr qsizetype kNamed = 10;

QString named(const QStringList& words)
{
    QString text = words.mid(0, kNamed).join(QStringLiteral(", "));
    const qsizetype more = words.size() - kNamed;
    if (more == 1) {
        text += QStringLiteral(" e un'altra");
    } else if (more > 1) {
        text += QStringLiteral(" e altre %1").arg(more);
    }
    return text + QLatin1Char('.');
}

// One sentence for one word, another for several.
QString sentence(qsizetype count, const char* one, const char* several)
{
    return QString::fromUtf8(count == 1 ? one : several);
}

QString why(PictureCheck::Result result)
{
    return result == PictureCheck::Result::UnknownFormat ? QStringLiteral("formato non riconosciuto")
                                                         : QStringLiteral("file danneggiato");
}

} // namespace

ListCheck checkList(const SharedState& state, ContentFinder& pictures, PictureCheck& reader, int emptyLinesSkipped,
    ContentFinder* recordings)
{
    ListCheck check;
    check.emptyLinesSkipped = emptyLinesSkipped;
    QStringList seen;
    for (int slot = 1; slot <= state.NumeroParole; ++slot) {
        const QString& word = state.word(slot);
        if (seen.contains(word)) {
            continue;
        }
        seen.append(word);
        const QString file = pictures.find(word);
        if (file.isEmpty()) {
            check.withoutPicture.append(word);
        } else if (const PictureCheck::Result result = reader.check(file); result != PictureCheck::Result::Readable) {
            check.unreadable.push_back({word, file, result});
        }
        if (!onKeyboard(word)) {
            check.offKeyboard.append(word);
        }
        if (recordings != nullptr && recordings->find(word).isEmpty()) {
            check.synthesised.append(word);
        }
    }
    if (check.synthesised.size() == seen.size()) {
        check.synthesised.clear();
    }
    return check;
}

QString listCheckMessage(const ListCheck& check)
{
    if (check.clean()) {
        return {};
    }
    QStringList paragraphs {QStringLiteral("La lista è stata caricata.")};
    if (!check.withoutPicture.isEmpty()) {
        paragraphs << sentence(check.withoutPicture.size(),
                          "Questa parola non ha una figura, e al suo posto si vedrà un riquadro grigio: ",
                          "Queste parole non hanno una figura, e al loro posto si vedrà un riquadro grigio: ")
                + named(check.withoutPicture);
    }
    if (!check.unreadable.empty()) {
        QStringList files;
        for (const UnreadablePicture& picture : check.unreadable) {
            files << QStringLiteral("%1 (%2)").arg(QFileInfo(picture.file).fileName(), why(picture.why));
        }
        paragraphs << sentence(static_cast<qsizetype>(check.unreadable.size()),
                          "Questa figura non si può mostrare, e al suo posto si vedrà un riquadro grigio: ",
                          "Queste figure non si possono mostrare, e al loro posto si vedrà un riquadro grigio: ")
                + named(files);
    }
    if (!check.offKeyboard.isEmpty()) {
        paragraphs << sentence(check.offKeyboard.size(),
                          "Questa parola ha lettere che la tastiera sullo schermo non ha, e negli esercizi con le "
                          "lettere non viene proposta: ",
                          "Queste parole hanno lettere che la tastiera sullo schermo non ha, e negli esercizi con le "
                          "lettere non vengono proposte: ")
                + named(check.offKeyboard);
    }
    if (!check.synthesised.isEmpty()) {
        paragraphs << sentence(check.synthesised.size(),
                          "Questa parola non ha una vostra registrazione, e sarà letta dalla voce del programma: ",
                          "Queste parole non hanno una vostra registrazione, e saranno lette dalla voce del "
                          "programma: ")
                + named(check.synthesised);
    }
    if (check.emptyLinesSkipped == 1) {
        paragraphs << QStringLiteral("Una riga vuota è stata saltata.");
    } else if (check.emptyLinesSkipped > 1) {
        paragraphs << QStringLiteral("%1 righe vuote sono state saltate.").arg(check.emptyLinesSkipped);
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace tavenzo
