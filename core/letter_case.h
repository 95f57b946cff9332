#pragma once

#include <QString>

namespace tavenzo {

// The case every exercise writes its words and letters in.
enum class LetterCase { Lower, Upper };

inline QString inCase(const QString& text, LetterCase letterCase)
{
    return letterCase == LetterCase::Upper ? text.toUpper() : text.toLower();
}

} // namespace tavenzo
