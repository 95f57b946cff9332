#include "core/background_work.h"
#include "core/word_list_reader.h"
#include "feedback/recording.h"
#include "feedback/speech_synthesiser.h"
#include "support/exif_jpeg.h"
#include "support/files.h"
#include "ui/glue/qt_picture_importer.h"
#include "ui/glue/qt_sound.h"
#include "ui/studio/settings_page.h"
#include "ui/studio/studio_window.h"
#include "widget_fakes.h"

#include <QCheckBox>
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

#include <cmath>

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
        EXPECT_TRUE(writeFile(path, bytes)) << path.toStdString();
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
    // Each word is also said to be heard in the synthesiser's voice, none having a recording.
    EXPECT_EQ(
        cell(0, 2), QStringLiteral("Va bene.\nSi sentirà con la voce del sintetizzatore: nessuna registrazione."));
    EXPECT_TRUE(cell(1, 2).startsWith(QStringLiteral("La tastiera sullo schermo non ha: k.")))
        << cell(1, 2).toStdString();
    EXPECT_TRUE(cell(3, 2).startsWith(QStringLiteral("È già nella lista, alla riga 1.\n")));
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

// A microphone that hears what the test gives it, or that is not there.
class FakeMicrophone final : public Microphone {
public:
    bool start() override
    {
        ++starts;
        return present;
    }
    PcmSound stop() override
    {
        ++stops;
        return heard;
    }
    bool present = true;
    PcmSound heard;
    int starts = 0, stops = 0;
};
class TakenOutput final : public PcmOutput {
public:
    void reachServer() override { }
    bool play(const PcmFormat& format, const QByteArray& samples, qsizetype) override
    {
        played.append(PcmSound {format, samples});
        return device;
    }
    void stop() override { }
    bool device = true;
    QList<PcmSound> played;
};
class RightAway final : public BackgroundWork {
public:
    void run(std::function<void()> work, std::function<void()> done) override
    {
        work();
        done();
    }
};
class SayingVoice final : public SpeechSynthesiser {
public:
    std::optional<PcmSound> say(const QString& word) override
    {
        said.append(word);
        return PcmSound {{22050, 1, PcmFormat::Sample::Int16}, QByteArray(22050, '\x20')}; // half a second
    }
    QStringList said;
};

// A word said into the microphone: the room's quiet, a tone of `toneSeconds` at a tenth of full scale, quiet again.
PcmSound saidIntoMicrophone(double quietSeconds, double toneSeconds)
{
    constexpr int kRate = 16000;
    QByteArray samples;
    const auto put = [&samples](qint16 value) { samples.append(reinterpret_cast<const char*>(&value), 2); };
    const int quiet = static_cast<int>(quietSeconds * kRate);
    const int tone = static_cast<int>(toneSeconds * kRate);
    for (int i = 0; i < quiet; ++i) {
        put(static_cast<qint16>(i % 3 - 1)); // the microphone's hiss
    }
    for (int i = 0; i < tone; ++i) {
        put(static_cast<qint16>(3276 * std::sin(2 * M_PI * 440 * i / kRate)));
    }
    for (int i = 0; i < quiet; ++i) {
        put(static_cast<qint16>(i % 3 - 1));
    }
    return {{kRate, 1, PcmFormat::Sample::Int16}, samples};
}

// The studio with its sound: the real WAV decoder reads what "Registra" saved, so what "Ascolta" plays is the file.
class StudioSoundTest : public Studio {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        window = std::make_unique<ui::StudioWindow>(
            Paths(QStringLiteral(TAVENZO_PROGRAM_DIR), teacher()), boxes, dialogs, importer, &sound);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        put("insegnante/settimana.txt", QByteArray("gatto\r\ncane\r\n"));
        ASSERT_TRUE(window->openList(at("insegnante/settimana.txt")));
    }
    QString recordButton() const { return window->findChild<QPushButton*>(QStringLiteral("bottoneRegistra"))->text(); }
    QString recordingOf(const char* word) const { return at(QStringLiteral("insegnante/voci/%1.wav").arg(word)); }

    FakeMicrophone microphone;
    TakenOutput output;
    RightAway work;
    SayingVoice synthesiser;
    ui::QtSoundFileDecoder decoder;
    ui::StudioSound sound {work, decoder, output, &synthesiser, microphone};
};

TEST_F(StudioSoundTest, ARecordedWordIsSavedTrimmedAndLevelledBesideTheListAndIsWhatAscoltaPlays)
{
    EXPECT_TRUE(summary().contains(QStringLiteral("2 parole si sentiranno con la voce del sintetizzatore.")));
    microphone.heard = saidIntoMicrophone(0.6, 0.5);
    table()->selectRow(0);
    press("bottoneRegistra");
    EXPECT_EQ(microphone.starts, 1);
    EXPECT_TRUE(window->recording());
    EXPECT_EQ(recordButton(), QStringLiteral("Ferma la registrazione"));
    EXPECT_FALSE(QFileInfo::exists(recordingOf("gatto"))) << "nothing is written before the teacher stops";
    press("bottoneRegistra");
    EXPECT_EQ(microphone.stops, 1);
    EXPECT_EQ(recordButton(), QStringLiteral("Registra"));
    ASSERT_TRUE(boxes.errors.isEmpty()) << boxes.errors.join(QLatin1Char('\n')).toStdString();

    const std::optional<PcmSound> saved = decoder.decode(recordingOf("gatto"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->format.channels, 1);
    EXPECT_NEAR(saved->seconds(), 0.56, 0.02) << "the tone and 30 ms of the quiet at each end";
    EXPECT_GT(peakOf(*saved), 0.13) << "a soft word (peak 0.1) is raised";
    EXPECT_EQ(QDir(at("insegnante/voci")).entryList(QDir::Files), QStringList {"gatto.wav"});
    EXPECT_TRUE(cell(0, 2).endsWith(QStringLiteral("Si sentirà con la vostra registrazione.")));
    EXPECT_TRUE(summary().contains(QStringLiteral("Una parola si sentirà con la voce del sintetizzatore.")));

    // "Ascolta" plays the recording, then the synthesiser's voice for the word without one.
    press("bottoneAscolta");
    ASSERT_EQ(output.played.size(), 1);
    EXPECT_NEAR(output.played[0].seconds(), saved->seconds() + 0.5, 0.03); // with the silence the stream ends in
    EXPECT_TRUE(synthesiser.said.isEmpty());
    table()->selectRow(1);
    press("bottoneAscolta");
    ASSERT_EQ(output.played.size(), 2);
    EXPECT_EQ(synthesiser.said, QStringList {"cane"});
    EXPECT_TRUE(boxes.errors.isEmpty());
}

TEST_F(StudioSoundTest, ARecordingIsReplacedOnlyWhenTheTeacherSaysSo)
{
    const QByteArray old("RIFF, a recording of the teacher's own");
    put("insegnante/voci/gatto.wav", old);
    microphone.heard = saidIntoMicrophone(0.2, 0.4);
    table()->selectRow(0);

    boxes.answers = {false};
    press("bottoneRegistra");
    ASSERT_EQ(boxes.questions.size(), 1);
    EXPECT_TRUE(boxes.questions[0].startsWith(QStringLiteral("«gatto» ha già una registrazione")));
    EXPECT_EQ(microphone.starts, 0);
    EXPECT_FALSE(window->recording());
    QFile kept(recordingOf("gatto"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), old);
    kept.close();

    boxes.answers = {true};
    press("bottoneRegistra");
    press("bottoneRegistra");
    EXPECT_TRUE(boxes.errors.isEmpty()) << boxes.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(decoder.decode(recordingOf("gatto")).has_value());
}

TEST_F(StudioSoundTest, WhatCannotBeRecordedOrHeardIsToldInItalianAndNothingIsWritten)
{
    struct Row {
        const char* what;
        std::function<void(FakeMicrophone&, QTableWidget*)> arrange;
        const char* message;
    };
    const std::vector<Row> rows {
        {"no microphone", [](FakeMicrophone& m, QTableWidget*) { m.present = false; }, "Non trovo un microfono."},
        {"only the room's quiet", [](FakeMicrophone& m, QTableWidget*) { m.heard = saidIntoMicrophone(1.0, 0); },
            "Non si è sentito niente"},
        {"nothing at all", [](FakeMicrophone& m, QTableWidget*) { m.heard = {}; }, "Non si è sentito niente"},
        {"a word that would name another file",
            [](FakeMicrophone&, QTableWidget* t) { t->item(0, 0)->setText(QStringLiteral("../gatto")); },
            "La parola «../gatto» non può dare il nome a un file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        boxes.errors.clear();
        microphone = FakeMicrophone();
        microphone.heard = saidIntoMicrophone(0.2, 0.4);
        table()->item(0, 0)->setText(QStringLiteral("gatto"));
        row.arrange(microphone, table());
        table()->selectRow(0);
        press("bottoneRegistra");
        if (window->recording()) {
            press("bottoneRegistra");
        }
        ASSERT_EQ(boxes.errors.size(), 1);
        EXPECT_TRUE(boxes.errors[0].startsWith(QString::fromUtf8(row.message))) << boxes.errors[0].toStdString();
        EXPECT_FALSE(window->recording());
        EXPECT_EQ(recordButton(), QStringLiteral("Registra"));
        EXPECT_FALSE(QFileInfo::exists(at("insegnante/voci"))) << "nothing written";
        EXPECT_FALSE(QFileInfo::exists(at("voci")));
    }

    // With no output device "Ascolta" says so.
    boxes.errors.clear();
    output.device = false;
    table()->selectRow(1);
    press("bottoneAscolta");
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(boxes.errors[0].startsWith(QStringLiteral("Non trovo dove far sentire la parola")));
}

TEST_F(Studio, WithoutSoundAscoltaAndRegistraSaySoAndDoNothing)
{
    window->pasteWords(QStringLiteral("gatto\n"));
    table()->selectRow(0);
    press("bottoneAscolta");
    press("bottoneRegistra");
    ASSERT_EQ(boxes.errors.size(), 2);
    EXPECT_TRUE(boxes.errors[0].startsWith(QStringLiteral("Il suono non è disponibile")));
    EXPECT_FALSE(window->recording());
}

TEST_F(StudioSoundTest, RecordingsGoWithTheListToItsNewPlaceAndToTheStartUpList)
{
    // A new list: its recording goes to the teacher's folder, then with the list onto the USB stick.
    window->newList();
    window->pasteWords(QStringLiteral("gatto\nmela\n"));
    microphone.heard = saidIntoMicrophone(0.2, 0.4);
    table()->selectRow(0);
    press("bottoneRegistra");
    press("bottoneRegistra");
    ASSERT_TRUE(QFileInfo::exists(recordingOf("gatto")));
    QDir().mkpath(at("chiavetta"));
    dialogs.nextSave = at("chiavetta/animali.txt");
    ASSERT_TRUE(window->saveAs());
    EXPECT_TRUE(QFileInfo::exists(at("chiavetta/voci/gatto.wav")));
    EXPECT_TRUE(cell(0, 2).endsWith(QStringLiteral("Si sentirà con la vostra registrazione.")));

    // Chosen for the start-up, its recordings are copied beside lista.txt; the teacher's own stay as they are.
    put("chiavetta/voci/mela.wav", QByteArray("the stick's mela"));
    put("insegnante/voci/mela.wav", QByteArray("the teacher's mela"));
    QFile::remove(recordingOf("gatto"));
    window->useAtStartup();
    EXPECT_TRUE(boxes.errors.isEmpty()) << boxes.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(QFileInfo::exists(recordingOf("gatto")));
    QFile mela(recordingOf("mela"));
    ASSERT_TRUE(mela.open(QIODevice::ReadOnly));
    EXPECT_EQ(mela.readAll(), QByteArray("the teacher's mela"));
}

TEST_F(Studio, ClosingWithSettingsNotSavedAsksAndSavesThemWhenTold)
{
    const QString file = QDir(teacher()).filePath(QStringLiteral("impostazioni.conf"));
    auto* page = new ui::SettingsPage(file, boxes);
    window->addSettingsPage(page, QStringLiteral("Impostazioni"));
    page->findChild<QCheckBox*>(QStringLiteral("leggiParola"))->setChecked(true);

    boxes.answers = {false};
    EXPECT_TRUE(window->close()) << "not saved when the teacher says no, and the studio closes";
    EXPECT_EQ(boxes.questions.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(file));

    window->show();
    boxes.answers = {true};
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(readSettings(file).speakWord);
    EXPECT_EQ(boxes.questions.size(), 2);
    window->show();
    EXPECT_TRUE(window->close()) << "saved settings ask nothing";
    EXPECT_EQ(boxes.questions.size(), 2);
}

TEST_F(StudioSoundTest, AscoltaFindsTheRecordingsWhereTheChildrensRunDoes)
{
    // A list on a USB stick: its own recording first, then the teacher's; the words differ in length to be told apart.
    put("chiavetta/animali.txt", QByteArray("gatto\r\ncane\r\nmela\r\n"));
    put("chiavetta/voci/gatto.wav", wavFile(saidIntoMicrophone(0, 0.3)));
    put("insegnante/voci/gatto.wav", wavFile(saidIntoMicrophone(0, 0.9)));
    put("insegnante/voci/cane.wav", wavFile(saidIntoMicrophone(0, 0.6)));
    ASSERT_TRUE(window->openList(at("chiavetta/animali.txt")));
    EXPECT_TRUE(summary().contains(QStringLiteral("Una parola si sentirà con la voce del sintetizzatore.")));
    const std::vector<std::pair<int, double>> heard {{0, 0.3}, {1, 0.6}};
    for (const auto& [row, seconds] : heard) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(cell(row, 2).endsWith(QStringLiteral("Si sentirà con la vostra registrazione.")));
        table()->selectRow(row);
        press("bottoneAscolta");
        ASSERT_FALSE(output.played.isEmpty());
        EXPECT_NEAR(output.played.constLast().seconds(), seconds + 0.5, 0.03);
    }
    EXPECT_TRUE(synthesiser.said.isEmpty());
}

} // namespace
