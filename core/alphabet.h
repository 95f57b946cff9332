#pragma once

#include <QString>

namespace tavenzo {

// The 21 letters of the on-screen keyboard, lower case, in keyboard order: the Italian alphabet, which has no j, k,
// w, x or y.
const QString& keyboardAlphabet();

// The key that types a letter of a word, in the letter's own case: the letter itself, or for an accented letter its
// plain one (the key "a" types the "à" of "città"). A letter with no key at all (j, k, an apostrophe) answers itself.
QString keyFor(const QString& letter);

// Whether the letter exercises can complete the word: every letter of it has a key.
bool onKeyboard(const QString& word);

} // namespace tavenzo
