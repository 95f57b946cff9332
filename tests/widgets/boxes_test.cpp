#include "ui/glue/presentation.h"
#include "ui/glue/qt_ports.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QStyleHints>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// The boxes and the list dialog as the toolkit shows them, over a program laid out for a screen of one size; the
// seam looks at each and ends it.
struct BoxRow {
    const char* name;
    QSize screen; // empty: the screens keep the sizes of their forms
};

class Boxes : public ::testing::TestWithParam<BoxRow> {
protected:
    void SetUp() override
    {
        const QSize size = GetParam().screen;
        bench = std::make_unique<ProgramBench>(QStringLiteral(TAVENZO_PROGRAM_DIR), QString(),
            ui::Presentation(!size.isEmpty(), size.isEmpty() ? QRect() : QRect(QPoint(0, 0), size)));
        bench->random.setFallback(0.0);
        menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(*bench, 0);
        ASSERT_NE(menu, nullptr);
        menu->activateWindow();
        factor = std::max(1.0, ui::stageOf(menu).factor);
    }
    void TearDown() override
    {
        ui::setModalSeam({});
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
    }
    // Runs the seam on the next box or dialog, then ends it with `result`.
    void onNext(std::function<void(QDialog&)> look, int result = QDialog::Rejected)
    {
        ui::setModalSeam([this, look = std::move(look), result](QDialog& dialog) {
            ++shown;
            look(dialog);
            if (dialog.isVisible()) {
                dialog.done(result);
            }
        });
    }

    std::unique_ptr<ProgramBench> bench;
    ui::MenuScreen* menu = nullptr;
    double factor = 1.0;
    int shown = 0;
};

// The one line of text a box shows: whole on one line, as tall as its font's line.
void expectOneLine(QDialog& box, const QString& text)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("text"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), text);
    EXPECT_FALSE(label->wordWrap()) << "wraps";
    const QFontMetrics metrics(label->font());
    EXPECT_GE(label->width(), metrics.horizontalAdvance(text)) << "cut";
    EXPECT_LT(label->height(), 2 * metrics.lineSpacing()) << "on two lines";
}

TEST_P(Boxes, AQuestionGrowsWithTheScreenAndKeepsItsLineWhole)
{
    ui::QtMessageBoxes boxes;
    double points = 0;
    onNext(
        [&](QDialog& box) {
            EXPECT_EQ(box.windowTitle(), "Tavenzo");
            expectOneLine(box, "Vuoi tornare al menù?");
            points = box.findChild<QLabel*>(QStringLiteral("text"))->font().pointSizeF();
            auto* buttons = box.findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            ASSERT_EQ(buttons->buttons().size(), 2);
            for (QAbstractButton* button : buttons->buttons()) {
                EXPECT_GE(button->width(), qRound(80 * factor)) << button->text().toStdString();
                EXPECT_GE(button->height(), qRound(30 * factor)) << button->text().toStdString();
                EXPECT_GE(button->height(), QFontMetrics(button->font()).height()) << button->text().toStdString();
            }
            auto* yes = qobject_cast<QPushButton*>(buttons->button(QDialogButtonBox::Yes));
            ASSERT_NE(yes, nullptr);
            EXPECT_TRUE(yes->isDefault());
            const QSize icon
                = box.findChild<QLabel*>(QStringLiteral("icon"))->pixmap().deviceIndependentSize().toSize();
            EXPECT_GE(icon.width(), qRound(32 * factor) - 1);
            EXPECT_LE(box.width(), bench->program->currentScreen()->screen()->availableGeometry().width() * factor);
        },
        QDialog::Accepted);
    EXPECT_TRUE(boxes.question("Vuoi tornare al menù?"));
    EXPECT_EQ(shown, 1);
    EXPECT_GE(points, 12 * factor - 0.01) << "the box's text grows as the screen does";

    onNext([](QDialog&) {}, QDialog::Rejected);
    EXPECT_FALSE(boxes.question("Vuoi tornare al menù?")) << "closed without Sì is No";
}

TEST_P(Boxes, TheHelpWordIsAsLargeAsTheExercisesWord)
{
    bench->setWords({"cane"});
    click(control<QToolButton>(menu, "Command3D2"));
    auto* screen = bench->screen(ScreenId::SpellWord);
    ASSERT_NE(screen, nullptr);
    screen->activateWindow();
    const double word = 36 * std::max(1.0, ui::stageOf(screen).factor);
    ui::QtMessageBoxes boxes;
    onNext([&](QDialog& box) {
        expectOneLine(box, "CANE");
        EXPECT_GE(box.findChild<QLabel*>(QStringLiteral("text"))->font().pointSizeF(), word - 0.01);
        EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("icon")), nullptr);
    });
    boxes.plain("CANE");
    EXPECT_EQ(shown, 1);
}

TEST_P(Boxes, ALongMessageWrapsBetweenWordsWithinTheScreen)
{
    const QString text = QString("parola ").repeated(80).trimmed() + "\nfine";
    ui::QtMessageBoxes boxes;
    onNext([&](QDialog& box) {
        auto* label = box.findChild<QLabel*>(QStringLiteral("text"));
        EXPECT_TRUE(label->wordWrap());
        EXPECT_LE(box.width(), std::max(menu->width(), menu->screen()->availableGeometry().width()));
    });
    boxes.information(text);
}

TEST_P(Boxes, TheListDialogShowsWholeNamesOfTxtAndCsvListsAndGrows)
{
    QTemporaryDir dir;
    const QString longName = QStringLiteral("sillabe-inverse-e-chiuse-seconda-settimana.csv");
    for (const QString& name : {longName, QStringLiteral("sillabe-inverse.TXT"), QStringLiteral("note.odt")}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("cane\r\n");
    }
    ui::QtFileChooser chooser;
    onNext([&](QDialog& dialog) {
        auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(files, nullptr);
        ASSERT_TRUE(files->isVisible()) << "the detailed view";
        const QModelIndex root = files->rootIndex();
        ASSERT_TRUE(QTest::qWaitFor([&] { return files->model()->rowCount(root) == 2; }, 5000))
            << "the .txt and the .csv, not the .odt: " << files->model()->rowCount(root);
        QApplication::processEvents();
        const int nameWidth = files->header()->sectionSize(0);
        EXPECT_GE(nameWidth, files->fontMetrics().horizontalAdvance(longName)) << "the long name whole";
        EXPECT_EQ(files->header()->sectionViewportPosition(0), 0) << "the names column on view";
        EXPECT_EQ(files->horizontalScrollBar()->value(), 0);
        EXPECT_LE(dialog.width(), GetParam().screen.isEmpty() ? 800 : GetParam().screen.width());
        EXPECT_GE(files->iconSize().width(), qRound(16 * factor) - 1) << "the icons grow";
        EXPECT_GE(files->font().pointSizeF(), menu->font().pointSizeF() - 0.01);
        auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
        ASSERT_NE(places, nullptr);
        for (const QString& media : {QStringLiteral("/media"), QStringLiteral("/run/media")}) {
            EXPECT_EQ(static_cast<QFileDialog&>(dialog).sidebarUrls().contains(QUrl::fromLocalFile(media)),
                QFileInfo(media).isDir())
                << media.toStdString();
        }
        // As the teacher types it: the name field has the focus, which selectFile() leaves alone.
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(longName);
        dialog.accept(); // as the Open button does: the dialog checks the name
    });
    EXPECT_EQ(QFileInfo(chooser.chooseWordList(dir.path())).fileName(), longName);
    EXPECT_EQ(shown, 1);
}

// As a new screen does, a box and the dialog take no press for the double-click interval: the second half of the
// double click that opened them lands on nothing.
TEST_P(Boxes, ABoxIgnoresPressesWhileNew)
{
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(300);
    ui::QtMessageBoxes boxes;
    bool early = true;
    onNext(
        [&](QDialog& box) {
            QAbstractButton* yes = box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Yes);
            click(yes);
            early = !box.isVisible();
            QTest::qWait(400);
            click(yes);
        },
        QDialog::Rejected);
    EXPECT_TRUE(boxes.question("Vuoi uscire?")) << "a click after the interval is taken";
    EXPECT_FALSE(early) << "a click at once is not";
}

INSTANTIATE_TEST_SUITE_P(Classroom, Boxes,
    ::testing::Values(BoxRow {"window", {}}, BoxRow {"s1024x768", {1024, 768}}, BoxRow {"s1280x800", {1280, 800}},
        BoxRow {"s1920x1080", {1920, 1080}}, BoxRow {"s3840x2160", {3840, 2160}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
