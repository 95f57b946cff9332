// Checks the content the build puts beside the program: word lists, word pictures, sounds, licence, screen art.

#include "core/alphabet.h"
#include "core/shared_state.h"
#include "core/word_list_reader.h"
#include "exercises/letters/keyboard.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const QString kProgramDir = QStringLiteral(TAVENZO_PROGRAM_DIR);
const QString kSourceDir = QStringLiteral(TAVENZO_SOURCE_DIR);
#ifdef TAVENZO_ART_DIR
const QString kArtDir = QStringLiteral(TAVENZO_ART_DIR);
#else
// The content build puts the art in <build>/art, next to <build>/bin.
const QString kArtDir = kProgramDir + QStringLiteral("/../art");
#endif

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

// The bundled word lists: lista.txt, read at start-up, and the graded lists the teacher chooses beside it.
struct BundledList {
    QString name;
    QByteArray bytes;
    QStringList words; // as the program reads them
};

QStringList gradedListNames()
{
    return QDir(kSourceDir + "/content/liste").entryList({"*.txt"}, QDir::Files, QDir::Name);
}

BundledList bundledList(const QString& name)
{
    BundledList list {name, readFile(kProgramDir + "/" + name), {}};
    for (const QString& word : tavenzo::readWordList(list.bytes).words)
        list.words << word;
    return list;
}

const std::vector<BundledList>& gradedLists()
{
    static const std::vector<BundledList> lists = [] {
        std::vector<BundledList> read;
        for (const QString& name : gradedListNames())
            read.push_back(bundledList(name));
        return read;
    }();
    return lists;
}

QStringList bundledWords()
{
    return bundledList("lista.txt").words;
}

// Every word of every bundled list, each once: the words the build draws a picture for.
QStringList allBundledWords()
{
    QStringList words = bundledWords();
    for (const BundledList& list : gradedLists())
        words << list.words;
    words.removeDuplicates();
    return words;
}

// ---- Word lists -------------------------------------------------------------------------------------------------

TEST(WordList, IsCopiedByteForByteFromTheSources)
{
    const QByteArray bundled = readFile(kProgramDir + "/lista.txt");
    EXPECT_FALSE(bundled.isEmpty());
    EXPECT_EQ(bundled, readFile(kSourceDir + "/content/lista.txt"));
    ASSERT_FALSE(gradedListNames().isEmpty());
    for (const QString& name : gradedListNames())
        EXPECT_TRUE(readFile(kProgramDir + "/" + name) == readFile(kSourceDir + "/content/liste/" + name))
            << name.toStdString() << " differs from its source";
}

// What every bundled list must be for a child to work through it: one word per CR LF line, each typed with the
// keys of the on-screen keyboard, no word twice, enough words for every exercise.
void expectPlayableList(const BundledList& list, int minimumWords)
{
    SCOPED_TRACE(list.name.toStdString());
    ASSERT_TRUE(list.bytes.endsWith("\r\n"));
    // Every LF belongs to a CR LF pair and no CR stands alone.
    EXPECT_EQ(list.bytes.count('\n'), list.bytes.count("\r\n"));
    EXPECT_EQ(list.bytes.count('\r'), list.bytes.count("\r\n"));
    // The reader finds exactly the lines: no comma, quote or blank line changes what a word is.
    EXPECT_EQ(list.words.size(), list.bytes.count("\r\n"));

    EXPECT_GE(list.words.size(), minimumWords);
    EXPECT_LE(list.words.size(), tavenzo::kMaxWords);
    const QString& keys = tavenzo::keyboardAlphabet();
    QSet<QString> seen;
    for (const QString& word : list.words) {
        EXPECT_FALSE(word.isEmpty());
        // Lower case, and typed with the keys: an accented vowel with its plain vowel's key (iglù).
        EXPECT_EQ(word, word.toLower()) << word.toStdString();
        EXPECT_TRUE(tavenzo::onKeyboard(word))
            << "not typed with the keyboard's letters " << keys.toStdString() << ": \"" << word.toStdString() << "\"";
        EXPECT_FALSE(seen.contains(word)) << "twice: " << word.toStdString();
        seen.insert(word);
    }
}

TEST(WordList, HasOneLowerCaseItalianWordPerCrLfLine)
{
    expectPlayableList(bundledList("lista.txt"), 60);
    const QStringList words = bundledWords();
    for (const char* word : {"coccinella", "pinguino", "serpente", "scarpa", "semaforo"})
        EXPECT_TRUE(words.contains(QString::fromLatin1(word))) << word;
}

TEST(WordList, HasNoDuplicatesAndEveryWordEndsInAVowel)
{
    // The first list a child meets: open final syllables only, as the first reading lessons have them.
    QSet<QString> seen;
    QStringList twice, closed;
    for (const QString& word : bundledWords()) {
        if (seen.contains(word))
            twice << word;
        seen.insert(word);
        if (!QStringLiteral("aeiou").contains(word.back()))
            closed << word;
    }
    EXPECT_TRUE(twice.isEmpty()) << twice.join(", ").toStdString();
    EXPECT_TRUE(closed.isEmpty()) << closed.join(", ").toStdString();
}

TEST(GradedLists, CoverTheReadingSequenceWithAtLeast400WordsInAll)
{
    // With lista.txt at least 22 lists, each long enough that the six-picture exercises rarely repeat a word.
    EXPECT_GE(gradedLists().size() + 1, 22u);
    QSet<QString> distinct;
    const QStringList start = bundledWords();
    distinct.unite(QSet<QString>(start.begin(), start.end()));
    for (const BundledList& list : gradedLists()) {
        expectPlayableList(list, 12);
        distinct.unite(QSet<QString>(list.words.begin(), list.words.end()));
    }
    EXPECT_GE(distinct.size(), 400);
}

TEST(GradedLists, EveryWordOfAGradedListHasWhatTheListPractises)
{
    // A word without its sound or spelling teaches the wrong thing at that stage (pergamena is no soft g).
    const QString consonant = QStringLiteral("[b-df-hl-np-tvz]");
    const QHash<QString, QString> practises {
        {"vocali.txt", "^[aeiou]"},
        {"due-sillabe.txt", QStringLiteral("^(%1[aeiou]){2}$").arg(consonant)},
        // Open syllables only: no two consonants side by side, and a vowel at the end.
        {"tre-sillabe.txt", QStringLiteral("^(?!.*%1%1).*[aeiou]$").arg(consonant)},
        {"sillabe-inverse-e-chiuse.txt", QStringLiteral("[aeiou]%1(%1|$)").arg(consonant)},
        {"gruppi-consonantici.txt", "[bcdfgpt][rl]"},
        {"s-consonante.txt", QStringLiteral("s%1").arg(consonant)},
        {"ca-co-cu-ga-go-gu.txt", "[cg][aou]"},
        {"ci-ce.txt", "c[ie]"},
        {"gi-ge.txt", "g[ie]"},
        {"chi-che-ghi-ghe.txt", "[cg]h[ie]"},
        {"gn.txt", "gn"},
        {"gli.txt", "gli"},
        {"sci-sce.txt", "sc"},
        {"qu-cu-cqu.txt", "qu|cu"},
        {"doppie.txt", QStringLiteral("(%1)\\1").arg(consonant)},
        {"mb-mp.txt", "m[bp]"},
    };
    int checked = 0;
    for (const BundledList& list : gradedLists()) {
        if (!practises.contains(list.name))
            continue;
        ++checked;
        const QRegularExpression pattern(practises.value(list.name));
        QStringList without;
        for (const QString& word : list.words)
            if (!pattern.match(word).hasMatch())
                without << word;
        EXPECT_TRUE(without.isEmpty()) << list.name.toStdString() << ": " << without.join(", ").toStdString();
    }
    EXPECT_EQ(checked, practises.size()) << "a graded list was renamed";

    // The spellings a class spends a lesson on need enough words to practise with.
    const QStringList start = bundledWords();
    QSet<QString> all(start.begin(), start.end());
    for (const BundledList& list : gradedLists())
        all.unite(QSet<QString>(list.words.begin(), list.words.end()));
    // sce counts scie (scienziata), where the i is not heard; hamburger keeps its hard g.
    for (const char* spelling : {"ghi|ghe", "gn", "gli", "sce|scie", "^(?!hamburger$).*ge"}) {
        const QRegularExpression pattern(QString::fromLatin1(spelling));
        EXPECT_GE(
            std::count_if(all.begin(), all.end(), [&](const QString& w) { return pattern.match(w).hasMatch(); }), 6)
            << spelling;
    }

    // Each group a class reads in its consonant-group lesson has a word of its own.
    for (const BundledList& list : gradedLists()) {
        if (list.name != "gruppi-consonantici.txt")
            continue;
        for (const char* group : {"tr", "br", "pr", "cr", "gr", "fr", "dr", "bl", "pl", "fl", "cl", "gl"})
            EXPECT_TRUE(std::any_of(list.words.begin(), list.words.end(), [&](const QString& w) {
                return w.contains(QLatin1String(group));
            })) << group;
    }
}

// ---- The teachers' guide ----------------------------------------------------------------------------------------

// One row of the table of ready-made lists in docs/guida-per-insegnanti.md.
struct GuideRow {
    QString file;
    QString stage; // "1", "2", ... for the graded lists, "tema" for the themes
    QString practises;
    QStringList examples;
};

std::vector<GuideRow> guideRows()
{
    std::vector<GuideRow> rows;
    static const QRegularExpression row("^\\| `([^`]+\\.txt)` \\| ([^|]+) \\| ([^|]+) \\| ([^|]+) \\|$");
    for (QString line : QString::fromUtf8(readFile(kSourceDir + "/docs/guida-per-insegnanti.md")).split('\n')) {
        line.remove('\r');
        const QRegularExpressionMatch match = row.match(line);
        if (match.hasMatch())
            rows.push_back({match.captured(1), match.captured(2).trimmed(), match.captured(3).trimmed(),
                match.captured(4).trimmed().split(QStringLiteral(", "))});
    }
    return rows;
}

TEST(GuideTable, NamesEveryListOnceWithItsStageAndWordsFromIt)
{
    const std::vector<GuideRow> rows = guideRows();
    QStringList files;
    for (const GuideRow& row : rows)
        files << row.file;
    QStringList sortedFiles = files;
    sortedFiles.sort();
    EXPECT_EQ(sortedFiles.join(' ').toStdString(), gradedListNames().join(' ').toStdString());
    EXPECT_EQ(files.size(), QSet<QString>(files.begin(), files.end()).size()) << "a list has two rows";

    // The graded lists first, numbered in the order a class meets them, then the themes.
    int stage = 0;
    bool themes = false;
    for (const GuideRow& row : rows) {
        SCOPED_TRACE(row.file.toStdString());
        if (row.stage == QStringLiteral("tema")) {
            themes = true;
        } else {
            EXPECT_FALSE(themes) << "a graded list after the themes";
            EXPECT_EQ(row.stage.toInt(), ++stage);
        }
        const auto list = std::find_if(
            gradedLists().begin(), gradedLists().end(), [&](const BundledList& l) { return l.name == row.file; });
        ASSERT_NE(list, gradedLists().end());
        EXPECT_GE(row.examples.size(), 6);
        for (const QString& example : row.examples)
            EXPECT_TRUE(list->words.contains(example)) << "the guide gives \"" << example.toStdString() << "\"";
    }
    EXPECT_GE(stage, 12) << "graded lists";
}

TEST(GuideTable, ListsSaidToDifferFromTheStartingListShareNoWordWithIt)
{
    const QStringList start = bundledWords();
    int checked = 0;
    for (const GuideRow& row : guideRows()) {
        if (!row.practises.contains(QStringLiteral("diversi da quelli di `lista.txt`")))
            continue;
        ++checked;
        const auto list = std::find_if(
            gradedLists().begin(), gradedLists().end(), [&](const BundledList& l) { return l.name == row.file; });
        ASSERT_NE(list, gradedLists().end()) << row.file.toStdString();
        QStringList shared;
        for (const QString& word : list->words)
            if (start.contains(word))
                shared << word;
        EXPECT_TRUE(shared.isEmpty()) << row.file.toStdString() << " repeats " << shared.join(", ").toStdString();
    }
    EXPECT_GE(checked, 1);
}

TEST(ProgramFolder, HoldsNoTextFileButTheWordLists)
{
    // "Cambia lista di parole" opens on this folder: any other .txt would be offered as a word list.
    QStringList expected = gradedListNames();
    expected << "lista.txt";
    expected.sort();
    QStringList found = QDir(kProgramDir).entryList({"*.txt"}, QDir::Files | QDir::Hidden, QDir::Name);
    found.sort();
    EXPECT_EQ(found.join(' ').toStdString(), expected.join(' ').toStdString());
}

// The words of one set missing from the other, sorted, as one readable line.
std::string wordsNotIn(const QSet<QString>& words, const QSet<QString>& others)
{
    QStringList missing = QSet<QString>(words).subtract(others).values();
    missing.sort();
    return missing.join(' ').toStdString();
}

// The emoji table: word -> (icon set, code points), one line per word.
QHash<QString, QStringList> emojiTable()
{
    QHash<QString, QStringList> table;
    for (QString line : QString::fromUtf8(readFile(kSourceDir + "/content/emoji_table.tsv")).split('\n')) {
        line.remove('\r');
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = line.split('\t');
        EXPECT_EQ(fields.size(), 3) << line.toStdString();
        EXPECT_FALSE(table.contains(fields[0])) << "twice in the table: " << fields[0].toStdString();
        table.insert(fields[0], fields.mid(1));
    }
    return table;
}

// Noto first, the house style; "disegni" are our own drawings, content/disegni/<name>.svg.
const QStringList kPictureSets {"noto", "fluent-emoji-flat", "twemoji", "disegni"};

TEST(EmojiTable, CoversExactlyTheListedWordsOnceEachFromAKnownSet)
{
    // One emoji, or for a plural word several joined by " + ".
    static const QRegularExpression codePoints(
        "^[0-9A-Fa-f]{4,6}( [0-9A-Fa-f]{4,6})*( \\+ [0-9A-Fa-f]{4,6}( [0-9A-Fa-f]{4,6})*)*$");
    const QHash<QString, QStringList> table = emojiTable();
    QSet<QString> drawingsUsed;
    for (auto it = table.constBegin(); it != table.constEnd(); ++it) {
        ASSERT_EQ(it.value().size(), 2) << it.key().toStdString();
        EXPECT_TRUE(kPictureSets.contains(it.value()[0]))
            << it.key().toStdString() << ": " << it.value()[0].toStdString();
        if (it.value()[0] == "disegni") {
            drawingsUsed.insert(it.value()[1] + ".svg");
            EXPECT_TRUE(QFileInfo::exists(kSourceDir + "/content/disegni/" + it.value()[1] + ".svg"))
                << it.key().toStdString();
        } else {
            EXPECT_TRUE(codePoints.match(it.value()[1]).hasMatch()) << it.key().toStdString();
        }
    }
    // A drawing no word uses is art nobody reviews.
    const QStringList drawings = QDir(kSourceDir + "/content/disegni").entryList({"*.svg"}, QDir::Files);
    EXPECT_EQ(wordsNotIn(QSet<QString>(drawings.begin(), drawings.end()), drawingsUsed), "");
    const QList<QString> keys = table.keys();
    const QSet<QString> tableWords(keys.begin(), keys.end());
    const QStringList words = allBundledWords();
    const QSet<QString> listed(words.begin(), words.end());
    EXPECT_EQ(wordsNotIn(listed, tableWords), "") << "listed, but without a line in the table";
    EXPECT_EQ(wordsNotIn(tableWords, listed), "") << "in the table, but in no list";
}

TEST(BlindReview, EveryListedWordsPictureWasJudgedBlind)
{
    // content/revisione/ keeps each round's key (number, word, lists); a word in no key never had its picture named
    // by a reviewer who did not know the word. content/review_next.txt says which words still wait for that.
    QSet<QString> judged;
    const QDir record(kSourceDir + "/content/revisione");
    for (const QString& key : record.entryList({"giro-*-chiave.tsv"}, QDir::Files)) {
        for (const QString& line : QString::fromUtf8(readFile(record.filePath(key))).split('\n')) {
            const QStringList fields = line.split('\t');
            if (fields.size() == 3)
                judged.insert(fields[1]);
        }
    }
    QSet<QString> waiting;
    for (QString line : QString::fromUtf8(readFile(kSourceDir + "/content/review_next.txt")).split('\n')) {
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            waiting.insert(line);
    }
    const QStringList words = allBundledWords();
    QSet<QString> listed(words.begin(), words.end());
    EXPECT_EQ(wordsNotIn(listed.subtract(waiting), judged), "") << "in a list, but never judged nor waiting";
}

// ---- Word pictures ----------------------------------------------------------------------------------------------

bool nearWhite(QRgb pixel)
{
    return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
}

// Twice the largest box a picture is shown in, so a projector shows it sharp.
TEST(WordPictures, EveryWordHasACentredPictureOnA600SquareJpeg)
{
    const QStringList words = allBundledWords();
    ASSERT_FALSE(words.isEmpty());
    for (const QString& word : words) {
        SCOPED_TRACE(word.toStdString());
        QImageReader reader(kProgramDir + "/jpg/" + word + ".jpg");
        EXPECT_EQ(reader.format(), "jpeg");
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        ASSERT_EQ(image.size(), QSize(600, 600));
        // White margin all round...
        for (int i = 0; i < 600; i += 20) {
            EXPECT_TRUE(nearWhite(image.pixel(i, 6)) && nearWhite(image.pixel(i, 592)) && nearWhite(image.pixel(6, i))
                && nearWhite(image.pixel(592, i)))
                << "margin not white near " << i;
        }
        // ...and a real picture inside, not an empty square.
        int painted = 0;
        for (int y = 100; y < 500; y += 8)
            for (int x = 100; x < 500; x += 8)
                painted += nearWhite(image.pixel(x, y)) ? 0 : 1;
        EXPECT_GT(painted, 2500 / 10);
    }
}

// ---- Sounds -----------------------------------------------------------------------------------------------------

struct Wav {
    QString problem; // empty when the header is a plain PCM WAVE
    int format = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples;

    double seconds() const { return rate ? double(samples.size()) / rate : 0; }
    int peak() const
    {
        int highest = 0;
        for (std::int16_t s : samples)
            highest = std::max(highest, std::abs(int(s)));
        return highest;
    }
    double rms() const
    {
        double sum = 0;
        for (std::int16_t s : samples)
            sum += double(s) * s;
        return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
    }
};

quint32 le(const QByteArray& bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

Wav readWav(const QString& path)
{
    Wav wav;
    const QByteArray bytes = readFile(path);
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        wav.problem = "no RIFF/WAVE header";
        return wav;
    }
    if (le(bytes, 4, 4) != quint32(bytes.size() - 8))
        wav.problem = "RIFF size does not match the file";
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le(bytes, at + 4, 4);
        if (at + 8 + size > bytes.size()) {
            wav.problem = "chunk " + QString::fromLatin1(id) + " runs past the end";
            return wav;
        }
        if (id == "fmt ") {
            haveFormat = size >= 16;
            wav.format = int(le(bytes, at + 8, 2));
            wav.channels = int(le(bytes, at + 10, 2));
            wav.rate = int(le(bytes, at + 12, 4));
            wav.bits = int(le(bytes, at + 22, 2));
        } else if (id == "data" && haveFormat) {
            for (qsizetype i = 0; i + 1 < size; i += 2)
                wav.samples.push_back(std::int16_t(le(bytes, at + 8 + i, 2)));
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat)
        wav.problem = "no fmt chunk";
    return wav;
}

TEST(Sounds, AreShortCleanPcmMono22050)
{
    for (const char* name : {"si1", "si2", "si3", "si4", "no"}) {
        SCOPED_TRACE(name);
        const Wav wav = readWav(kProgramDir + "/suoni/" + name + ".wav");
        ASSERT_TRUE(wav.problem.isEmpty()) << wav.problem.toStdString();
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.rate, 22050);
        EXPECT_EQ(wav.bits, 16);
        ASSERT_FALSE(wav.samples.empty());
        if (QByteArray(name) == "no") {
            EXPECT_GE(wav.seconds(), 0.3);
            EXPECT_LE(wav.seconds(), 1.2);
        } else {
            EXPECT_GE(wav.seconds(), 0.4);
            EXPECT_LE(wav.seconds(), 1.0);
        }
        EXPECT_LT(wav.peak(), 32000) << "clipping";
        EXPECT_GT(wav.peak(), 3000) << "hardly audible";
        // Starting or stopping away from zero is heard as a click.
        const std::size_t edge = 22050 / 1000;
        for (std::size_t i = 0; i < edge; ++i) {
            EXPECT_LT(std::abs(int(wav.samples[i])), 330) << "sample " << i;
            EXPECT_LT(std::abs(int(wav.samples[wav.samples.size() - 1 - i])), 330) << "sample -" << i;
        }
    }
}

TEST(Sounds, FailureSoundIsQuieterAndJinglesDiffer)
{
    const Wav no = readWav(kProgramDir + "/suoni/no.wav");
    std::vector<Wav> jingles;
    for (const char* name : {"si1", "si2", "si3", "si4"})
        jingles.push_back(readWav(kProgramDir + "/suoni/" + name + ".wav"));
    for (std::size_t i = 0; i < jingles.size(); ++i) {
        EXPECT_LT(no.peak(), jingles[i].peak() * 3 / 4) << "si" << i + 1;
        EXPECT_LT(no.rms(), jingles[i].rms()) << "si" << i + 1;
        for (std::size_t j = i + 1; j < jingles.size(); ++j)
            EXPECT_NE(jingles[i].samples, jingles[j].samples) << "si" << i + 1 << " = si" << j + 1;
    }
}

// ---- Licence ----------------------------------------------------------------------------------------------------

TEST(Licence, EverySetsLicenceAndThePictureNoticeShipWithThePictures)
{
    const QByteArray noto = readFile(kProgramDir + "/licenze/LICENSE-Noto-Emoji.txt");
    EXPECT_TRUE(noto.contains("Apache License") && noto.contains("Version 2.0"));
    const QByteArray fluent = readFile(kProgramDir + "/licenze/LICENSE-Fluent-Emoji.txt");
    EXPECT_TRUE(fluent.contains("MIT License") && fluent.contains("Copyright (c) Microsoft Corporation"));
    const QByteArray twemoji = readFile(kProgramDir + "/licenze/LICENSE-Twemoji.txt");
    EXPECT_TRUE(twemoji.contains("CC BY 4.0") && twemoji.contains("https://creativecommons.org/licenses/by/4.0/"));
    const QByteArray notice = readFile(kProgramDir + "/licenze/NOTICE-pictures.txt");
    for (const char* credit : {"Noto Emoji", "Apache License 2.0", "Fluent Emoji Flat", "MIT", "Twemoji", "CC BY 4.0"})
        EXPECT_TRUE(notice.contains(credit)) << credit;
}

// The paragraph of the package's copyright file whose licence is the given one: the files it covers.
QStringList copyrightFiles(const QString& licence)
{
    const QString copyright = QString::fromUtf8(readFile(kSourceDir + "/packaging/copyright"));
    QStringList files;
    for (const QString& paragraph : copyright.split(QStringLiteral("\n\n"))) {
        if (!paragraph.contains(QStringLiteral("\nLicense: %1\n").arg(licence)))
            continue;
        const QString field
            = paragraph.section(QStringLiteral("Copyright:"), 0, 0).section(QStringLiteral("Files:"), 1);
        for (const QString& file : field.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
            if (!file.contains("/jpg/"))
                continue; // the program's own paragraph, "Files: *"
            // Where the package installs the pictures: a paragraph naming another folder covers nothing.
            EXPECT_TRUE(file.startsWith("usr/share/tavenzo/jpg/")) << file.toStdString();
            files << QFileInfo(file).completeBaseName();
        }
    }
    files.sort();
    return files;
}

TEST(Licence, NoticeAndCopyrightNameEveryPictureTakenFromASetOtherThanNoto)
{
    // The attribution those licences ask for: which pictures come from them.
    const QHash<QString, QString> licences {
        {"fluent-emoji-flat", "MIT"}, {"twemoji", "CC-BY-4.0"}, {"disegni", "GPL-3.0-or-later"}};
    const QString notice = QString::fromUtf8(readFile(kSourceDir + "/content/NOTICE-pictures.txt"));
    const QHash<QString, QStringList> table = emojiTable();
    for (const QString& set : kPictureSets.mid(1)) {
        SCOPED_TRACE(set.toStdString());
        const QRegularExpression line(QStringLiteral("^%1: (.*)$").arg(set), QRegularExpression::MultilineOption);
        const QStringList named = line.match(notice).captured(1).split(' ', Qt::SkipEmptyParts);
        QStringList drawn;
        for (auto it = table.constBegin(); it != table.constEnd(); ++it)
            if (it.value().value(0) == set)
                drawn << it.key();
        drawn.sort();
        EXPECT_EQ(named.join(' ').toStdString(), drawn.join(' ').toStdString());
        EXPECT_EQ(copyrightFiles(licences.value(set)).join(' ').toStdString(), drawn.join(' ').toStdString());
    }
}

// ---- Screen art -------------------------------------------------------------------------------------------------

// The sizes the ui lays its screens out for.
const QHash<QString, QSize>& artSizes()
{
    static const QHash<QString, QSize> sizes = {
        // The splash pictures come at the size of their boxes, already stretched.
        {"splash0.png", {209, 217}},
        {"splash1.png", {313, 209}},
        {"splash2.png", {265, 241}},
        {"splash3.png", {313, 217}},
        {"ladybird.png", {88, 96}},
        {"traffic_light.png", {97, 96}},
        {"snake.png", {89, 80}},
        {"three_panels.png", {237, 82}},
        {"icon_avanti.png", {32, 32}},
        {"icon_si.png", {32, 32}},
        {"icon_no.png", {32, 32}},
        {"icon_info.png", {32, 32}},
        {"icon_exit.png", {32, 32}},
        {"icon_help.png", {32, 32}},
        {"icon_window.png", {32, 32}},
        {"icon_window_256.png", {256, 256}},
        {"placeholder.png", {300, 300}},
    };
    return sizes;
}

QImage art(const QString& name)
{
    return QImage(kArtDir + "/" + name).convertToFormat(QImage::Format_ARGB32);
}

TEST(Art, QrcListsEveryPictureWhichLoadsAtItsSize)
{
    const QString qrc = QString::fromUtf8(readFile(kArtDir + "/art.qrc"));
    EXPECT_TRUE(qrc.contains("prefix=\"/art\""));
    static const QRegularExpression fileEntry("<file>([^<]+)</file>");
    QSet<QString> listed;
    for (const QRegularExpressionMatch& match : fileEntry.globalMatch(qrc))
        listed.insert(match.captured(1));
    // Each piece at its size, and twice and four times that for full-screen and high-density displays.
    QHash<QString, QSize> expected;
    for (auto it = artSizes().constBegin(); it != artSizes().constEnd(); ++it) {
        expected.insert(it.key(), it.value());
        if (it.key() != QStringLiteral("icon_window_256.png")) {
            QString base = it.key();
            base.chop(4);
            expected.insert(base + QStringLiteral("@2x.png"), it.value() * 2);
            expected.insert(base + QStringLiteral("@4x.png"), it.value() * 4);
        }
    }
    QList<QString> names = expected.keys();
    // The pieces drawn at the size shown come as SVG too.
    for (const char* vector : {"ladybird", "traffic_light", "snake", "three_panels", "icon_avanti", "icon_si",
             "icon_no", "icon_info", "icon_exit", "icon_help"})
        names.append(QString::fromLatin1(vector) + ".svg");
    EXPECT_EQ(listed, QSet<QString>(names.begin(), names.end()));
    for (const QString& name : listed) {
        if (name.endsWith(".svg"))
            continue;
        const QImage image = art(name);
        EXPECT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), expected.value(name)) << name.toStdString();
    }
}

// An SVG piece drawn at its size looks as its PNG of that size does: the writer left out nothing the painter draws
// (a gradient, an emoji, the letter) and moved nothing. (The larger PNGs scale up emoji drawn at this size.)
TEST(Art, VectorPiecesDrawAsTheirPictures)
{
    // The "?" of the information icon is text, which needs the fonts of an application.
    static int argc = 1;
    static char name0[] = "content_tests";
    static char* argv[] = {name0, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
        new QGuiApplication(argc, argv);
    }
    const QString qrc = QString::fromUtf8(readFile(kArtDir + "/art.qrc"));
    static const QRegularExpression svgEntry("<file>([^<]+)\\.svg</file>");
    int pieces = 0;
    for (const QRegularExpressionMatch& match : svgEntry.globalMatch(qrc)) {
        ++pieces;
        const QString name = match.captured(1);
        const QImage png = art(name + ".png").convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(png.isNull()) << name.toStdString();
        QSvgRenderer renderer(kArtDir + "/" + name + ".svg");
        ASSERT_TRUE(renderer.isValid()) << name.toStdString();
        QImage drawn(png.size(), QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(png.size())));
        painter.end();
        qint64 total = 0;
        qint64 far = 0;
        for (int y = 0; y < png.height(); ++y) {
            for (int x = 0; x < png.width(); ++x) {
                const QRgb a = png.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                    std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
                total += d;
                far += d > 64 ? 1 : 0;
            }
        }
        const qint64 pixels = qint64(png.width()) * png.height();
        // The PNGs fit an emoji to whole pixels, the SVG to the exact box: edges of a small face move by a pixel or
        // so. A piece without its emoji, gradient or letter is off by far more.
        EXPECT_LT(double(total) / pixels, 32.0) << name.toStdString();
        EXPECT_LT(double(far) / pixels, 0.15) << name.toStdString();
    }
    EXPECT_EQ(pieces, 10);
}

// The rows of a PNG file's image data, still filtered: each starts with its filter type.
QByteArray pngRows(const QByteArray& png, QSize size, int bytesPerPixel)
{
    QByteArray data;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = qsizetype(
            (quint8(png[at]) << 24) | (quint8(png[at + 1]) << 16) | (quint8(png[at + 2]) << 8) | quint8(png[at + 3]));
        if (png.mid(at + 4, 4) == "IDAT")
            data += png.mid(at + 8, length);
        at += length + 12;
    }
    // qUncompress wants the size in front of the zlib stream.
    const qsizetype rows = qsizetype(size.height()) * (1 + qsizetype(size.width()) * bytesPerPixel);
    QByteArray sized(4, '\0');
    for (int i = 0; i < 4; ++i)
        sized[i] = char((rows >> (24 - 8 * i)) & 0xff);
    return qUncompress(sized + data);
}

TEST(Art, RowsAreStoredUnfilteredSoTheyDecodeWithoutUndoingFilters)
{
    for (const QString& name : {QStringLiteral("splash0@2x.png"), QStringLiteral("icon_si@4x.png")}) {
        const QByteArray png = readFile(kArtDir + "/" + name);
        const QImage image = art(name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const int bytesPerPixel = QImage(kArtDir + "/" + name).hasAlphaChannel() ? 4 : 3;
        const QByteArray rows = pngRows(png, image.size(), bytesPerPixel);
        ASSERT_EQ(rows.size(), qsizetype(image.height()) * (1 + image.width() * bytesPerPixel)) << name.toStdString();
        for (int y = 0; y < image.height(); ++y)
            ASSERT_EQ(rows[qsizetype(y) * (1 + image.width() * bytesPerPixel)], '\0')
                << name.toStdString() << " row " << y;
    }
}

TEST(Art, SplashPicturesAreOpaqueWithTheWindowColourInTheirCorners)
{
    // Opaque pictures are shown as they are decoded; with an alpha channel each would be copied once more.
    for (const char* name : {"splash0.png", "splash1.png", "splash2.png", "splash3.png"}) {
        const QImage image(kArtDir + "/" + name);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_FALSE(image.hasAlphaChannel()) << name;
        // The rounded corner lets the splash window's cyan through.
        EXPECT_EQ(image.pixel(0, 0), qRgb(0x00, 0xff, 0xff)) << name;
    }
}

enum class Hue { Green, Blue };

bool hasHue(QRgb pixel, Hue hue)
{
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (qAlpha(pixel) < 250)
        return false;
    return hue == Hue::Green ? g > r + 40 && g > b + 40 : b > r + 60 && b > g + 30;
}

TEST(Art, PanelsHaveTheirBackgroundColours)
{
    // Sampled just inside the left edge, half-way down, where only the panel shows.
    const QImage ladybird = art("ladybird.png");
    EXPECT_TRUE(hasHue(ladybird.pixel(5, 48), Hue::Green));
    const QImage trafficLight = art("traffic_light.png");
    EXPECT_TRUE(hasHue(trafficLight.pixel(5, 48), Hue::Blue));
    const QImage panels = art("three_panels.png");
    EXPECT_TRUE(hasHue(panels.pixel(5, 41), Hue::Blue));
    EXPECT_TRUE(hasHue(panels.pixel(81 + 5, 41), Hue::Green));
    EXPECT_TRUE(hasHue(panels.pixel(162 + 5, 41), Hue::Blue));
}

TEST(Art, ShadedEmojiKeepTheirColours)
{
    // Noto shades hands and faces with clip paths; painted without them, a hand turns into a black silhouette.
    for (const char* name : {"icon_exit.png", "icon_si.png", "icon_no.png"}) {
        const QImage image = art(name);
        int black = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                black += qAlpha(p) > 200 && qRed(p) < 50 && qGreen(p) < 50 && qBlue(p) < 50;
            }
        EXPECT_LT(black, 5) << name;
    }
}

TEST(Art, PlaceholderIsPlainGrey)
{
    // Anything coloured would look like a hint to the child.
    const QImage placeholder = art("placeholder.png");
    ASSERT_FALSE(placeholder.isNull());
    for (int y = 0; y < placeholder.height(); y += 3)
        for (int x = 0; x < placeholder.width(); x += 3) {
            const QColor c = QColor::fromRgba(placeholder.pixel(x, y));
            ASSERT_LT(std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}), 8)
                << x << "," << y;
        }
}

} // namespace
