#include "core/alphabet.h"

namespace tavenzo {

const QString& keyboardAlphabet()
{
    static const QString letters = QStringLiteral("abcdefghilmnopqrstuvz");
    return letters;
}

bool onKeyboard(const QString& word)
{
    for (const QChar c : word.toLower()) {
        if (!keyboardAlphabet().contains(c)) {
            return false;
        }
    }
    return true;
}

} // namespace tavenzo
