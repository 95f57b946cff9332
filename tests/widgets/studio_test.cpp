#include "core/word_list_reader.h"
#include "support/exif_jpeg.h"
#include "ui/glue/qt_picture_importer.h"
#include "ui/studio/studio_window.h"
#include "widget_fakes.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QImageReader>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// Answers the studio's questions as the test says, and records what was asked.
class FakeStudioDialogs final : public StudioDialogs {
public:
    UnsavedAnswer askUnsaved(const QString& listName) override
    {
        unsavedAsked << listName;
        return unsavedAnswer;
    }
    QString chooseListToOpen(const QString& startFolder) override
    {
        openStartedIn << startFolder;
        return nextOpen;
    }
    QString chooseListToSave(const QString& suggestedPath) override
    {
        saveSuggested << suggestedPath;
        return nextSave;
    }
    QString choosePicture(const QString&) override { return nextPicture; }

    UnsavedAnswer unsavedAnswer = UnsavedAnswer::Cancel;
    QString nextOpen, nextSave, nextPicture;
    QStringList unsavedAsked, openStartedIn, saveSuggested;
};

class Studio : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        window = std::make_unique<ui::StudioWindow>(
            Paths(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher()), boxes, dialogs, importer);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override
    {
        dialogs.unsavedAnswer = UnsavedAnswer::Discard;
        window.reset();
    }
    QString at(const QString& relative) const { return QDir(root.path()).filePath(relative); }
    QString teacher() const { return at(QStringLiteral("insegnante")); }
    QString put(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = at(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTableWidget* table() const { return window->table(); }
    QString cell(int row, int column) const { return table()->item(row, column)->text(); }
    QImage pictureOf(int row) const
    {
        return table()->item(row, 1)->data(Qt::DecorationRole).value<QPixmap>().toImage();
    }
    QString summary() const { return window->findChild<QLabel*>(QStringLiteral("riepilogo"))->text(); }
    void press(const char* name) const { click(window->findChild<QPushButton*>(QLatin1String(name))); }
    // A file dragged from the file manager and dropped at a point of the table, through the window as the window
    // system delivers it.
    bool dropFile(const QString& file, QPoint onViewport) const
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QWidget* viewport = table()->viewport();
        const QPoint point = viewport->mapTo(window.get(), onViewport);
        QWindow* handle = window->windowHandle();
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &enter);
        QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &move);
        QDropEvent drop(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &drop);
        return drop.isAccepted();
    }
    QPoint middleOfRow(int row) const
    {
        return {
            table()->columnViewportPosition(0) + 20, table()->rowViewportPosition(row) + table()->rowHeight(row) / 2};
    }

    QTemporaryDir root;
    FakeMessageBoxes boxes;
    FakeStudioDialogs dialogs;
    ui::QtPictureImporter importer;
    std::unique_ptr<ui::StudioWindow> window;
};

TEST_F(Studio, EachRowShowsTheWordItsPictureAsTheChildrenSeeItAndWhatIsWrong)
{
    put("insegnante/settimana.txt", QByteArray("cane\r\nkoala\r\ngatto\r\nCane\r\ndrago\r\n"));
    put("insegnante/jpg/drago.png", QByteArray("not a picture"));
    dialogs.nextOpen = at("insegnante/settimana.txt");
    window->findChild<QAction*>(QStringLiteral("azioneApri"))->trigger();
    ASSERT_EQ(table()->rowCount(), 5);
    EXPECT_EQ(dialogs.openStartedIn, QStringList({teacher()})); // the teacher's folder holds lists
    EXPECT_EQ(cell(0, 0), "cane");
    EXPECT_EQ(cell(0, 2), QStringLiteral("Va bene."));
    EXPECT_TRUE(cell(1, 2).startsWith(QStringLiteral("La tastiera sullo schermo non ha: k.")))
        << cell(1, 2).toStdString();
    EXPECT_EQ(cell(3, 2), QStringLiteral("È già nella lista, alla riga 1."));
    EXPECT_TRUE(cell(4, 2).contains(QStringLiteral("drago.png non si può mostrare (file danneggiato)")));
    EXPECT_TRUE(summary().startsWith(QStringLiteral("5 parole: bastano per gli esercizi con le lettere e per le tre")));
    // The bundled dog, at the size of the row, not the grey placeholder the broken dragon gets.
    const QImage dog = pictureOf(0);
    EXPECT_EQ(dog.size(), ui::StudioWindow::pictureSize() * window->devicePixelRatioF());
    EXPECT_NE(
        dog.pixelColor(dog.width() / 2, dog.height() / 2), pictureOf(4).pixelColor(dog.width() / 2, dog.height() / 2));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("settimana.txt")));

    // Corrected, moved, removed, added: the rows follow and the problems are told again.
    table()->item(1, 0)->setText(QStringLiteral("coala"));
    EXPECT_FALSE(cell(1, 2).contains(QStringLiteral("tastiera")));
    table()->selectRow(3);
    press("bottoneTogli");
    table()->selectRow(2);
    press("bottoneSu");
    EXPECT_EQ(window->list().words(), QStringList({"cane", "gatto", "coala", "drago"}));
    EXPECT_EQ(table()->currentRow(), 1);
    press("bottoneGiu");
    press("bottoneGiu");
    EXPECT_EQ(window->list().words(), QStringList({"cane", "coala", "drago", "gatto"}));
    press("bottoneAggiungi");
    EXPECT_EQ(table()->rowCount(), 5);
    EXPECT_EQ(cell(4, 2), QStringLiteral("La riga è vuota: non verrà salvata."));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(boxes.errors.isEmpty());
}

TEST_F(Studio, AColumnPastedFromASpreadsheetBecomesRowsWhereTheTeacherIs)
{
    window->pasteWords(QStringLiteral("cane\r\ngatto\r\n"));
    table()->selectRow(1);
    QApplication::clipboard()->setText(QStringLiteral("\"mela\"\r\npera\r\n\r\nuva\r\n"));
    press("bottoneIncolla");
    EXPECT_EQ(window->list().words(), QStringList({"cane", "mela", "pera", "uva", "gatto"}));
    EXPECT_EQ(table()->rowCount(), 5);
    EXPECT_EQ(cell(3, 0), "uva");
    EXPECT_EQ(table()->currentRow(), 3);
    EXPECT_TRUE(summary().startsWith(QStringLiteral("5 parole")));
}

// A phone photo dropped from the file manager onto a word's row becomes that word's upright, square picture in the
// list's jpg folder; dropped below the words, it brings its own word.
TEST_F(Studio, APhotoDroppedOnARowBecomesItsPictureUpright)
{
    put("insegnante/mia.txt", "drago\r\nfata\r\n");
    ASSERT_TRUE(window->openList(at("insegnante/mia.txt")));
    const QString photo = put("telefono/IMG_0001.jpg", jpegWithOrientation(storedFor(quarters({400, 300}), 6), 6));
    ASSERT_TRUE(dropFile(photo, middleOfRow(1)));
    const QString saved = at("insegnante/jpg/fata.jpg");
    ASSERT_TRUE(QFileInfo::exists(saved)) << boxes.errors.join(' ').toStdString();
    EXPECT_EQ(QImageReader(saved).size(), QSize(600, 600));
    const QImage shown = pictureOf(1);
    EXPECT_TRUE(near(shown.pixelColor(shown.width() / 4, shown.height() / 4), Qt::red));
    EXPECT_TRUE(near(shown.pixelColor(shown.width() * 3 / 4, shown.height() * 3 / 4), Qt::yellow));
    EXPECT_FALSE(cell(1, 2).contains(QStringLiteral("figura"))) << cell(1, 2).toStdString();

    // Once more on the same row: the picture is there, so the teacher is asked, and No keeps it.
    const QByteArray before = [&] {
        QFile f(saved);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    boxes.answers = {false};
    const QString other = put("telefono/altro.png", QByteArray());
    QImage blue(50, 50, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    blue.save(other);
    ASSERT_TRUE(dropFile(other, middleOfRow(1)));
    ASSERT_EQ(boxes.questions.size(), 1);
    QFile after(saved);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);

    // Below the rows: a new word after the file's name.
    const QString gatto = put("telefono/gatto.png", QByteArray());
    blue.save(gatto);
    ASSERT_TRUE(dropFile(gatto, {10, table()->viewport()->height() - 5}));
    EXPECT_EQ(window->list().words(), QStringList({"drago", "fata", "gatto"}));
    EXPECT_TRUE(QFileInfo::exists(at("insegnante/jpg/gatto.jpg")));

    // Something that is no file is not taken.
    QMimeData text;
    text.setText(QStringLiteral("cane"));
    QDragEnterEvent enter(middleOfRow(0), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

// The square of a photo just imported is moved, or the whole photo put on white, from the photo itself.
TEST_F(Studio, TheSquareOfAPhotoJustImportedCanBeMovedOrTheWholePhotoFitted)
{
    window->pasteWords(QStringLiteral("prato\r\n"));
    table()->selectRow(0);
    const QString photo = put("telefono/prato.jpg", jpegWithOrientation(quarters({400, 200}), 1));
    dialogs.nextPicture = photo;
    press("bottoneFigura");
    const QString saved = at("insegnante/jpg/prato.jpg");
    const auto pixelOfSaved = [&saved](int x, int y) { return QImage(saved).pixelColor(x, y); };
    ASSERT_TRUE(QFileInfo::exists(saved)) << boxes.errors.join(' ').toStdString();
    EXPECT_TRUE(near(pixelOfSaved(150, 150), Qt::red));
    EXPECT_TRUE(near(pixelOfSaved(450, 150), Qt::green));

    auto* offset = window->findChild<QSlider*>(QStringLiteral("spostaQuadrato"));
    offset->setValue(-100);
    EXPECT_TRUE(near(pixelOfSaved(450, 150), Qt::red)); // only the left half now
    EXPECT_TRUE(near(pixelOfSaved(450, 450), Qt::blue));

    window->findChild<QComboBox*>(QStringLiteral("sceltaTaglio"))->setCurrentIndex(1);
    EXPECT_FALSE(offset->isEnabled());
    EXPECT_EQ(pixelOfSaved(300, 60), QColor(Qt::white));
    EXPECT_TRUE(near(pixelOfSaved(150, 225), Qt::red));
    EXPECT_TRUE(near(pixelOfSaved(450, 375), Qt::yellow));
    // The teacher was asked nothing: this is the photo she chose a moment ago.
    EXPECT_TRUE(boxes.questions.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(photo));
}

TEST_F(Studio, ClosingWithUnsavedChangesAsksAndKeepsTheListUnlessTold)
{
    window->pasteWords(QStringLiteral("cane\r\ngatto\r\n"));
    dialogs.unsavedAnswer = UnsavedAnswer::Cancel;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.unsavedAsked, QStringList({"nuova lista"}));
    EXPECT_TRUE(window->isVisible());

    // Save, to a folder that is not there: the message says so, and the window stays with its changes.
    dialogs.unsavedAnswer = UnsavedAnswer::Save;
    dialogs.nextSave = at("chiavetta-tolta/lista.txt");
    EXPECT_FALSE(window->close());
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(boxes.errors.at(0).contains(QStringLiteral("forse la chiavetta è stata tolta")));
    EXPECT_EQ(dialogs.saveSuggested.at(0), QDir(teacher()).filePath(QStringLiteral("parole.txt")));
    EXPECT_TRUE(window->list().modified());

    dialogs.nextSave = at("insegnante/settimana"); // ".txt" is added
    EXPECT_TRUE(window->close());
    QFile saved(at("insegnante/settimana.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "cane\r\ngatto\r\n");
    EXPECT_FALSE(window->list().modified());

    // Nothing changed: closing asks nothing.
    window->show();
    dialogs.unsavedAsked.clear();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.unsavedAsked.isEmpty());
}

TEST_F(Studio, ABundledListIsAStartingCopyAndTheChosenListBecomesTheStartUpList)
{
    dialogs.nextOpen = QDir(QStringLiteral(TAVENZO_PROGRAM_DIR)).filePath(QStringLiteral("animali.txt"));
    window->findChild<QAction*>(QStringLiteral("azioneApriPronta"))->trigger();
    ASSERT_GT(table()->rowCount(), 6);
    EXPECT_EQ(dialogs.openStartedIn, QStringList({QStringLiteral(TAVENZO_PROGRAM_DIR)}));
    EXPECT_TRUE(window->list().path().isEmpty());
    const QStringList words = window->list().words();
    EXPECT_FALSE(window->isWindowModified());

    dialogs.nextSave = at("insegnante/animali.txt");
    window->findChild<QAction*>(QStringLiteral("azioneUsaAllAvvio"))->trigger();
    // Saved first, under the bundled list's name in the teacher's folder.
    EXPECT_EQ(dialogs.saveSuggested, QStringList({at("insegnante/animali.txt")}));
    QFile startup(at("insegnante/lista.txt"));
    ASSERT_TRUE(startup.open(QIODevice::ReadOnly));
    const WordListReadResult read = readWordList(startup.readAll());
    EXPECT_EQ(QStringList(read.words.begin(), read.words.end()), words);
    ASSERT_FALSE(boxes.informations.isEmpty());
    EXPECT_TRUE(boxes.informations.last().startsWith(QStringLiteral("D'ora in poi Tavenzo parte con questa lista.")));
    // The bundled file itself is untouched.
    EXPECT_TRUE(QFileInfo(at("insegnante/animali.txt")).isFile());
}

} // namespace
