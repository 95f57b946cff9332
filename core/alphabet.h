#pragma once

#include <QString>

namespace tavenzo {

// The 21 letters of the on-screen keyboard, lower case, in keyboard order: the Italian alphabet, which has no j, k,
// w, x or y.
const QString& keyboardAlphabet();

// Whether the letter exercises can complete the word: every letter of it has a key.
bool onKeyboard(const QString& word);

} // namespace tavenzo
