#include "core/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tavenzo {

namespace {
const QString kWordList = QStringLiteral("lista.txt");
} // namespace

Paths::Paths(QString bundledFolder, QString teacherFolder)
    : m_bundledFolder(std::move(bundledFolder))
    , m_teacherFolder(std::move(teacherFolder))
{
}

QString Paths::bundledFolderOf(const QString& programFolder)
{
    // The folder is taken as the layout shows it, not by what it holds: with lista.txt missing, the error names the
    // file where it belongs.
    const QString installed = QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/tavenzo")));
    return QFileInfo(installed).isDir() ? installed : programFolder;
}

QString Paths::teacherFolderOfUser()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("tavenzo"));
}

QString Paths::systemSettingsFile()
{
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/etc/xdg");
    }
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString file = QDir(dir).filePath(QStringLiteral("Tavenzo/tavenzo.conf"));
        if (QFileInfo(file).isFile()) {
            return file;
        }
    }
    return {};
}

QString Paths::folderNamedIn(const QString& settingsFile)
{
    if (settingsFile.isEmpty() || !QFileInfo(settingsFile).isFile()) {
        return {};
    }
    const QSettings settings(settingsFile, QSettings::IniFormat);
    // The INI format reads a comma as a list separator; a folder name may hold one.
    const QVariant value = settings.value(QStringLiteral("cartella"));
    const QString named = (value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                                    : value.toString())
                              .trimmed();
    if (named.isEmpty()) {
        return {};
    }
    return QDir::cleanPath(QFileInfo(settingsFile).absoluteDir().absoluteFilePath(named));
}

QString Paths::teacherFolderFor(const QString& commandLineFolder, const QString& settingsFile)
{
    if (!commandLineFolder.isEmpty()) {
        return QDir::cleanPath(QFileInfo(commandLineFolder).absoluteFilePath());
    }
    const QString named = folderNamedIn(settingsFile);
    return named.isEmpty() ? teacherFolderOfUser() : named;
}

QString Paths::bundledWordList() const
{
    return QDir(m_bundledFolder).filePath(kWordList);
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
    return QDir(m_bundledFolder).filePath(QStringLiteral("suoni"));
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
    add(m_bundledFolder);
    return places;
}

QStringList Paths::voicePlaces(const QString& listInForce) const
{
    QStringList places = contentPlaces(listInForce);
    // The bundled folder is the list's own when the bundled list is in force; only then does it stay.
    const QString bundled = QDir::cleanPath(m_bundledFolder);
    const bool bundledList
        = !listInForce.isEmpty() && QDir::cleanPath(QFileInfo(listInForce).absolutePath()) == bundled;
    if (!bundledList) {
        places.removeAll(bundled);
    }
    return places;
}

QString Paths::listDialogFolder() const
{
    if (!m_teacherFolder.isEmpty()) {
        const QStringList lists
            = QDir(m_teacherFolder)
                  .entryList({QStringLiteral("*.txt"), QStringLiteral("*.csv")}, QDir::Files, QDir::NoSort);
        if (!lists.isEmpty()) {
            return m_teacherFolder;
        }
    }
    return m_bundledFolder;
}

} // namespace tavenzo
