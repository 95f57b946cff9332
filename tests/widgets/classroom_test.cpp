#include "ui/glue/art.h"
#include "ui/glue/presentation.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"
#include "ui/screens/words_onto_pictures_screen.h"
#include "widget_fakes.h"

#include <QMenuBar>
#include <QPainter>
#include <QPointingDevice>
#include <QStyleHints>
#include <QSvgRenderer>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

const QStringList kWords {"orso", "maiale", "semaforo", "cane", "gatto", "luna"};

struct FitRow {
    QSize screen;
    double factor;
};

// The largest factor at which the client area and its menu bar fit: the narrower of the two directions decides.
class FitFactor : public ::testing::TestWithParam<FitRow> { };

TEST_P(FitFactor, ForAScreenOfThisSize)
{
    const FitRow row = GetParam();
    const double factor = ui::Presentation::fitFactor(row.screen, {672, 502}, 20);
    EXPECT_NEAR(factor, row.factor, 1e-3);
    EXPECT_LE(672 * factor, row.screen.width() + 1e-6);
    EXPECT_LE((502 + 20) * factor, row.screen.height() + 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Classroom, FitFactor,
    ::testing::Values(FitRow {{1920, 1080}, 1080.0 / 522}, FitRow {{1280, 800}, 800.0 / 522},
        FitRow {{3840, 2160}, 2160.0 / 522}, FitRow {{1000, 2000}, 1000.0 / 672}, FitRow {{640, 480}, 480.0 / 522}),
    [](const auto& info) {
        return std::to_string(info.param.screen.width()) + "x" + std::to_string(info.param.screen.height());
    });

// The whole program full-screen on a screen of the given area.
class Classroom : public ::testing::Test {
protected:
    void start(QRect area)
    {
        bench = std::make_unique<ProgramBench>(
            QStringLiteral(TAVENZO_PROGRAM_DIR), QString(), ui::Presentation(true, area));
        bench->random.setFallback(0.0);
        menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(*bench, 0);
        ASSERT_NE(menu, nullptr);
        bench->setWords(kWords);
        bench->random.setFallback(-1);
    }
    void TearDown() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(0); }
    QMainWindow* openWordForPicture(int position)
    {
        bench->scriptChoices(position);
        click(control<QToolButton>(menu, "Command3D4"));
        return bench->screen(ScreenId::WordForPicture);
    }
    ui::WordsOntoPicturesScreen* openWordsOntoPictures(int order)
    {
        for (int s = 1; s <= 3; ++s) {
            bench->random.pushSlot(s, 6);
        }
        bench->random.push({(order + 0.5) / 6.0, 0.0});
        click(control<QToolButton>(menu, "Command2"));
        return bench->current<ui::WordsOntoPicturesScreen>();
    }
    // A designed rectangle of the client area where the scaled screen must have it.
    static QRect expected(const ui::Stage& stage, QRect designed)
    {
        const QPoint topLeft = stage.point(designed.topLeft());
        const QPoint bottomRight = stage.point(designed.topLeft() + QPoint(designed.width(), designed.height()));
        return {topLeft, bottomRight - QPoint(1, 1)};
    }

    std::unique_ptr<ProgramBench> bench;
    ui::MenuScreen* menu = nullptr;
};

TEST_F(Classroom, EveryControlIsItsTableRectangleTimesTheFactorCentred)
{
    const QRect area(0, 0, 1920, 1080);
    start(area);
    EXPECT_EQ(menu->geometry(), area);
    auto* screen = openWordForPicture(1);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->geometry(), area) << "the window covers the screen";
    const ui::Stage stage = ui::stageOf(screen);
    const int bar = screen->menuBar()->height();
    EXPECT_GT(stage.factor, 1.9);
    EXPECT_LE(stage.factor * 672, 1920);
    EXPECT_LE(stage.factor * 502 + bar, 1080);

    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(choicesOf(screen)[static_cast<size_t>(k)]->geometry(), expected(stage, {48, 56 + 64 * k, 217, 57}))
            << "Label1(" << k << ")";
    }
    EXPECT_EQ(control<QLabel>(screen, "Image1")->geometry(), expected(stage, {304, 63, 297, 297}));
    EXPECT_EQ(control<QToolButton>(screen, "Command1")->geometry(), expected(stage, {472, 376, 129, 65}));
    EXPECT_EQ(
        control<QRadioButton>(screen, "Option2")->geometry(), expected(ui::Stage {stage.factor, {}}, {16, 32, 97, 17}))
        << "inside its frame, scaled and not moved";
    // Centred: as much room to the left of the client area as to its right, and above as below.
    const int left = stage.offset.x();
    const int right = screen->centralWidget()->width() - left - qRound(672 * stage.factor);
    EXPECT_LE(std::abs(left - right), 1);
    const int top = stage.offset.y();
    const int bottom = screen->centralWidget()->height() - top - qRound(502 * stage.factor);
    EXPECT_LE(std::abs(top - bottom), 1);
    EXPECT_GE(top, 0);

    // Fonts, pictures and the red mark grow with the rest.
    EXPECT_NEAR(choicesOf(screen)[0]->font().pointSizeF(), 18 * stage.factor, 0.01);
    const QPixmap picture = control<QLabel>(screen, "Image1")->pixmap();
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), control<QLabel>(screen, "Image1")->contentsRect().size());
    EXPECT_GE(control<QToolButton>(screen, "Command1")->iconSize().width(), qRound(32 * stage.factor));
}

TEST_F(Classroom, ADropAtAScaledBoxIsTakenAndTheWordsStandInScaledColumns)
{
    start({0, 0, 1280, 800});
    auto* screen = openWordsOntoPictures(3);
    ASSERT_NE(screen, nullptr);
    const ui::Stage stage = ui::stageOf(screen);
    EXPECT_GT(stage.factor, 1.4);
    // d = 3: Label1(1), Label1(2), Label1(0) from left to right.
    EXPECT_EQ(wordsOf(screen)[1]->geometry(), expected(stage, {14, 254, 197, 50}));
    EXPECT_EQ(wordsOf(screen)[0]->geometry(), expected(stage, {434, 254, 197, 50}));
    EXPECT_EQ(boxesOf(screen)[2]->geometry(), expected(stage, {432, 201, 197, 43}));
    bench->random.push({0.0});
    EXPECT_TRUE(dropWordOn(boxesOf(screen)[2], 2));
    EXPECT_EQ(boxesOf(screen)[2]->text(), "SEMAFORO");
    EXPECT_FALSE(dropWordAt(screen->centralWidget(), stage.point({214, 220}), 1)) << "the gap between two boxes";
}

TEST_F(Classroom, OnAScreenSmallerThanTheWindowEverythingShrinksAndStillFits)
{
    const QRect area(0, 0, 640, 480);
    start(area);
    auto* screen = openWordForPicture(1);
    ASSERT_NE(screen, nullptr);
    const ui::Stage stage = ui::stageOf(screen);
    EXPECT_LT(stage.factor, 1.0);
    const QRect client = screen->centralWidget()->rect();
    for (QWidget* control : screen->centralWidget()->findChildren<QWidget*>()) {
        if (control->isVisibleTo(screen)) {
            EXPECT_TRUE(client.contains(
                control->geometry().translated(control->parentWidget()->mapTo(screen->centralWidget(), QPoint(0, 0)))))
                << control->objectName().toStdString();
        }
    }
    EXPECT_LT(choicesOf(screen)[0]->font().pointSizeF(), 18);
}

// A picture of the art as its vector drawing gives it at a size in pixels, aspect ratio kept.
QImage vectorArt(const QString& name, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    EXPECT_TRUE(renderer.isValid()) << name.toStdString();
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

// The faces and the menu's pictures are drawn from their vector drawings at the size shown, at every scale and at a
// device pixel ratio of 2: nothing is a small picture made larger.
TEST_F(Classroom, FacesAndMenuPicturesAreDrawnAtTheSizeShown)
{
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        SCOPED_TRACE(size.width());
        start({QPoint(0, 0), size});
        for (const char* name :
            {"Command1", "Command3D2", "Command3D4", "Command3D3", "Command2", "Command3D6", "Command3D5"}) {
            auto* button = control<QToolButton>(menu, name);
            const QSize shown = button->iconSize();
            const QPixmap pixmap = button->icon().pixmap(shown);
            EXPECT_GE(pixmap.width(), shown.width() - 1) << name;
            EXPECT_GE(pixmap.height(), shown.height() - 1) << name;
        }
        const QImage ladybird = control<QToolButton>(menu, "Command1")
                                    ->icon()
                                    .pixmap(control<QToolButton>(menu, "Command1")->iconSize())
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(ladybird, vectorArt("ladybird", ladybird.size()));

        auto* screen = openWordForPicture(1);
        ASSERT_NE(screen, nullptr);
        auto* face = control<QLabel>(screen, "ComandoIconaSi");
        const QImage drawn = face->pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(drawn.size(), face->contentsRect().size());
        EXPECT_EQ(drawn, vectorArt("icon_si", drawn.size()));
        bench.reset();
    }
    const QPixmap dense = ui::artPixmap(QStringLiteral(":/art/icon_no.png"), {65, 57}, 2.0);
    EXPECT_EQ(dense.size(), QSize(130, 114));
    EXPECT_EQ(dense.devicePixelRatio(), 2.0);
    EXPECT_EQ(dense.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), vectorArt("icon_no", {130, 114}));
}

// What a screen shows, control by control: where it stands, its text and font size, whether it is on view.
std::string looksOf(QWidget* screen)
{
    QStringList looks;
    for (QWidget* control : screen->findChildren<QWidget*>()) {
        // The menu bar's own overflow button is laid out by the bar, not by the form.
        if (control->isWindow() || control->objectName().startsWith(QLatin1String("qt_"))) {
            continue;
        }
        QString text;
        if (auto* label = qobject_cast<QLabel*>(control)) {
            text = label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            text = button->text() + (button->isChecked() ? QStringLiteral(" [x]") : QString());
        }
        const QRect at = control->geometry();
        looks << QStringLiteral("%1 %2,%3 %4x%5 \"%6\" %7pt %8")
                     .arg(control->objectName())
                     .arg(at.x())
                     .arg(at.y())
                     .arg(at.width())
                     .arg(at.height())
                     .arg(text)
                     .arg(control->font().pointSizeF(), 0, 'f', 2)
                     .arg(control->isVisibleTo(screen) ? QStringLiteral("shown") : QStringLiteral("hidden"));
    }
    return looks.join(QLatin1Char('\n')).toStdString();
}

void pressF11(QWidget* screen)
{
    QTest::keyClick(screen, Qt::Key_F11);
}

// F11 takes the screen now open between a window of its own size and the whole screen; what it shows stays.
class FullScreenKey : public Classroom {
protected:
    void startInAWindow()
    {
        bench = std::make_unique<ProgramBench>(
            QStringLiteral(TAVENZO_PROGRAM_DIR), QString(), ui::Presentation(false, kArea));
        bench->random.setFallback(0.0);
        bench->program->start();
        bench->program->started();
    }
    static constexpr QRect kArea {0, 0, 1920, 1080};
};

TEST_F(FullScreenKey, SplashAndMenuGoFullScreenAndBack)
{
    startInAWindow();
    auto* splash = bench->current<ui::SplashScreen>();
    ASSERT_NE(splash, nullptr);
    const QSize designed = splash->size();
    const std::string windowed = looksOf(splash);
    pressF11(splash);
    EXPECT_EQ(splash->geometry(), kArea);
    EXPECT_GT(ui::stageOf(splash).factor, 1.7);
    EXPECT_GT(imagesOf(splash)[0]->width(), 1.7 * 100) << "the pictures grew with it";
    pressF11(splash);
    EXPECT_EQ(splash->size(), designed);
    EXPECT_EQ(ui::stageOf(splash).factor, 1.0);
    EXPECT_EQ(looksOf(splash), windowed) << "back as the form built it";

    click(imagesOf(splash)[0]);
    auto* menu = bench->current<ui::MenuScreen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->size(), QSize(676, 498)) << "the screens after it open in a window too";
    pressF11(menu);
    EXPECT_EQ(menu->geometry(), kArea);
    const std::string full = looksOf(menu);
    pressF11(menu);
    pressF11(menu);
    EXPECT_EQ(looksOf(menu), full) << "a second time full-screen is the same as the first";
    EXPECT_GT(control<QToolButton>(menu, "Command3D4")->iconSize().width(), 1.7 * 56) << "the pictures grew with it";
}

TEST_F(FullScreenKey, EveryExerciseKeepsItsItemAndItsCounts)
{
    startInAWindow();
    click(imagesOf(bench->current<ui::SplashScreen>())[0]);
    bench->setWords(kWords);
    for (const ExerciseScreen& row : kExerciseScreens) {
        SCOPED_TRACE(std::string(row.form));
        auto* menu = bench->current<ui::MenuScreen>();
        ASSERT_NE(menu, nullptr);
        // Exercises that draw different words are scripted; the others take the first word.
        if (row.id == ScreenId::WordForPicture || row.id == ScreenId::PictureForWord) {
            bench->scriptChoices(2);
        } else if (row.id == ScreenId::WordsOntoPictures) {
            for (int s = 1; s <= 3; ++s) {
                bench->random.pushSlot(s, 6);
            }
            bench->random.push({0.5 / 6.0, 0.0});
        }
        click(control<QToolButton>(menu, std::string(row.menuButton).c_str()));
        auto* screen = bench->screen(row.id);
        ASSERT_NE(screen, nullptr);
        const std::string designed = looksOf(screen);
        // Counts the switches must leave as they are.
        bench->program->state().ContaEsatti = 3;
        bench->program->state().ContaErrati = 2;
        const QSize size = screen->size();
        pressF11(screen);
        pressF11(screen);
        const std::string windowed = looksOf(screen);
        EXPECT_EQ(windowed, designed) << "back as the form built it";

        pressF11(screen);
        EXPECT_EQ(bench->screen(row.id), screen) << "the same screen, not a new one";
        EXPECT_EQ(screen->geometry(), kArea);
        const ui::Stage stage = ui::stageOf(screen);
        EXPECT_GT(stage.factor, 1.7);
        const std::string full = looksOf(screen);
        EXPECT_NE(full, windowed);

        pressF11(screen);
        EXPECT_EQ(screen->size(), size);
        EXPECT_EQ(ui::stageOf(screen).factor, 1.0);
        EXPECT_EQ(looksOf(screen), windowed) << "the same item, counts, places and fonts as before";
        pressF11(screen);
        EXPECT_EQ(looksOf(screen), full) << "no font or control scaled twice";
        EXPECT_EQ(bench->program->state().ContaEsatti, 3);
        EXPECT_EQ(bench->program->state().ContaErrati, 2);
        pressF11(screen);

        bench->boxes.answers.push_back(true);
        screen->findChild<QAction*>(QStringLiteral("mnuEsci"))->trigger();
        ASSERT_NE(bench->current<ui::MenuScreen>(), nullptr);
    }
}

// On a whiteboard a finger does what the mouse does.
class Touch : public Classroom {
protected:
    void SetUp() override { device.reset(QTest::createTouchDevice()); }
    // The program ends before the device does, so nothing holds it any more.
    void TearDown() override
    {
        bench.reset();
        device.reset();
        Classroom::TearDown();
    }
    void tap(QWidget* control)
    {
        QWindow* window = control->window()->windowHandle();
        const QPoint at = control->mapTo(control->window(), control->rect().center());
        QTest::touchEvent(window, device.get()).press(0, at, window);
        QTest::touchEvent(window, device.get()).release(0, at, window);
    }
    std::unique_ptr<QPointingDevice> device;
};

TEST_F(Touch, ATapIsAClickAndADoubleTapCountsOnce)
{
    start({0, 0, 1920, 1080});
    auto* screen = openWordForPicture(1);
    ASSERT_NE(screen, nullptr);
    tap(choicesOf(screen)[2]);
    EXPECT_EQ(control<QLabel>(screen, "EtichettaErrati")->text(), " 1");
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(400);
    tap(choicesOf(screen)[3]);
    tap(choicesOf(screen)[3]);
    EXPECT_EQ(control<QLabel>(screen, "EtichettaErrati")->text(), " 2") << "a double tap is one answer";
    QTest::qWait(500);
    bench->random.push({0.0});
    tap(choicesOf(screen)[0]);
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
}

TEST_F(Touch, AFingerDragsAWordOntoItsBox)
{
    start({0, 0, 1920, 1080});
    auto* screen = openWordsOntoPictures(0);
    ASSERT_NE(screen, nullptr);
    QWindow* window = screen->windowHandle();
    const auto at = [screen](QWidget* control) { return control->mapTo(screen, control->rect().center()); };
    const QPoint from = at(wordsOf(screen)[1]);
    const QPoint to = at(boxesOf(screen)[1]);
    const qsizetype labels = screen->findChildren<QLabel*>().size();
    bench->random.push({0.0});
    QTest::touchEvent(window, device.get()).press(0, from, window);
    QTest::touchEvent(window, device.get()).move(0, from + QPoint(0, -40), window);
    QTest::touchEvent(window, device.get()).move(0, (from + to) / 2, window);
    QTest::touchEvent(window, device.get()).move(0, to, window);
    QTest::touchEvent(window, device.get()).release(0, to, window);
    EXPECT_EQ(boxesOf(screen)[1]->text(), "MAIALE");
    EXPECT_FALSE(wordsOf(screen)[1]->isEnabled());
    EXPECT_EQ(bench->recorder.log, QStringList {"play si1.wav"});

    // Let go over the picture instead of its box, or tapped without moving: nothing happens.
    const QPoint word2 = at(wordsOf(screen)[2]);
    QTest::touchEvent(window, device.get()).press(0, word2, window);
    QTest::touchEvent(window, device.get()).move(0, at(picturesOf(screen)[2]), window);
    QTest::touchEvent(window, device.get()).release(0, at(picturesOf(screen)[2]), window);
    QTest::touchEvent(window, device.get()).press(0, word2, window);
    QTest::touchEvent(window, device.get()).release(0, word2, window);
    EXPECT_TRUE(wordsOf(screen)[2]->isEnabled());
    EXPECT_EQ(bench->program->state().ContaErrati, 0);
    EXPECT_EQ(screen->findChildren<QLabel*>().size(), labels) << "no finger image is left behind";
}

} // namespace
