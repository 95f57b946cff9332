#pragma once

#include <QString>

namespace tavenzo {

// Data paths are the program folder followed by a suffix written with a leading backslash ("\lista.txt");
// the backslashes of the suffix become the local separator.
QString dataPath(const QString& programFolder, const QString& suffix);

} // namespace tavenzo
