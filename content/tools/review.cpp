// The blind review of the word pictures: contact sheets that show every picture of the bundled lists numbered and
// without its word, for a reviewer who writes what a child would call each one, and the scoring of those answers
// against the hidden key. Besides, one sheet per list with the words under the pictures, to check that no two
// pictures of one list could be taken for each other.
//
//   review sheets <jpg-dir> <out-dir> <word-list.txt>...
//       <out-dir>/fogli/foglio-NN.png   numbered pictures, no words (the only files a reviewer is given)
//       <out-dir>/chiave.tsv            number, word, the lists holding the word
//       <out-dir>/liste/<list>.png      each list's pictures with their words
//   review score <out-dir> <answers.txt> <result.md>
//       answers: one line per number, "12 cane" (also "12. cane", "12: cane", "12<TAB>cane")

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

int makeSheets(const QString& jpgDir, const QString& outDir, const QStringList& listPaths)
{
    std::vector<Word> words;
    QMap<QString, QStringList> lists;
    if (!readLists(listPaths, words, lists))
        return 1;
    // A fixed shuffle: neighbours on a sheet must not give away a list's theme or sound, and the same words keep
    // the same numbers from one build to the next.
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.text < b.text; });
    std::mt19937 random(20240521u);
    std::shuffle(words.begin(), words.end(), random);

    if (!QDir().mkpath(outDir + "/fogli") || !QDir().mkpath(outDir + "/liste")) {
        fail("cannot create " + outDir);
        return 1;
    }
    QFile key(outDir + "/chiave.tsv");
    if (!key.open(QIODevice::WriteOnly)) {
        fail("cannot write " + key.fileName());
        return 1;
    }
    QTextStream keyOut(&key);
    int missing = 0;
    const int perSheet = kColumns * kRows;
    for (std::size_t first = 0; first < words.size(); first += perSheet) {
        QStringList sheetWords, numbers;
        for (std::size_t i = first; i < std::min(words.size(), first + perSheet); ++i) {
            sheetWords << words[i].text;
            numbers << QString::number(i + 1);
            keyOut << i + 1 << '\t' << words[i].text << '\t' << words[i].lists.join(',') << '\n';
            missing += QFile::exists(jpgDir + "/" + words[i].text + ".jpg") ? 0 : 1;
        }
        const QString path
            = QStringLiteral("%1/fogli/foglio-%2.png").arg(outDir).arg(first / perSheet + 1, 2, 10, QChar('0'));
        if (!drawSheet(jpgDir, sheetWords, numbers, kColumns).save(path)) {
            fail("cannot write " + path);
            return 1;
        }
    }
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
    return answer.remove(edges);
}

// The share of list entries whose picture must be named with its own word.
constexpr double kThreshold = 97.0;

int score(const QString& outDir, const QString& answersPath, const QString& resultPath)
{
    QFile keyFile(outDir + "/chiave.tsv");
    QFile answersFile(answersPath);
    if (!keyFile.open(QIODevice::ReadOnly) || !answersFile.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1 or %2 (build the sheets first: content/review.sh sheets)")
                 .arg(keyFile.fileName(), answersPath));
        return 1;
    }
    struct KeyRow {
        QString word;
        QStringList lists;
    };
    QMap<int, KeyRow> key;
    for (const QString& line : QString::fromUtf8(keyFile.readAll()).split('\n')) {
        const QStringList fields = line.split('\t');
        if (fields.size() == 3)
            key.insert(fields[0].toInt(), {fields[1], fields[2].split(',')});
    }
    QHash<int, QString> written;
    static const QRegularExpression numbered("^\\s*(\\d+)\\s*[.:)\\-]?\\s*(.*)$");
    for (const QString& line : QString::fromUtf8(answersFile.readAll()).split('\n')) {
        const QRegularExpressionMatch match = numbered.match(line.trimmed());
        if (match.hasMatch() && key.contains(match.captured(1).toInt()))
            written.insert(match.captured(1).toInt(), match.captured(2).trimmed());
    }

    int words = 0, wordsCounted = 0, entries = 0, entriesCounted = 0;
    QStringList misses;
    for (auto it = key.constBegin(); it != key.constEnd(); ++it) {
        const bool counted = spokenWord(written.value(it.key())) == it->word;
        ++words;
        entries += int(it->lists.size());
        if (counted) {
            ++wordsCounted;
            entriesCounted += int(it->lists.size());
        } else {
            const QString answer = written.contains(it.key()) ? written.value(it.key()) : QStringLiteral("(nessuna)");
            misses << QStringLiteral("| %1 | %2 | %3 | %4 |").arg(it.key()).arg(it->word, it->lists.join(", "), answer);
        }
    }
    auto percent = [](int part, int whole) { return whole ? 100.0 * part / whole : 0.0; };
    const double entryShare = percent(entriesCounted, entries);
    QFile result(resultPath);
    if (!result.open(QIODevice::WriteOnly)) {
        fail("cannot write " + resultPath);
        return 1;
    }
    QTextStream out(&result);
    out << "# Revisione alla cieca delle figure\n\n"
        << "Risposte: `" << QFileInfo(answersPath).fileName() << "` (" << written.size() << " di " << words
        << " numeri)\n\n"
        << "| | contate | su | % |\n|---|---|---|---|\n"
        << QStringLiteral("| voci delle liste | %1 | %2 | %3 |\n")
               .arg(entriesCounted)
               .arg(entries)
               .arg(entryShare, 0, 'f', 1)
        << QStringLiteral("| parole | %1 | %2 | %3 |\n\n")
               .arg(wordsCounted)
               .arg(words)
               .arg(percent(wordsCounted, words), 0, 'f', 1);
    out << "Soglia: " << kThreshold
        << " % delle voci delle liste: " << (entryShare >= kThreshold ? "raggiunta" : "non raggiunta") << ".\n\n";
    out << "## Figure non contate (" << misses.size() << ")\n\n";
    if (!misses.isEmpty())
        out << "| n. | parola | liste | scritto |\n|---|---|---|---|\n" << misses.join('\n') << '\n';
    out.flush();
    std::printf("review: %d of %d entries counted (%.1f %%), %d of %d words; %d misses listed in %s\n", entriesCounted,
        entries, entryShare, wordsCounted, words, int(misses.size()), qPrintable(resultPath));
    return 0;
}

int usage()
{
    std::fprintf(stderr,
        "usage: review sheets <jpg-dir> <out-dir> <word-list.txt>...\n"
        "       review score <out-dir> <answers.txt> <result.md>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QtMessageHandler defaultHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (!message.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set"))
            defaultHandler(type, context, message);
    });
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == "sheets" && args.size() >= 5)
        return makeSheets(args[2], args[3], args.mid(4));
    if (args.value(1) == "score" && args.size() == 5)
        return score(args[2], args[3], args[4]);
    return usage();
}
