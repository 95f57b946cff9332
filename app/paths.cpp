#include "app/paths.h"

#include <QDir>

namespace tavenzo {

QString dataPath(const QString& programFolder, const QString& suffix)
{
    QString local = suffix;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(programFolder + local);
}

} // namespace tavenzo
