#include "ui/glue/command_line.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/toolkit_setup.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// The start-up order of the program: plugins held back, splash built and shown, plugins given back after its
// first paint. The splash must look the same, and the word pictures, which need the JPEG plugin, must load after.
class StartUp : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Whatever a case did, the next one finds the folders as the run began.
        QCoreApplication::setLibraryPaths(m_paths);
    }
    const QStringList m_paths = QCoreApplication::libraryPaths();
};

QString writeJpeg(const QTemporaryDir& dir)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    const QString path = dir.filePath(QStringLiteral("mela.jpg"));
    EXPECT_TRUE(image.save(path, "JPG"));
    return path;
}

TEST_F(StartUp, SplashShowsItsPicturesWhilePluginsAreHeldBackAndWordPicturesLoadOnceItIsPainted)
{
    QTemporaryDir dir;
    const QString jpeg = writeJpeg(dir);

    ProgramBench bench;
    bench.random.setFallback(0.0);
    bool pluginsHiddenWhileStarting = false;
    bool painted = false;
    ui::startWithoutPlugins(
        [&] {
            pluginsHiddenWhileStarting = QCoreApplication::libraryPaths().isEmpty();
            bench.program->start();
            return bench.program->currentScreen();
        },
        [&] { painted = true; });
    EXPECT_TRUE(pluginsHiddenWhileStarting);
    auto* splash = bench.current<ui::SplashScreen>();
    ASSERT_NE(splash, nullptr);
    for (QLabel* image : imagesOf(splash)) {
        EXPECT_FALSE(image->pixmap().isNull());
        EXPECT_EQ(image->pixmap().size(), image->size()) << "stored at the size of its box";
    }

    ASSERT_TRUE(QTest::qWaitFor([&] { return painted; }, 2000));
    EXPECT_EQ(QCoreApplication::libraryPaths(), m_paths) << "the folders are back before the work after the paint";

    ui::PictureLoader loader;
    const QColor middle = loader.load(jpeg, QSize(40, 30)).toImage().pixelColor(20, 15);
    // Dark blue, not the grey placeholder.
    EXPECT_GT(middle.blue(), 100);
    EXPECT_LT(middle.red() + middle.green(), 60);
}

TEST_F(StartUp, DeferredWorkRunsOnceAlsoWhenTheWindowGoesBeforeItIsPainted)
{
    int runs = 0;
    auto* window = new QWidget;
    ui::afterFirstPaint(window, [&runs] { ++runs; });
    delete window;
    EXPECT_EQ(runs, 1);
    // Neither the fallback timer nor anything else runs it again.
    QTest::qWait(1100);
    EXPECT_EQ(runs, 1);
}

// What the teacher may type: the program's own option, the help, the version, a slip; the toolkit's options pass
// through to it.
TEST(CommandLineOptions, FullScreenStudioFolderHelpVersionAndUnknownOptions)
{
    struct Case {
        QStringList arguments;
        std::optional<int> status;
        bool fullScreen;
        const char* out;
        const char* err;
        bool studio = false;
        const char* folder = "";
    };
    const Case cases[] = {
        {{"tavenzo"}, std::nullopt, false, "", ""},
        {{"tavenzo", "--schermo-intero"}, std::nullopt, true, "", ""},
        {{"tavenzo", "-platform", "offscreen", "--schermo-intero"}, std::nullopt, true, "", ""},
        {{"tavenzo", "--help", "--schermo-intero"}, 0, false, "Uso: tavenzo [opzioni]", ""},
        {{"tavenzo", "-h"}, 0, false, "--schermo-intero", ""},
        {{"tavenzo", "--help"}, 0, false, "--version ", ""},
        {{"tavenzo", "--version", "--schermo-intero"}, 0, false, "tavenzo " TAVENZO_VERSION "\nCopyright", ""},
        {{"tavenzo", "--schermo"}, 2, false, "", "tavenzo: opzione sconosciuta: --schermo\n\nUso:"},
        {{"tavenzo", "--insegnante"}, std::nullopt, false, "", "", true},
        {{"tavenzo", "--help"}, 0, false, "--insegnante ", ""},
        {{"tavenzo", "--help"}, 0, false, "--cartella CARTELLA", ""},
        {{"tavenzo", "--help"}, 0, false, "/etc/xdg/Tavenzo/tavenzo.conf", ""},
        {{"tavenzo", "--cartella", "/srv/classe 1A"}, std::nullopt, false, "", "", false, "/srv/classe 1A"},
        {{"tavenzo", "--cartella=/srv/1A", "--insegnante"}, std::nullopt, false, "", "", true, "/srv/1A"},
        {{"tavenzo", "--insegnante", "--cartella", "rel"}, std::nullopt, false, "", "", true, "rel"},
        {{"tavenzo", "--cartella"}, 2, false, "", "tavenzo: dopo --cartella ci vuole il nome di una cartella\n\nUso:"},
        {{"tavenzo", "--cartella", "--insegnante"}, 2, false, "", "tavenzo: dopo --cartella ci vuole"},
        {{"tavenzo", "--cartella="}, 2, false, "", "tavenzo: dopo --cartella ci vuole"},
        {{"tavenzo", "--help"}, 0, false, "--voce ", ""},
    };
    for (const Case& c : cases) {
        QString outText;
        QString errText;
        QTextStream out(&outText);
        QTextStream err(&errText);
        ui::CommandLine options;
        EXPECT_EQ(ui::readCommandLine(c.arguments, options, out, err), c.status) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.fullScreen, c.fullScreen) << c.arguments.join(' ').toStdString();
        EXPECT_FALSE(options.speakWord) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.studio, c.studio) << c.arguments.join(' ').toStdString();
        if (c.status == std::nullopt) {
            EXPECT_EQ(options.folder, QString::fromUtf8(c.folder)) << c.arguments.join(' ').toStdString();
        }
        // Nothing is written unless the run ends here.
        EXPECT_EQ(outText.isEmpty(), *c.out == '\0');
        EXPECT_TRUE(outText.contains(QLatin1String(c.out))) << outText.toStdString();
        EXPECT_EQ(errText.isEmpty(), *c.err == '\0');
        EXPECT_TRUE(errText.isEmpty() || errText.startsWith(QLatin1String(c.err))) << errText.toStdString();
    }
}

// The spoken word for one run, alone or with the full screen, in either order.
TEST(CommandLineOptions, VoiceForOneRun)
{
    for (const QStringList& arguments :
        {QStringList {"tavenzo", "--voce"}, QStringList {"tavenzo", "--voce", "--schermo-intero"},
            QStringList {"tavenzo", "--schermo-intero", "--voce"}}) {
        QString outText;
        QTextStream out(&outText);
        ui::CommandLine options;
        EXPECT_EQ(ui::readCommandLine(arguments, options, out, out), std::nullopt);
        EXPECT_TRUE(options.speakWord) << arguments.join(' ').toStdString();
        EXPECT_EQ(options.fullScreen, arguments.size() == 3);
        EXPECT_TRUE(outText.isEmpty());
    }
}

} // namespace
