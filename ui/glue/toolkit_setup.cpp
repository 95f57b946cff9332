#include "ui/glue/toolkit_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

static void registerArt()
{
#ifdef TAVENZO_HAS_ART
    Q_INIT_RESOURCE(art);
#endif
}

namespace tavenzo::ui {

namespace {

class PluginRelease final : public QObject {
public:
    PluginRelease(QWidget* window, QStringList paths)
        : QObject(QCoreApplication::instance())
        , m_paths(std::move(paths))
    {
        if (window != nullptr) {
            window->installEventFilter(this);
            connect(window, &QObject::destroyed, this, &PluginRelease::release);
        }
        QTimer::singleShot(1000, this, &PluginRelease::release);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        // The window's own paint opens the pass that paints its children; giving the folders back right after it
        // keeps the rescan out of the first picture.
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, this, &PluginRelease::release);
        }
        return false;
    }

private:
    void release()
    {
        if (m_released) {
            return;
        }
        m_released = true;
        QCoreApplication::setLibraryPaths(m_paths);
        deleteLater();
    }

    QStringList m_paths;
    bool m_released = false;
};

} // namespace

QStringList holdBackPlugins()
{
    const QStringList paths = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    return paths;
}

void releasePluginsAfterFirstPaint(QWidget* window, const QStringList& paths)
{
    new PluginRelease(window, paths);
}

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
