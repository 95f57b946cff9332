#include "ui/glue/toolkit_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

static void registerArt()
{
#ifdef TAVENZO_HAS_ART
    Q_INIT_RESOURCE(art);
#endif
}

namespace tavenzo::ui {

void registerResources()
{
    registerArt();
}

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void setUpToolkit(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Tavenzo"));
    QApplication::setOrganizationName(QStringLiteral("Tavenzo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavenzo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icon_window.png")));
    installFontSubstitutions();

    // Sound problems (no audio device, a damaged file) are not the user's business.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false\nqt.multimedia.*=false"));

    // Message boxes and the file dialog speak Italian whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QStringLiteral("qtbase_it"), translations)) {
        QApplication::installTranslator(qtbase);
    }
}

} // namespace tavenzo::ui
