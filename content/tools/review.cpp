// The blind review of the word pictures: contact sheets that show the pictures of the bundled lists numbered and
// without their words, for a reviewer who writes what a child would call each one, and the scoring of those answers
// against the hidden key. Besides, one sheet per list with the words under the pictures, to check that no two
// pictures of one list could be taken for each other.
//
//   review sheets <jpg-dir> <out-dir> <word-list.txt>...
//       <out-dir>/fogli/foglio-NN.png   numbered pictures, no words (the only files a reviewer is given)
//       <out-dir>/chiave.tsv            number, word, the lists holding the word
//       <out-dir>/voci.tsv              every word of the lists with the lists holding it
//       <out-dir>/liste/<list>.png      each list's pictures with their words
//   review sheets-of <jpg-dir> <out-dir> <words.txt> <word-list.txt>...
//       the same, but the numbered sheets show only the words of words.txt (pictures changed or added since an
//       earlier review), numbered from 1
//   review score <out-dir> <answers.txt> <result.md> [<earlier-key.tsv> <earlier-answers.txt>]...
//       answers: one line per number, "12 cane" (also "12. cane", "12: cane", "12<TAB>cane"). With earlier rounds,
//       the result also scores every entry of the lists: a word not on this round's sheets keeps the answer of the
//       latest earlier round that showed it.

#include "build_tool.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

void fail(const QString& message)
{
    std::fprintf(stderr, "review: %s\n", qPrintable(message));
}

// A word and the lists it is in: each list holding it is one entry the review counts.
struct Word {
    QString text;
    QStringList lists;
};

bool readLists(const QStringList& paths, std::vector<Word>& words, QMap<QString, QStringList>& lists)
{
    QHash<QString, std::size_t> index;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            fail("cannot read " + path);
            return false;
        }
        const QString list = QFileInfo(path).completeBaseName();
        for (QString line : QString::fromUtf8(file.readAll()).split('\n')) {
            line = line.trimmed();
            if (line.isEmpty())
                continue;
            lists[list] << line;
            if (!index.contains(line)) {
                index.insert(line, words.size());
                words.push_back({line, {}});
            }
            words[index.value(line)].lists << list;
        }
    }
    return true;
}

int entryCount(const std::vector<Word>& words)
{
    int entries = 0;
    for (const Word& word : words)
        entries += int(word.lists.size());
    return entries;
}

constexpr int kColumns = 5;
constexpr int kRows = 4;
constexpr int kPicture = 240;
constexpr int kCaption = 54;
constexpr int kGap = 24;

QFont captionFont(int pixels, bool bold)
{
    QFont font("Liberation Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A grid of pictures, each with its caption above; missing pictures are drawn as a red cross so the sheet shows them.
QImage drawSheet(const QString& jpgDir, const QStringList& words, const QStringList& captions, int columns)
{
    const int rows = (int(words.size()) + columns - 1) / columns;
    const int cellWidth = kPicture + kGap, cellHeight = kCaption + kPicture + kGap;
    QImage sheet(columns * cellWidth + kGap, rows * cellHeight + kGap, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    for (int i = 0; i < words.size(); ++i) {
        const int x = kGap + (i % columns) * cellWidth, y = kGap + (i / columns) * cellHeight;
        painter.setPen(Qt::black);
        painter.setFont(captionFont(36, true));
        painter.drawText(QRect(x, y, kPicture, kCaption), Qt::AlignCenter, captions[i]);
        const QRect box(x, y + kCaption, kPicture, kPicture);
        const QImage picture(jpgDir + "/" + words[i] + ".jpg");
        if (picture.isNull()) {
            painter.setPen(QPen(Qt::red, 6));
            painter.drawLine(box.topLeft(), box.bottomRight());
            painter.drawLine(box.topRight(), box.bottomLeft());
        } else {
            painter.drawImage(box, picture);
        }
        painter.setPen(QPen(QColor("#9e9e9e"), 2));
        painter.drawRect(box);
    }
    return sheet;
}

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
        fail("cannot write " + path);
        return false;
    }
    return true;
}

// The words of a plain word file: one a line, blank lines and # comments skipped.
bool readWordFile(const QString& path, QStringList& words)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail("cannot read " + path);
        return false;
    }
    for (QString line : QString::fromUtf8(file.readAll()).split('\n')) {
        line = line.section('#', 0, 0).trimmed();
        if (!line.isEmpty() && !words.contains(line))
            words << line;
    }
    return true;
}

// shown: the words to number on the sheets; empty for every word of the lists.
int makeSheets(const QString& jpgDir, const QString& outDir, const QStringList& listPaths, const QStringList& shown)
{
    std::vector<Word> all;
    QMap<QString, QStringList> lists;
    if (!readLists(listPaths, all, lists))
        return 1;
    std::vector<Word> words;
    QStringList unknown = shown;
    for (const Word& word : all) {
        if (shown.isEmpty() || shown.contains(word.text))
            words.push_back(word);
        unknown.removeAll(word.text);
    }
    if (!unknown.isEmpty()) {
        fail("not in any list: " + unknown.join(' '));
        return 1;
    }
    // A fixed shuffle: neighbours on a sheet must not give away a list's theme or sound, and the same words keep
    // the same numbers from one build to the next.
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.text < b.text; });
    std::mt19937 random(20240521u);
    std::shuffle(words.begin(), words.end(), random);

    if (!QDir().mkpath(outDir + "/fogli") || !QDir().mkpath(outDir + "/liste")) {
        fail("cannot create " + outDir);
        return 1;
    }
    QString key, entries;
    for (const Word& word : all)
        entries += word.text + '\t' + word.lists.join(',') + '\n';
    int missing = 0;
    const int perSheet = kColumns * kRows;
    for (std::size_t first = 0; first < words.size(); first += perSheet) {
        QStringList sheetWords, numbers;
        for (std::size_t i = first; i < std::min(words.size(), first + perSheet); ++i) {
            sheetWords << words[i].text;
            numbers << QString::number(i + 1);
            key += QStringLiteral("%1\t%2\t%3\n").arg(i + 1).arg(words[i].text, words[i].lists.join(','));
            missing += QFile::exists(jpgDir + "/" + words[i].text + ".jpg") ? 0 : 1;
        }
        const QString path
            = QStringLiteral("%1/fogli/foglio-%2.png").arg(outDir).arg(first / perSheet + 1, 2, 10, QChar('0'));
        if (!drawSheet(jpgDir, sheetWords, numbers, kColumns).save(path)) {
            fail("cannot write " + path);
            return 1;
        }
    }
    if (!writeText(outDir + "/chiave.tsv", key) || !writeText(outDir + "/voci.tsv", entries))
        return 1;
    for (auto it = lists.constBegin(); it != lists.constEnd(); ++it) {
        const QString path = outDir + "/liste/" + it.key() + ".png";
        if (!drawSheet(jpgDir, it.value(), it.value(), 6).save(path)) {
            fail("cannot write " + path);
            return 1;
        }
    }
    std::printf("review: %d pictures (%d entries in %d lists) on %d sheets in %s/fogli\n", int(words.size()),
        entryCount(words), int(lists.size()), int((words.size() + perSheet - 1) / perSheet), qPrintable(outDir));
    if (missing > 0)
        fail(QStringLiteral("%1 pictures are missing (a red cross on the sheets)").arg(missing));
    return missing > 0 ? 1 : 0;
}

// What the reviewer wrote, reduced to the word a child would say: the first of several answers, without article,
// accents, case or punctuation ("La mela / il pomo." -> "mela").
QString spokenWord(QString answer)
{
    static const QRegularExpression alternatives("[/,;(]");
    answer = answer.section(alternatives, 0, 0).toLower().normalized(QString::NormalizationForm_D);
    answer.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    answer.replace(QChar(0x2019), '\'');
    answer = answer.trimmed();
    static const QRegularExpression article("^(il|lo|la|i|gli|le|un|uno|una)\\s+|^(l|un)'\\s*");
    answer.remove(article);
    static const QRegularExpression edges("^[^a-z]+|[^a-z]+$");
    answer.remove(edges);
    // One word that Italian dictionaries spell two ways: the other spelling is the same word, not another name.
    static const QHash<QString, QString> spellings {{"igloo", "iglu"}};
    return spellings.value(answer, answer);
}

// The share of list entries whose picture must be named with its own word.
constexpr double kThreshold = 97.0;

// One round of the review: what was written for each word its sheets showed, and the lists each word was in then.
struct Round {
    struct Seen {
        int number = 0;
        QStringList lists;
        QString written; // empty when the answers skip the number
        bool answered = false;
    };
    QMap<QString, Seen> words;
    int answered = 0;
};

bool readRound(const QString& keyPath, const QString& answersPath, Round& round)
{
    QFile keyFile(keyPath);
    QFile answersFile(answersPath);
    if (!keyFile.open(QIODevice::ReadOnly) || !answersFile.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1 or %2 (draw the sheets first: content/review.sh)")
                 .arg(keyPath, answersPath));
        return false;
    }
    QHash<int, QString> byNumber;
    for (const QString& line : QString::fromUtf8(keyFile.readAll()).split('\n')) {
        const QStringList fields = line.split('\t');
        if (fields.size() == 3) {
            round.words.insert(fields[1], {fields[0].toInt(), fields[2].split(','), {}, false});
            byNumber.insert(fields[0].toInt(), fields[1]);
        }
    }
    static const QRegularExpression numbered("^\\s*(\\d+)\\s*[.:)\\-]?\\s*(.*)$");
    for (const QString& line : QString::fromUtf8(answersFile.readAll()).split('\n')) {
        const QRegularExpressionMatch match = numbered.match(line.trimmed());
        const int number = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (!byNumber.contains(number))
            continue;
        Round::Seen& seen = round.words[byNumber.value(number)];
        round.answered += seen.answered ? 0 : 1;
        seen.written = match.captured(2).trimmed();
        seen.answered = true;
    }
    return true;
}

// Counted words and entries, and a table row for every picture not counted.
struct Tally {
    int words = 0, wordsCounted = 0, entries = 0, entriesCounted = 0;
    QStringList misses;

    void add(const QString& number, const QString& word, const QStringList& lists, const QString* written)
    {
        const bool counted = written && spokenWord(*written) == spokenWord(word);
        ++words;
        entries += int(lists.size());
        if (counted) {
            ++wordsCounted;
            entriesCounted += int(lists.size());
        } else {
            misses << QStringLiteral("| %1 | %2 | %3 | %4 |")
                          .arg(number, word, lists.join(", "), written ? *written : QStringLiteral("(nessuna)"));
        }
    }
    static double percent(int part, int whole) { return whole ? 100.0 * part / whole : 0.0; }
    double entryShare() const { return percent(entriesCounted, entries); }

    void write(QTextStream& out, const QString& missesHeading, const QString& numberColumn) const
    {
        out << "| | contate | su | % |\n|---|---|---|---|\n"
            << QStringLiteral("| voci delle liste | %1 | %2 | %3 |\n")
                   .arg(entriesCounted)
                   .arg(entries)
                   .arg(entryShare(), 0, 'f', 1)
            << QStringLiteral("| parole | %1 | %2 | %3 |\n\n")
                   .arg(wordsCounted)
                   .arg(words)
                   .arg(percent(wordsCounted, words), 0, 'f', 1);
        out << "Soglia: " << kThreshold
            << " % delle voci delle liste: " << (entryShare() >= kThreshold ? "raggiunta" : "non raggiunta") << ".\n\n";
        out << "## " << missesHeading << " (" << misses.size() << ")\n\n";
        if (!misses.isEmpty())
            out << "| " << numberColumn << " | parola | liste | scritto |\n|---|---|---|---|\n"
                << misses.join('\n') << '\n';
    }
};

// earlier: key and answers of earlier rounds, oldest first.
int score(const QString& outDir, const QString& answersPath, const QString& resultPath, const QStringList& earlier)
{
    Round round;
    if (!readRound(outDir + "/chiave.tsv", answersPath, round))
        return 1;
    std::vector<Round> rounds;
    for (int i = 0; i + 1 < earlier.size(); i += 2) {
        rounds.emplace_back();
        if (!readRound(earlier[i], earlier[i + 1], rounds.back()))
            return 1;
    }

    // This round alone, in the order of its numbers.
    QMap<int, QString> byNumber;
    for (auto it = round.words.constBegin(); it != round.words.constEnd(); ++it)
        byNumber.insert(it->number, it.key());
    Tally own;
    for (const QString& word : byNumber) {
        const Round::Seen& seen = round.words[word];
        own.add(QString::number(seen.number), word, seen.lists, seen.answered ? &seen.written : nullptr);
    }

    QFile result(resultPath);
    if (!result.open(QIODevice::WriteOnly)) {
        fail("cannot write " + resultPath);
        return 1;
    }
    QTextStream out(&result);
    out << "# Revisione alla cieca delle figure\n\n"
        << "Risposte: `" << QFileInfo(answersPath).fileName() << "` (" << round.answered << " di " << round.words.size()
        << " numeri)\n\n";
    own.write(out, QStringLiteral("Figure non contate"), QStringLiteral("n."));
    double share = own.entryShare();

    if (!rounds.empty()) {
        // Every entry of the lists as they are now: a word takes its answer from the latest round that showed it.
        QFile entriesFile(outDir + "/voci.tsv");
        if (!entriesFile.open(QIODevice::ReadOnly)) {
            fail("cannot read " + entriesFile.fileName());
            return 1;
        }
        Tally all;
        for (const QString& line : QString::fromUtf8(entriesFile.readAll()).split('\n')) {
            const QStringList fields = line.split('\t');
            if (fields.size() != 2)
                continue;
            const QString& word = fields[0];
            const QString* written = nullptr;
            QString where = QStringLiteral("mai vista");
            if (round.words.contains(word)) {
                const Round::Seen& seen = round.words[word];
                written = seen.answered ? &seen.written : nullptr;
                where = QStringLiteral("%1 (questa)").arg(seen.number);
            } else {
                for (auto r = rounds.rbegin(); r != rounds.rend(); ++r) {
                    if (r->words.contains(word)) {
                        const Round::Seen& seen = r->words[word];
                        written = seen.answered ? &seen.written : nullptr;
                        where = QStringLiteral("%1 (revisione %2)").arg(seen.number).arg(rounds.rend() - r);
                        break;
                    }
                }
            }
            all.add(where, word, fields[1].split(','), written);
        }
        out << "\n# Tutte le liste, con le revisioni precedenti\n\n"
            << "Ogni parola conta con la risposta dell'ultima revisione che ne ha mostrato la figura (" << rounds.size()
            << " precedenti e questa).\n\n";
        all.write(out, QStringLiteral("Voci non contate"), QStringLiteral("n. (revisione)"));
        share = all.entryShare();
    }
    out.flush();
    std::printf("review: %d of %d entries counted (%.1f %%), %d of %d words; %d misses listed in %s\n",
        own.entriesCounted, own.entries, own.entryShare(), own.wordsCounted, own.words, int(own.misses.size()),
        qPrintable(resultPath));
    if (!rounds.empty())
        std::printf("review: with the earlier rounds, %.1f %% of all list entries counted\n", share);
    return 0;
}

int usage()
{
    std::fprintf(stderr,
        "usage: review sheets <jpg-dir> <out-dir> <word-list.txt>...\n"
        "       review sheets-of <jpg-dir> <out-dir> <words.txt> <word-list.txt>...\n"
        "       review score <out-dir> <answers.txt> <result.md> [<earlier-key.tsv> <earlier-answers.txt>]...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    prepareForTheBuild();
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == "sheets" && args.size() >= 5)
        return makeSheets(args[2], args[3], args.mid(4), {});
    if (args.value(1) == "sheets-of" && args.size() >= 6) {
        QStringList shown;
        if (!readWordFile(args[4], shown))
            return 1;
        if (shown.isEmpty()) {
            fail("no words in " + args[4]);
            return 1;
        }
        return makeSheets(args[2], args[3], args.mid(5), shown);
    }
    if (args.value(1) == "score" && args.size() >= 5 && args.size() % 2 == 1)
        return score(args[2], args[3], args[4], args.mid(5));
    return usage();
}
