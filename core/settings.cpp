#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <optional>

namespace tavenzo {

namespace {

const QString kSpeakWord = QStringLiteral("parola_letta");
const QString kPace = QStringLiteral("ritmo_voce");
const QString kFullScreen = QStringLiteral("schermo_intero");

// A settings file is a few lines; anything larger is not one.
constexpr qint64 kMaxBytes = 64 * 1024;

std::optional<bool> yesOrNo(const QString& value)
{
    const QString v = value.toLower();
    for (const char* yes : {"1", "true", "sì", "si", "yes", "on", "vero"}) {
        if (v == QString::fromUtf8(yes)) {
            return true;
        }
    }
    for (const char* no : {"0", "false", "no", "off", "falso"}) {
        if (v == QString::fromUtf8(no)) {
            return false;
        }
    }
    return std::nullopt;
}

QString written(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

QString settingsFile(const QString& teacherFolder)
{
    return teacherFolder.isEmpty() ? QString() : QDir(teacherFolder).filePath(QStringLiteral("impostazioni.conf"));
}

Settings readSettings(const QString& path)
{
    Settings settings;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return settings;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return settings;
    }
    // A teacher edits the file by hand until the studio has its page: lines "key=value", with blanks anywhere,
    // comments after "#" or ";", and section headers, which are ignored.
    const QString text = QString::fromUtf8(file.read(kMaxBytes));
    for (const QString& rawLine : text.split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts)) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';'))
            || line.startsWith(QLatin1Char('['))) {
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed().toLower();
        QString value = line.mid(equals + 1);
        const qsizetype comment = value.indexOf(QRegularExpression(QStringLiteral("[#;]")));
        if (comment >= 0) {
            value.truncate(comment);
        }
        value = value.trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) {
            value = value.mid(1, value.size() - 2).trimmed();
        }
        if (key == kSpeakWord) {
            settings.speakWord = yesOrNo(value).value_or(settings.speakWord);
        } else if (key == kFullScreen) {
            settings.fullScreen = yesOrNo(value).value_or(settings.fullScreen);
        } else if (key == kPace) {
            bool ok = false;
            const int pace = value.toInt(&ok);
            if (ok) {
                settings.pace = std::clamp(pace, Settings::kSlowestPace, Settings::kFastestPace);
            }
        }
    }
    return settings;
}

bool saveSettings(const QString& path, const Settings& settings, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return false;
    };
    if (path.isEmpty()) {
        return fail(QStringLiteral("Non c'è una cartella dove salvare le impostazioni."));
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return fail(QStringLiteral("Non riesco a creare la cartella %1.").arg(QFileInfo(path).absolutePath()));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    QString text;
    text += QStringLiteral("# Impostazioni di Tavenzo\n");
    text += QStringLiteral("# Leggi la parola dopo la risposta giusta\n%1=%2\n")
                .arg(kSpeakWord, written(settings.speakWord));
    text += QStringLiteral("# Ritmo della voce, in parole al minuto (da %1 a %2)\n%3=%4\n")
                .arg(Settings::kSlowestPace)
                .arg(Settings::kFastestPace)
                .arg(kPace)
                .arg(std::clamp(settings.pace, Settings::kSlowestPace, Settings::kFastestPace));
    text += QStringLiteral("# Parti a tutto schermo\n%1=%2\n").arg(kFullScreen, written(settings.fullScreen));
    file.write(text.toUtf8());
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

} // namespace tavenzo
