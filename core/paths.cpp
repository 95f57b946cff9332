#include "core/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavenzo {

namespace {
const QString kWordList = QStringLiteral("lista.txt");
} // namespace

Paths::Paths(QString programFolder, QString teacherFolder)
    : m_programFolder(std::move(programFolder))
    , m_teacherFolder(std::move(teacherFolder))
{
}

QString Paths::teacherFolderOfUser()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("tavenzo"));
}

QString Paths::bundledWordList() const
{
    return QDir(m_programFolder).filePath(kWordList);
}

QString Paths::startupWordList() const
{
    if (!m_teacherFolder.isEmpty()) {
        const QString own = QDir(m_teacherFolder).filePath(kWordList);
        if (QFileInfo(own).isFile()) {
            return own;
        }
    }
    return bundledWordList();
}

QString Paths::soundFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("suoni"));
}

QStringList Paths::contentPlaces(const QString& listInForce) const
{
    QStringList places;
    const auto add = [&places](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !places.contains(clean)) {
            places.append(clean);
        }
    };
    if (!listInForce.isEmpty()) {
        add(QFileInfo(listInForce).absolutePath());
    }
    add(m_teacherFolder);
    add(m_programFolder);
    return places;
}

QString Paths::listDialogFolder() const
{
    if (!m_teacherFolder.isEmpty()) {
        const QStringList lists = QDir(m_teacherFolder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::NoSort);
        if (!lists.isEmpty()) {
            return m_teacherFolder;
        }
    }
    return m_programFolder;
}

} // namespace tavenzo
