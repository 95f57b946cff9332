#include "ui/glue/toolkit_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

static void registerArt()
{
#ifdef TAVENZO_HAS_ART
    Q_INIT_RESOURCE(art);
#endif
}

namespace tavenzo::ui {

namespace {

class AfterFirstPaint final : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> work)
        : QObject(QCoreApplication::instance())
        , m_work(std::move(work))
    {
        if (window != nullptr) {
            window->installEventFilter(this);
            connect(window, &QObject::destroyed, this, &AfterFirstPaint::run);
        }
        QTimer::singleShot(1000, this, &AfterFirstPaint::run);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        // The window's own paint opens the pass that paints its children; the work waits until that pass is done.
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, this, &AfterFirstPaint::run);
        }
        return false;
    }

private:
    void run()
    {
        if (m_done) {
            return;
        }
        m_done = true;
        m_work();
        deleteLater();
    }

    std::function<void()> m_work;
    bool m_done = false;
};

QtMessageHandler previousHandler = nullptr;

// The sound back end reports a missing audio device in the default category, where no filter rule reaches it.
void dropSoundNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    static const QStringList noise {QStringLiteral("No audio device detected"), QStringLiteral("PulseAudioService:")};
    for (const QString& start : noise) {
        if (message.startsWith(start)) {
            return;
        }
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

} // namespace

void startWithoutPlugins(const std::function<QWidget*()>& start, std::function<void()> afterPaint)
{
    const QStringList paths = QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths({});
    QWidget* first = start();
    afterFirstPaint(first, [paths, afterPaint = std::move(afterPaint)] {
        QCoreApplication::setLibraryPaths(paths);
        afterPaint();
    });
}

void afterFirstPaint(QWidget* window, std::function<void()> work)
{
    new AfterFirstPaint(window, std::move(work));
}

void registerResources()
{
    registerArt();
}

void keepSettingsOffDisk()
{
    // The program keeps nothing between runs, yet the file dialog stores its history and view in the user's
    // settings when it closes. A settings folder that cannot exist leaves the toolkit nothing to read and nowhere
    // to write.
    const QString nowhere = QStringLiteral("/dev/null");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void keepLargeBlocksReturnable()
{
#ifdef __GLIBC__
    // Every exercise decodes pictures of a megabyte or more on the worker threads and frees them with the screen.
    // glibc raises its mmap threshold each time such a block is freed, so that the next ones come from the threads'
    // heaps, which keep the freed pages: after ten rounds of every screen full-screen that held some 8 MiB of private
    // memory for nothing. A fixed threshold (the default's starting value) hands large blocks back at once.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void setUpToolkit(QApplication& app)
{
    keepLargeBlocksReturnable();
    QApplication::setApplicationName(QStringLiteral("Tavenzo"));
    QApplication::setOrganizationName(QStringLiteral("Tavenzo"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tavenzo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/icon_window.png")));
    keepSettingsOffDisk();
    installFontSubstitutions();

    // Sound problems (no audio device, a damaged file) are not the user's business.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false\nqt.multimedia.*=false"));
    previousHandler = qInstallMessageHandler(dropSoundNoise);

    // Message boxes and the file dialog speak Italian whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QStringLiteral("qtbase_it"), translations)) {
        QApplication::installTranslator(qtbase);
    }
}

} // namespace tavenzo::ui
