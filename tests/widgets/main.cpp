#include "ui/glue/toolkit_setup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyleHints>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The suite runs headless unless a display is asked for explicitly.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("tavenzo-tests-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    tavenzo::ui::registerResources();
    QApplication app(argc, argv);
    tavenzo::ui::installFontSubstitutions();
    // A new screen ignores presses for the double-click interval; the tests click at once, so the interval is 0 but
    // where a test sets it to try the guard itself.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
