#include "ui/glue/sound_environment.h"

#include <QFileInfo>

#include <algorithm>

#include <unistd.h>

namespace tavenzo::ui {

namespace {

// A folder that only this user may enter, as the login manager makes it (and as the toolkit wants it).
bool isPrivateFolderOfOurs(const QString& path)
{
    const QFileInfo info(path);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::geteuid() && !(info.permissions() & others);
}

} // namespace

QList<EnvironmentVariable> soundLibraryEnvironment(const QProcessEnvironment& environment,
    const QString& loginRuntimeFolder, const std::function<bool(const QString&)>& exists)
{
    QList<EnvironmentVariable> added;
    const auto unset = [&environment](const char* name) { return environment.value(QLatin1String(name)).isEmpty(); };
    if (unset("XDG_RUNTIME_DIR")) {
        if (!loginRuntimeFolder.isEmpty()) {
            added.append(EnvironmentVariable {"XDG_RUNTIME_DIR", QFile::encodeName(loginRuntimeFolder)});
        } else if (unset("PULSE_RUNTIME_PATH") && unset("PULSE_SERVER")) {
            // Below a file, so the library can neither make the folder nor any folder above it.
            added.append(EnvironmentVariable {"PULSE_RUNTIME_PATH", "/dev/null/pulse"});
        }
    }
    if (unset("PULSE_COOKIE")) {
        const QString home = environment.value(QStringLiteral("HOME"));
        const QString config = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
        QStringList cookies {home + QStringLiteral("/.config/pulse/cookie"), home + QStringLiteral("/.pulse/cookie"),
            home + QStringLiteral("/.pulse-cookie")};
        if (!config.isEmpty()) {
            cookies.prepend(config + QStringLiteral("/pulse/cookie"));
        }
        if (std::none_of(cookies.cbegin(), cookies.cend(), exists)) {
            added.append(EnvironmentVariable {"PULSE_COOKIE", "/dev/zero"});
        }
    }
    return added;
}

void keepSoundLibraryOffDisk()
{
    const QString login = QStringLiteral("/run/user/%1").arg(::geteuid());
    const QList<EnvironmentVariable> added = soundLibraryEnvironment(QProcessEnvironment::systemEnvironment(),
        isPrivateFolderOfOurs(login) ? login : QString(), [](const QString& path) { return QFileInfo::exists(path); });
    for (const EnvironmentVariable& variable : added) {
        qputenv(variable.name.constData(), variable.value);
    }
}

} // namespace tavenzo::ui
