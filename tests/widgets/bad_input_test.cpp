#include "core/background_work.h"
#include "core/random_source.h"
#include "feedback/sound_bank.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/qt_sound.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

QByteArray smallJpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG"));
    return bytes;
}

void put32(QByteArray& bytes, quint32 v)
{
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.append(static_cast<char>((v >> shift) & 0xff));
    }
}

// A 16-bit mono WAV at 22050 Hz holding `data`, then `after` as the chunks an editor may write behind the data.
QByteArray wav(const QByteArray& data, const QByteArray& after = {})
{
    QByteArray bytes("RIFF");
    put32(bytes, static_cast<quint32>(36 + data.size() + after.size()));
    bytes.append("WAVEfmt ");
    put32(bytes, 16);
    bytes.append("\x01\x00\x01\x00", 4); // PCM, one channel
    put32(bytes, 22050);
    put32(bytes, 22050 * 2);
    bytes.append("\x02\x00\x10\x00", 4); // two bytes a frame, 16 bits
    bytes.append("data");
    put32(bytes, static_cast<quint32>(data.size()));
    return bytes + data + after;
}

// The same picture, its header claiming 20000 x 20000 pixels.
QByteArray hugeDeclaredJpeg()
{
    QByteArray bytes = smallJpeg();
    for (qsizetype i = 0; i + 9 < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (static_cast<unsigned char>(bytes[i + 1]) & 0xF0) == 0xC0
            && static_cast<unsigned char>(bytes[i + 1]) != 0xC4 && static_cast<unsigned char>(bytes[i + 1]) != 0xC8
            && static_cast<unsigned char>(bytes[i + 1]) != 0xCC) {
            const int size = 20000;
            bytes[i + 5] = static_cast<char>(size >> 8);
            bytes[i + 6] = static_cast<char>(size & 0xFF);
            bytes[i + 7] = static_cast<char>(size >> 8);
            bytes[i + 8] = static_cast<char>(size & 0xFF);
            break;
        }
    }
    return bytes;
}

class BadPictures : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir dir;
    ui::PictureLoader loader;
    const QSize box {297, 297};
};

TEST_F(BadPictures, AGoodPictureDecodesAtTheBoxSize)
{
    const QPixmap pixmap = loader.load(write("buono.jpg", smallJpeg()), box);
    EXPECT_EQ(pixmap.size(), box);
    EXPECT_EQ(pixmap.toImage().pixelColor(150, 150).green() > 80, true);
}

TEST_F(BadPictures, EmptyTruncatedMissingAndFolderGiveThePlaceholder)
{
    const QPixmap placeholder = loader.placeholder(box);
    ASSERT_FALSE(placeholder.isNull());
    const QByteArray good = smallJpeg();
    for (const QString& path : {write("vuoto.jpg", {}), write("tronco.jpg", good.left(20)), dir.filePath("manca.jpg"),
             dir.path(), QString()}) {
        const QPixmap pixmap = loader.load(path, box);
        EXPECT_EQ(pixmap.size(), box) << path.toStdString();
        EXPECT_EQ(pixmap.toImage(), placeholder.toImage()) << path.toStdString();
    }
}

TEST_F(BadPictures, HugeDeclaredSizeIsDecodedSmallOrRefused)
{
    QElapsedTimer timer;
    timer.start();
    const QPixmap pixmap = loader.load(write("enorme.jpg", hugeDeclaredJpeg()), box);
    EXPECT_EQ(pixmap.size(), box);
    // Not a timing assertion: a full-size decode of 400 megapixels would take far longer than this.
    EXPECT_LT(timer.elapsed(), 20000);
}

// The sound files are read whole into memory, so what is read must be the sound and nothing more.
TEST(BadSounds, OnlyTheSoundDataIsReadAndOversizedFilesNotAtAll)
{
    ui::QtSoundFileDecoder decoder;
    const QString bundled = QStringLiteral(TAVENZO_PROGRAM_DIR "/suoni/no.wav");
    const std::optional<PcmSound> no = decoder.decode(bundled);
    ASSERT_TRUE(no);
    EXPECT_EQ(no->format, (PcmFormat {22050, 1, PcmFormat::Sample::Int16}));
    EXPECT_EQ(no->samples.size(), QFileInfo(bundled).size() - 44);

    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray data(4410, '\x21');
    QByteArray list("LIST");
    put32(list, 12);
    list.append("INFOISFT\x00\x00\x00\x00", 12);
    const std::optional<PcmSound> tagged = decoder.decode(write("tagged.wav", wav(data, list)));
    ASSERT_TRUE(tagged);
    EXPECT_EQ(tagged->samples, data) << "the chunk after the data would be played as a click";

    EXPECT_FALSE(decoder.decode(write("vuoto.wav", {})));
    EXPECT_FALSE(decoder.decode(write("intestazione-tronca.wav", wav({}).left(40))));
    EXPECT_FALSE(decoder.decode(dir.path())) << "a folder";
    // Reading a pipe would wait for a writer that never comes.
    const QString pipe = dir.filePath("tubo.wav");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(decoder.decode(pipe));

    // A long recording renamed no.wav: refused before a byte of it is read, holey so the test writes little.
    QFile huge(write("enorme.wav", wav(data)));
    ASSERT_TRUE(huge.resize(ui::QtSoundFileDecoder::kMaxFileBytes + 1));
    EXPECT_FALSE(decoder.decode(huge.fileName()));
}

TEST(BadSounds, MissingFolderAndGarbageWavPlayNothingAndGoOn)
{
    QTemporaryDir dir;
    QFile garbage(dir.filePath("no.wav"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(5000, '\x5a'));
    garbage.close();
    ui::QtSoundFileDecoder decoder;
    ui::QtPcmOutput output;
    ThreadPoolWork work;
    SteadyClock clock;
    SoundBank player(decoder, output, work, clock);
    player.play(dir.filePath("missing/si1.wav"));
    player.play(garbage.fileName());
    QTest::qWait(200);
    player.play(garbage.fileName());
    player.play(dir.filePath("missing/si2.wav"));
    // The files are read on a thread of the bank's own; what it found comes back through the event loop.
    for (int i = 0; i < 250 && player.decoding() > 0; ++i) {
        QTest::qWait(20);
    }
    EXPECT_EQ(player.decoding(), 0);
    EXPECT_EQ(player.state(garbage.fileName()), SoundBank::State::Failed);
    EXPECT_EQ(player.state(dir.filePath("missing/si1.wav")), SoundBank::State::Failed);
}

TEST(BadProgramFolder, NoListNoPicturesTheProgramGoesOn)
{
    QTemporaryDir dir;
    ProgramBench bench(dir.path());
    bench.random.setFallback(0.0);
    bench.program->start();
    ASSERT_EQ(bench.boxes.errors.size(), 1);
    EXPECT_TRUE(bench.boxes.errors.at(0).startsWith("Non riesco a leggere la lista di parole:\n"));
    auto* splash = bench.current<ui::SplashScreen>();
    ASSERT_NE(splash, nullptr);
    click(imagesOf(splash)[0]);
    auto* menu = bench.current<ui::MenuScreen>();
    ASSERT_NE(menu, nullptr);
    click(control<QToolButton>(menu, "Command3D4"));
    EXPECT_EQ(bench.program->currentScreen(), menu);
    EXPECT_EQ(bench.boxes.informations.last(),
        "Questo esercizio ha bisogno di almeno 6 parole, ma la lista non ne contiene nessuna.");

    // A list without any picture folder: the exercise opens and shows the placeholder.
    QFile list(dir.filePath("sei.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
    list.close();
    bench.chooser.names = {list.fileName()};
    click(control<QToolButton>(menu, "Command3"));
    ASSERT_EQ(bench.program->state().NumeroParole, 6);
    bench.random.setFallback(-1);
    bench.random.push({0.0});
    for (int s = 1; s <= 6; ++s) {
        bench.random.pushSlot(s, 6);
    }
    bench.random.pushSlot(1, 6);
    click(control<QToolButton>(menu, "Command3D4"));
    auto* parole = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(parole, nullptr);
    const QPixmap shown = control<QLabel>(parole, "Image1")->pixmap();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown.toImage(),
        ui::PictureLoader().placeholder(control<QLabel>(parole, "Image1")->contentsRect().size()).toImage());
}

} // namespace
