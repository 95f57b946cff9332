#pragma once

#include <QByteArray>
#include <QString>

namespace tavenzo {

// Whether the bytes of a field are UTF-8. A field cut at a byte limit may end in the middle of a character: when
// `cut` is set, an unfinished last character is dropped rather than taken for a sign of another encoding.
bool isUtf8(QByteArray& bytes, bool cut);

// Bytes in the Windows code page of Western Europe, the one Italian Windows saves text in.
QString fromWindows1252(const QByteArray& bytes);

// Text saved as UTF-16 with its byte order mark (Notepad's and Excel's "Unicode"), given as UTF-8 without the mark;
// empty for bytes that begin with neither mark. A lone surrogate becomes "?", a last odd byte is dropped.
// an empty result for bytes that do not begin with either mark. A lone surrogate becomes U+FFFD.
bool startsWithUtf16Mark(const QByteArray& firstBytes);
QByteArray utf16WithMarkToUtf8(const QByteArray& bytes);

// The text cut to at most that many characters, a character outside the basic plane counting once.
QString truncateToCharacters(QString text, int maxCharacters);

} // namespace tavenzo
