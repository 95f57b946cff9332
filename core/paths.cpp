#include "core/paths.h"

#include <QDir>

namespace tavenzo {

Paths::Paths(QString programFolder)
    : m_programFolder(std::move(programFolder))
{
}

QString Paths::wordList() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("lista.txt"));
}

QString Paths::pictureFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("jpg"));
}

QString Paths::soundFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("suoni"));
}

} // namespace tavenzo
