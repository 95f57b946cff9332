#include "core/list_check.h"

#include "core/alphabet.h"
#include "core/content_finder.h"
#include "core/shared_state.h"

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

} // namespace

ListCheck checkList(const SharedState& state, ContentFinder& pictures, int emptyLinesSkipped)
{
    ListCheck check;
    check.emptyLinesSkipped = emptyLinesSkipped;
    for (int slot = 1; slot <= state.NumeroParole; ++slot) {
        const QString& word = state.word(slot);
        if (!check.withoutPicture.contains(word) && pictures.find(word).isEmpty()) {
            check.withoutPicture.append(word);
        }
        if (!check.offKeyboard.contains(word) && !onKeyboard(word)) {
            check.offKeyboard.append(word);
        }
    }
    return check;
}

QString listCheckMessage(const ListCheck& check)
{
    if (check.clean()) {
        return {};
    }
    QStringList paragraphs {QStringLiteral("La lista è stata caricata, ma alcune cose vanno sapute:")};
    if (!check.withoutPicture.isEmpty()) {
        paragraphs << (check.withoutPicture.size() == 1 ? QStringLiteral("Questa parola non ha un'immagine: ")
                                                        : QStringLiteral("Queste parole non hanno un'immagine: "))
                + named(check.withoutPicture);
    }
    if (!check.offKeyboard.isEmpty()) {
        paragraphs << (check.offKeyboard.size() == 1
                              ? QStringLiteral("Questa parola ha lettere che la tastiera sullo schermo non ha, e negli "
                                               "esercizi con le lettere non si può completare: ")
                              : QStringLiteral("Queste parole hanno lettere che la tastiera sullo schermo non ha, e "
                                               "negli esercizi con le lettere non si possono completare: "))
                + named(check.offKeyboard);
    }
    if (check.emptyLinesSkipped == 1) {
        paragraphs << QStringLiteral("Una riga vuota è stata saltata.");
    } else if (check.emptyLinesSkipped > 1) {
        paragraphs << QStringLiteral("%1 righe vuote sono state saltate.").arg(check.emptyLinesSkipped);
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace tavenzo
