#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The content tools run during the build, where there may be no display, and their output is part of the build log.
// Call before the application object is made.
inline void prepareForTheBuild()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep build logs to what matters: the offscreen platform's runtime-dir notice is not.
    static const QtMessageHandler defaultHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set"))
            defaultHandler(type, context, message);
    });
}
