#pragma once

#include <QByteArray>
#include <QString>

namespace tavenzo {

// Whether the bytes of a field are UTF-8. A field cut at a byte limit may end in the middle of a character: when
// `cut` is set, an unfinished last character is dropped rather than taken for a sign of another encoding.
bool isUtf8(QByteArray& bytes, bool cut);

// Bytes in the Windows code page of Western Europe, the one Italian Windows saves text in.
QString fromWindows1252(const QByteArray& bytes);

// The text cut to at most that many characters, a character outside the basic plane counting once.
QString truncateToCharacters(QString text, int maxCharacters);

} // namespace tavenzo
