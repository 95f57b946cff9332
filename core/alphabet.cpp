#include "core/alphabet.h"

namespace tavenzo {

namespace {

// An accented letter's plain letter, from its canonical decomposition: "è" is "e" followed by the grave accent.
QChar plain(QChar c)
{
    if (c.decompositionTag() == QChar::Canonical) {
        const QString parts = c.decomposition();
        if (!parts.isEmpty() && parts.at(0).unicode() < 0x80 && parts.at(0).isLetter()) {
            return parts.at(0);
        }
    }
    return c;
}

} // namespace

const QString& keyboardAlphabet()
{
    static const QString letters = QStringLiteral("abcdefghilmnopqrstuvz");
    return letters;
}

QString keyFor(const QString& letter)
{
    return letter.size() == 1 ? QString(plain(letter.at(0))) : letter;
}

bool onKeyboard(const QString& word)
{
    for (const QChar c : word.toLower()) {
        if (!keyboardAlphabet().contains(plain(c))) {
            return false;
        }
    }
    return true;
}

} // namespace tavenzo
