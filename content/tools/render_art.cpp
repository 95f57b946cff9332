// Build-time tool: renders the word pictures (jpg/<word>.jpg) and the screen art PNGs from emoji artwork shipped in
// the @iconify-json packages (Noto Emoji, Fluent Emoji Flat, Twemoji) and a few drawings of our own (disegni/), so no
// binary picture has to live in the repository. The candidates mode draws one emoji from every set side by side, to
// choose a word's picture from.
//
//   render_art pictures <sets-dir> <emoji-table.tsv> <out-dir> <word-list.txt>...
//                                  (our own drawings: disegni/ beside the emoji table)
//   render_art art <sets-dir> <out-dir> <name>...
//   render_art candidates <sets-dir> <candidates.tsv> <out.png>

#include "build_tool.h"
#include "iconify_icons.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace tavenzo::art;

// Twice the largest box a word picture is shown in (297 pixels), so it stays sharp on a projector.
constexpr int kPictureSize = 600;
constexpr int kPictureMargin = 60;
// The art is drawn at the size the screens show it and again at these multiples, for full-screen and high-density
// displays: "<name>@2x.png", "<name>@4x.png".
constexpr std::array<int, 3> kArtTiers {1, 2, 4};
constexpr int kJpegQuality = 90;

// ---------------------------------------------------------------------------------------------------------------
// Word pictures

// Where a word's picture comes from: emoji of one installed set. Usually one emoji; a plural word ("funghi") may
// name several, joined by " + ", and they are drawn together.
struct PictureSource {
    QString set;
    QString codePoints;
};

// The emoji of codePoints ("1F344" or "1F344 + 1F344 + 1F344") fitted into target: one fills it, several share it in
// rows of equal cells, the shorter row on top and centred (three make a pyramid, four a square). False when an emoji
// is missing from the set or cannot be drawn.
bool drawEmojiGroup(
    QPainter& painter, IconLibrary& library, const QString& set, const QString& codePoints, const QRectF& target)
{
    QList<Icon> icons;
    for (const QString& part : codePoints.split('+')) {
        const Icon icon = library.icon(set, part.trimmed());
        if (icon.isNull())
            return false;
        icons << icon;
    }
    const int count = int(icons.size());
    if (count == 1)
        return drawIcon(painter, icons.front(), target);
    const int columns = int(std::ceil(std::sqrt(double(count))));
    const int rows = (count + columns - 1) / columns;
    const qreal cell = std::min(target.width() / columns, target.height() / rows);
    // A little air between neighbours, so they read as separate things.
    const qreal inset = cell * 0.04;
    const qreal top = target.center().y() - cell * rows / 2;
    int next = 0;
    for (int row = 0; row < rows; ++row) {
        const int inRow = row == 0 ? count - columns * (rows - 1) : columns;
        const qreal left = target.center().x() - cell * inRow / 2;
        for (int i = 0; i < inRow; ++i, ++next) {
            const QRectF box(left + i * cell, top + row * cell, cell, cell);
            if (!drawIcon(painter, icons[next], box.adjusted(inset, inset, -inset, -inset)))
                return false;
        }
    }
    return true;
}

// The emoji table: "word<TAB>set<TAB>code points" per line, # for comments.
QHash<QString, PictureSource> readPictureTable(const QString& tablePath, QStringList& errors)
{
    bool ok = false;
    QHash<QString, PictureSource> table;
    const QStringList tableLines = readLines(tablePath, &ok);
    if (!ok) {
        errors << "cannot read " + tablePath;
        return table;
    }
    for (int i = 0; i < tableLines.size(); ++i) {
        const QString line = tableLines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = line.split('\t', Qt::SkipEmptyParts);
        if (fields.size() != 3 || table.contains(fields[0])) {
            errors << QStringLiteral("%1:%2: expected one \"word<TAB>set<TAB>code points\" line per word")
                          .arg(tablePath)
                          .arg(i + 1);
            continue;
        }
        table.insert(fields[0], {fields[1], fields[2]});
    }
    return table;
}

// The words of the lists, each once, in the order they first appear.
QStringList listedWords(const QStringList& listPaths, QStringList& errors)
{
    // An accented vowel is typed with its plain vowel's key (iglù).
    static const QRegularExpression italianLetters("^[a-il-vzàèéìòù]+$");
    QStringList words;
    QSet<QString> seen;
    for (const QString& listPath : listPaths) {
        bool ok = false;
        const QStringList lines = readLines(listPath, &ok);
        if (!ok)
            errors << "cannot read " + listPath;
        for (const QString& word : lines) {
            if (word.isEmpty() || seen.contains(word))
                continue;
            seen.insert(word);
            if (!italianLetters.match(word).hasMatch())
                errors << QStringLiteral("word \"%1\" in %2 uses letters outside a-i, l-v, z and their accented vowels")
                              .arg(word, listPath);
            else
                words << word;
        }
    }
    return words;
}

// The picture on white, with the margin the exercises expect around it.
bool drawWordPicture(QImage& image, IconLibrary& library, const PictureSource& source)
{
    image = QImage(kPictureSize, kPictureSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRectF target(
        kPictureMargin, kPictureMargin, kPictureSize - 2 * kPictureMargin, kPictureSize - 2 * kPictureMargin);
    return drawEmojiGroup(painter, library, source.set, source.codePoints, target);
}

// One picture per word of all the lists together: a word in several lists is drawn once.
int renderPictures(IconLibrary& library, const QString& tablePath, const QString& outDir, const QStringList& listPaths)
{
    QStringList errors;
    const QHash<QString, PictureSource> table = readPictureTable(tablePath, errors);
    const QStringList words = listedWords(listPaths, errors);
    if (!QDir().mkpath(outDir)) {
        fail("cannot create " + outDir);
        return 1;
    }
    int rendered = 0;
    for (const QString& word : words) {
        if (!table.contains(word)) {
            errors << QStringLiteral("word \"%1\" has no line in %2").arg(word, tablePath);
            continue;
        }
        const PictureSource source = table.value(word);
        QImage image;
        if (!drawWordPicture(image, library, source)) {
            errors << QStringLiteral("no %1 picture for word \"%2\" (code points %3 in %4)")
                          .arg(source.set, word, source.codePoints, tablePath);
            continue;
        }
        const QString path = outDir + "/" + word + ".jpg";
        if (!image.save(path, "JPG", kJpegQuality)) {
            errors << "cannot write " + path;
            continue;
        }
        ++rendered;
    }
    for (const QString& error : errors)
        fail(error);
    if (errors.isEmpty())
        std::printf("render_art: %d word pictures in %s\n", rendered, qPrintable(outDir));
    return errors.isEmpty() ? 0 : 1;
}

// A sheet to choose a word's picture from: for each line of the candidates file ("label<TAB>code points") the label
// and the emoji as every set draws it, side by side, two candidates a row.
int renderCandidates(IconLibrary& library, const QString& candidatesPath, const QString& outPath)
{
    bool ok = false;
    const QStringList lines = readLines(candidatesPath, &ok);
    if (!ok)
        return 1;
    QList<QStringList> candidates;
    for (const QString& line : lines) {
        const QStringList fields = line.split('\t', Qt::SkipEmptyParts);
        if (fields.size() == 2 && !line.startsWith('#'))
            candidates << fields;
    }
    const QStringList& sets = pictureSets();
    constexpr int kCell = 150, kLabel = 170, kHeader = 34, kColumns = 2;
    const int block = kLabel + kCell * int(sets.size());
    const int rows = (int(candidates.size()) + kColumns - 1) / kColumns;
    QImage sheet(block * kColumns, kHeader + kCell * rows, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    QFont font("Liberation Sans");
    font.setPixelSize(18);
    painter.setFont(font);
    for (int column = 0; column < kColumns; ++column)
        for (int s = 0; s < sets.size(); ++s)
            painter.drawText(QRectF(column * block + kLabel + s * kCell, 0, kCell, kHeader), Qt::AlignCenter, sets[s]);
    for (int i = 0; i < candidates.size(); ++i) {
        const qreal x = (i % kColumns) * block, y = kHeader + (i / kColumns) * kCell;
        painter.setPen(QColor("#bbbbbb"));
        painter.drawRect(QRectF(x, y, block, kCell));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 8, y, kLabel - 12, kCell), Qt::AlignVCenter | Qt::TextWordWrap,
            candidates[i][0] + "\n" + candidates[i][1]);
        for (int s = 0; s < sets.size(); ++s) {
            const QRectF target(x + kLabel + s * kCell + 10, y + 10, kCell - 20, kCell - 20);
            if (!drawEmojiGroup(painter, library, sets[s], candidates[i][1], target))
                painter.drawText(target, Qt::AlignCenter, "-");
        }
    }
    painter.end();
    return sheet.save(outPath) ? 0 : 1;
}

// ---------------------------------------------------------------------------------------------------------------
// Screen art

// Drawing helpers for one art piece; a missing emoji is collected as an error instead of leaving a hole.
class Sketch {
public:
    Sketch(QPainter& painter, const IconSet& noto, QStringList& errors, QString* svg = nullptr)
        : p(painter)
        , noto_(noto)
        , errors_(errors)
        , svg_(svg)
    {
    }

    // Set when the piece is written as SVG instead of painted: the program draws it at the size it shows it.
    bool writingSvg() const { return svg_ != nullptr; }
    // Definitions (gradients) gathered while writing, to stand before what uses them.
    QString svgDefinitions() const { return defs_; }

    void emoji(const QRectF& r, const char* codePoints)
    {
        const Icon icon = noto_.icon(QString::fromLatin1(codePoints));
        if (svg_ != nullptr && !icon.isNull()) {
            *svg_ += svgEmoji(icon, r);
            return;
        }
        if (!drawIcon(p, icon, r))
            errors_ << QStringLiteral("no Noto Emoji for code points %1").arg(QString::fromLatin1(codePoints));
    }

    // A rounded panel with a soft top-to-bottom shade and a slightly darker rim.
    void panel(const QRectF& r, const QColor& colour, qreal radius, qreal rim = -1)
    {
        if (rim < 0)
            rim = qMax(1.0, qMin(r.width(), r.height()) / 40);
        if (svg_ != nullptr) {
            const QRectF box = r.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2);
            *svg_ += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" ry=\"%5\" "
                                    "fill=\"url(#%6)\" stroke=\"%7\" stroke-width=\"%8\"/>")
                         .arg(box.x())
                         .arg(box.y())
                         .arg(box.width())
                         .arg(box.height())
                         .arg(radius)
                         .arg(svgShade(r, colour.lighter(112), colour), colour.darker(125).name())
                         .arg(rim);
            return;
        }
        QLinearGradient shade(r.topLeft(), r.bottomLeft());
        shade.setColorAt(0, colour.lighter(112));
        shade.setColorAt(1, colour);
        p.setPen(QPen(colour.darker(125), rim));
        p.setBrush(shade);
        p.drawRoundedRect(r.adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2), radius, radius);
    }

    void card(const QRectF& r, qreal radius, const QColor& rim = QColor(0, 0, 0, 40), qreal rimWidth = 2)
    {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawRoundedRect(r.translated(0, rimWidth + 1), radius, radius);
        p.setPen(QPen(rim, rimWidth));
        p.setBrush(Qt::white);
        p.drawRoundedRect(r, radius, radius);
    }

    void letter(const QRectF& r, const QString& text, const QColor& colour, qreal sizeFactor = 0.68)
    {
        QFont font("Liberation Sans");
        font.setBold(true);
        font.setPixelSize(qRound(r.height() * sizeFactor));
        if (svg_ != nullptr) {
            // Centred as drawText centres it: the line's middle, ascent and descent together, on the box's middle.
            const QFontMetricsF metrics(font);
            const qreal baseline = r.center().y() + (metrics.ascent() - metrics.descent()) / 2;
            *svg_ += QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"Liberation Sans\" font-weight=\"bold\" "
                                    "font-size=\"%3\" text-anchor=\"middle\" fill=\"%4\">%5</text>")
                         .arg(r.center().x())
                         .arg(baseline)
                         .arg(font.pixelSize())
                         .arg(colour.name(), text.toHtmlEscaped());
            return;
        }
        p.setFont(font);
        p.setPen(colour);
        p.drawText(r, Qt::AlignCenter, text);
    }

    void letterTile(const QRectF& r, const QString& text, const QColor& colour)
    {
        card(r, r.height() * 0.18, colour, qMax(2.0, r.height() / 16));
        letter(r, text, colour.darker(160));
    }

    // Grey bars standing for a written word, so no actual word is shown.
    void wordCard(const QRectF& r, const QColor& rim)
    {
        card(r, r.height() * 0.25, rim, qMax(2.0, r.height() / 14));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#b0bec5"));
        const qreal h = r.height() * 0.22;
        const qreal y = r.center().y() - h / 2;
        const qreal x0 = r.left() + r.width() * 0.14;
        const qreal widths[] = {0.26, 0.18, 0.22};
        qreal x = x0;
        for (qreal w : widths) {
            p.drawRoundedRect(QRectF(x, y, r.width() * w, h), h / 2, h / 2);
            x += r.width() * (w + 0.04);
        }
    }

    void confetti(const QRectF& r, const QColor& colour, int count)
    {
        // Fixed pseudo-random layout: the output must not change between builds.
        quint32 seed = 12345u + count;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return (seed >> 8) / double(1 << 24);
        };
        p.setPen(Qt::NoPen);
        for (int i = 0; i < count; ++i) {
            QColor c = colour;
            c.setAlpha(60 + int(next() * 60));
            p.setBrush(c);
            const qreal d = 6 + next() * qMin(r.width(), r.height()) * 0.08;
            p.drawEllipse(QRectF(r.left() + next() * (r.width() - d), r.top() + next() * (r.height() - d), d, d));
        }
    }

    void arrowRight(const QRectF& r, const QColor& fill, const QColor& outline)
    {
        const qreal w = r.width() / 26, h = r.height() / 24;
        QPainterPath path;
        path.moveTo(r.left() + 0 * w, r.top() + 7 * h);
        path.lineTo(r.left() + 13 * w, r.top() + 7 * h);
        path.lineTo(r.left() + 13 * w, r.top() + 0 * h);
        path.lineTo(r.left() + 26 * w, r.top() + 12 * h);
        path.lineTo(r.left() + 13 * w, r.top() + 24 * h);
        path.lineTo(r.left() + 13 * w, r.top() + 17 * h);
        path.lineTo(r.left() + 0 * w, r.top() + 17 * h);
        path.closeSubpath();
        if (svg_ != nullptr) {
            QString d;
            for (int i = 0; i < path.elementCount(); ++i) {
                const QPainterPath::Element e = path.elementAt(i);
                d += QStringLiteral("%1%2 %3 ").arg(e.isMoveTo() ? "M" : "L").arg(e.x).arg(e.y);
            }
            *svg_ += QStringLiteral("<path d=\"%1Z\" fill=\"url(#%2)\" stroke=\"%3\" stroke-width=\"%4\" "
                                    "stroke-linejoin=\"round\" stroke-linecap=\"round\"/>")
                         .arg(d, svgShade(r, fill.lighter(125), fill), outline.name())
                         .arg(qMax(1.2, r.height() / 18));
            return;
        }
        QLinearGradient shade(r.topLeft(), r.bottomLeft());
        shade.setColorAt(0, fill.lighter(125));
        shade.setColorAt(1, fill);
        p.setPen(QPen(outline, qMax(1.2, r.height() / 18), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(shade);
        p.drawPath(path);
    }

    void disc(const QRectF& r, const QColor& colour)
    {
        if (svg_ != nullptr) {
            const qreal inset = qMax(1.0, r.width() / 24) / 2;
            const QRectF box = r.adjusted(inset, inset, -inset, -inset);
            *svg_ += QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"url(#%5)\" stroke=\"%6\" "
                                    "stroke-width=\"%7\"/>")
                         .arg(box.center().x())
                         .arg(box.center().y())
                         .arg(box.width() / 2)
                         .arg(box.height() / 2)
                         .arg(svgShade(r, colour.lighter(120), colour), colour.darker(130).name())
                         .arg(qMax(1.0, r.width() / 24));
            return;
        }
        QLinearGradient shade(r.topLeft(), r.bottomLeft());
        shade.setColorAt(0, colour.lighter(120));
        shade.setColorAt(1, colour);
        p.setPen(QPen(colour.darker(130), qMax(1.0, r.width() / 24)));
        p.setBrush(shade);
        const qreal inset = qMax(1.0, r.width() / 24) / 2;
        p.drawEllipse(r.adjusted(inset, inset, -inset, -inset));
    }

    QPainter& p;

private:
    // A top-to-bottom shade over r, defined once; answers its id.
    QString svgShade(const QRectF& r, const QColor& top, const QColor& bottom)
    {
        const QString id = QStringLiteral("shade%1").arg(++ids_);
        defs_
            += QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"%2\" x2=\"0\" "
                              "y2=\"%3\"><stop offset=\"0\" stop-color=\"%4\"/><stop offset=\"1\" "
                              "stop-color=\"%5\"/></linearGradient>")
                   .arg(id)
                   .arg(r.top())
                   .arg(r.bottom())
                   .arg(top.name(), bottom.name());
        return id;
    }

    // The emoji's own SVG fitted (aspect ratio kept) and centred in r. Its ids get a prefix of their own, so two
    // emoji of one piece cannot take each other's gradients, and its gradients move to the definitions.
    QString svgEmoji(const Icon& icon, const QRectF& r)
    {
        // The toolkit's SVG renderer ignores clip paths, which some emoji shade with: such an emoji goes in as a
        // picture drawn here, eight times the size of its box, which is sharp wherever the screens show it.
        if (icon.body.contains(QLatin1String("clip-path"))) {
            constexpr int kOversize = 8;
            QImage picture((r.size() * kOversize).toSize(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            drawIcon(painter, icon, QRectF(QPointF(0, 0), QSizeF(picture.size())));
            painter.end();
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "PNG");
            return QStringLiteral("<image x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" "
                                  "xlink:href=\"data:image/png;base64,%5\"/>")
                .arg(r.x())
                .arg(r.y())
                .arg(r.width())
                .arg(r.height())
                .arg(QString::fromLatin1(png.toBase64()));
        }
        const QString prefix = QStringLiteral("e%1_").arg(++ids_);
        QString body = icon.body;
        static const QRegularExpression ids("id=\"([^\"]+)\"");
        body.replace(ids, QStringLiteral("id=\"%1\\1\"").arg(prefix));
        static const QRegularExpression urls("url\\(\\s*#([^)\\s]+)\\s*\\)");
        body.replace(urls, QStringLiteral("url(#%1\\1)").arg(prefix));
        static const QRegularExpression hrefs("(?:xlink:)?href=\"#([^\"]+)\"");
        body.replace(hrefs, QStringLiteral("xlink:href=\"#%1\\1\"").arg(prefix));
        static const QRegularExpression gradients(
            "<(linearGradient|radialGradient)\\b[^>]*/>|<(linearGradient|radialGradient)\\b[\\s\\S]*?</\\2>");
        for (const QRegularExpressionMatch& match : gradients.globalMatch(body)) {
            defs_ += match.captured(0);
        }
        body.remove(gradients);
        const QRectF box = icon.viewBox;
        const qreal scale = std::min(r.width() / box.width(), r.height() / box.height());
        const qreal x = r.center().x() - box.width() * scale / 2 - box.left() * scale;
        const qreal y = r.center().y() - box.height() * scale / 2 - box.top() * scale;
        return QStringLiteral("<g transform=\"translate(%1 %2) scale(%3)\">%4</g>").arg(x).arg(y).arg(scale).arg(body);
    }

    const IconSet& noto_;
    QStringList& errors_;
    QString* svg_ = nullptr;
    QString defs_;
    int ids_ = 0;
};

// Emoji code points used by the art (Noto names in comments).
constexpr const char* kKeyboard = "2328"; // keyboard
constexpr const char* kMouse = "1F5B1"; // computer-mouse
constexpr const char* kSun = "2600"; // sun
constexpr const char* kPencil = "270F"; // pencil
constexpr const char* kApple = "1F34E"; // red-apple
constexpr const char* kDog = "1F415"; // dog
constexpr const char* kStar = "2B50"; // star
constexpr const char* kPointUp = "1F446"; // backhand-index-pointing-up
constexpr const char* kFish = "1F41F"; // fish
constexpr const char* kBlossom = "1F338"; // cherry-blossom
constexpr const char* kLadybird = "1F41E"; // lady-beetle
constexpr const char* kTrafficLight = "1F6A6"; // vertical-traffic-light
constexpr const char* kSnake = "1F40D"; // snake
constexpr const char* kTropicalFish = "1F420"; // tropical-fish
constexpr const char* kLaughing = "1F606"; // grinning-squinting-face
constexpr const char* kFrowning = "2639"; // frowning-face
constexpr const char* kRaisedHand = "270B"; // raised-hand
constexpr const char* kLightBulb = "1F4A1"; // light-bulb
constexpr const char* kOpenBook = "1F4D6"; // open-book
constexpr const char* kSparkles = "2728"; // sparkles

const QColor kGreen("#66bb6a");
const QColor kBlue("#42a5f5");

void splashBackground(Sketch& s, const QRectF& r, const QColor& colour)
{
    s.panel(r, colour, qMin(r.width(), r.height()) * 0.08, 3);
    s.confetti(r.adjusted(8, 8, -8, -8), Qt::white, 14);
}

// Letters and the keyboard.
void drawSplash0(Sketch& s, const QRectF& r)
{
    splashBackground(s, r, QColor("#ffd54f"));
    const QRectF left(18, 18, 200, r.height() - 36);
    s.card(left, 20, QColor("#ffa000"), 3);
    s.emoji(QRectF(left.left() + 6, left.top() + 6, 188, 188), kKeyboard);
    s.emoji(QRectF(left.center().x() - 40, left.bottom() - 102, 80, 80), kMouse);
    const QString letters[] = {"A", "B", "C", "D", "E", "F"};
    const QColor colours[] = {QColor("#e53935"), QColor("#1e88e5"), QColor("#43a047"), QColor("#8e24aa"),
        QColor("#fb8c00"), QColor("#00897b")};
    const qreal tile = 68, gap = 12;
    const qreal x0 = 244, y0 = 60;
    for (int i = 0; i < 6; ++i) {
        const QRectF t(x0 + (i % 3) * (tile + gap), y0 + (i / 3) * (tile + gap), tile, tile);
        s.letterTile(t, letters[i], colours[i]);
    }
    s.emoji(QRectF(r.right() - 86, r.bottom() - 88, 64, 64), kSparkles);
}

// A picture and its word with one letter missing.
void drawSplash1(Sketch& s, const QRectF& r)
{
    splashBackground(s, r, QColor("#81d4fa"));
    const QRectF picture(r.center().x() - 58, 14, 116, 116);
    s.card(picture, 16, QColor("#0288d1"), 3);
    s.emoji(picture.adjusted(12, 12, -12, -12), kSun);
    const qreal tile = 60, gap = 10;
    const qreal x0 = r.center().x() - (4 * tile + 3 * gap) / 2, y0 = 158;
    const QString letters[] = {"S", "", "L", "E"};
    for (int i = 0; i < 4; ++i) {
        const QRectF t(x0 + i * (tile + gap), y0, tile, tile);
        if (letters[i].isEmpty()) {
            // The gap the child fills in: dashed, with a question mark rather than the letter.
            s.p.setPen(QPen(QColor("#ef6c00"), 3, Qt::DashLine, Qt::RoundCap));
            s.p.setBrush(QColor(255, 255, 255, 170));
            s.p.drawRoundedRect(t, 11, 11);
            s.letter(t, "?", QColor("#ef6c00"));
            s.emoji(QRectF(t.right() - 22, t.top() - 24, 36, 36), kPencil);
        } else {
            s.letterTile(t, letters[i], QColor("#0277bd"));
        }
    }
}

// Choosing the right picture among several.
void drawSplash2(Sketch& s, const QRectF& r)
{
    splashBackground(s, r, QColor("#a5d6a7"));
    s.wordCard(QRectF(r.center().x() - 120, 22, 240, 64), QColor("#388e3c"));
    const qreal card = 150, gap = 26;
    const qreal x0 = r.center().x() - (3 * card + 2 * gap) / 2, y0 = 112;
    const char* pictures[] = {kApple, kDog, kStar};
    for (int i = 0; i < 3; ++i) {
        const QRectF c(x0 + i * (card + gap), y0, card, card);
        if (i == 1)
            s.card(c, 20, QColor("#fdd835"), 7);
        else
            s.card(c, 20, QColor("#388e3c"), 3);
        s.emoji(c.adjusted(20, 20, -20, -20), pictures[i]);
    }
    s.emoji(QRectF(r.center().x() + 20, y0 + card - 30, 76, 76), kPointUp);
}

// Dragging words onto their pictures.
void drawSplash3(Sketch& s, const QRectF& r)
{
    splashBackground(s, r, QColor("#f48fb1"));
    s.wordCard(QRectF(12, 16, 84, 34), QColor("#c2185b"));
    s.wordCard(QRectF(12, 63, 84, 34), QColor("#c2185b"));
    s.arrowRight(QRectF(103, 43, 30, 28), QColor("#ffffff"), QColor("#ad1457"));
    const QRectF first(142, 26, 56, 56);
    const QRectF second(206, 26, 56, 56);
    s.card(first, 10, QColor("#c2185b"), 2);
    s.card(second, 10, QColor("#c2185b"), 2);
    s.emoji(first.adjusted(7, 7, -7, -7), kFish);
    s.emoji(second.adjusted(7, 7, -7, -7), kBlossom);
}

void drawOnPanel(Sketch& s, const QRectF& r, const QColor& colour, const char* codePoints)
{
    s.panel(r, colour, qMin(r.width(), r.height()) * 0.16);
    const qreal margin = qMin(r.width(), r.height()) * 0.1;
    s.emoji(r.adjusted(margin, margin, -margin, -margin), codePoints);
}

void drawThreePanels(Sketch& s, const QRectF& r)
{
    const qreal gap = 6;
    const qreal w = (r.width() - 2 * gap) / 3;
    drawOnPanel(s, QRectF(r.left(), r.top(), w, r.height()), kBlue, kTrafficLight);
    drawOnPanel(s, QRectF(r.left() + w + gap, r.top(), w, r.height()), kGreen, kLadybird);
    drawOnPanel(s, QRectF(r.left() + 2 * (w + gap), r.top(), w, r.height()), kBlue, kTropicalFish);
}

void drawInfoIcon(Sketch& s, const QRectF& r)
{
    s.disc(r, QColor("#26a69a"));
    s.letter(r.adjusted(0, r.height() * 0.03, 0, 0), "?", Qt::white, 0.75);
}

void drawExitIcon(Sketch& s, const QRectF& r)
{
    s.disc(r, QColor("#e53935"));
    const qreal m = r.width() * 0.19;
    s.emoji(r.adjusted(m, m, -m, -m), kRaisedHand);
}

void drawWindowIcon(Sketch& s, const QRectF& r)
{
    const qreal radius = r.width() * 0.22;
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, QColor("#4fc3f7"));
    shade.setColorAt(1, QColor("#0288d1"));
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(shade);
    s.p.drawRoundedRect(r, radius, radius);
    const qreal w = r.width();
    s.emoji(QRectF(r.left() + w * 0.06, r.top() + w * 0.24, w * 0.88, w * 0.72), kOpenBook);
    s.emoji(QRectF(r.left() + w * 0.52, r.top() + w * 0.03, w * 0.44, w * 0.44), kLadybird);
}

void drawPlaceholder(Sketch& s, const QRectF& r)
{
    s.p.fillRect(r, Qt::white);
    s.p.setPen(QPen(QColor("#d0d0d0"), 6));
    s.p.setBrush(QColor("#f5f5f5"));
    s.p.drawRoundedRect(r.adjusted(24, 24, -24, -24), 26, 26);
    // A faint generic "picture" sign: frame, hills, sun.
    const QPointF c = r.center();
    const QColor faint("#dedede");
    s.p.setPen(QPen(faint, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    s.p.setBrush(Qt::NoBrush);
    const QRectF frame(c.x() - 62, c.y() - 48, 124, 96);
    s.p.drawRoundedRect(frame, 12, 12);
    QPainterPath hills;
    hills.moveTo(frame.left() + 10, frame.bottom() - 12);
    hills.lineTo(frame.left() + 45, frame.top() + 44);
    hills.lineTo(frame.left() + 70, frame.top() + 66);
    hills.lineTo(frame.left() + 88, frame.top() + 52);
    hills.lineTo(frame.right() - 10, frame.bottom() - 12);
    s.p.drawPath(hills);
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(faint);
    s.p.drawEllipse(QPointF(frame.right() - 30, frame.top() + 26), 10, 10);
}

// CRC-32 of PNG chunks (ISO 3309, as in zlib), over the chunk type and data.
quint32 pngCrc(const QByteArray& bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> entries {};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    quint32 crc = 0xFFFFFFFFU;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<quint8>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

void appendBigEndian(QByteArray& out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data)
{
    appendBigEndian(png, static_cast<quint32>(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    png.append(typed);
    appendBigEndian(png, pngCrc(typed));
}

// The art as PNG with every row stored unfiltered. The program decodes the splash pictures at every start and the
// other art at every opening of a screen; undoing the filters a general PNG writer picks (Paeth above all) was over
// a third of that decoding, and the files grow by about a fifth without them.
bool saveUnfilteredPng(const QImage& picture, const QString& path)
{
    const bool alpha = picture.hasAlphaChannel();
    const QImage image = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const qsizetype rowBytes = qsizetype(image.width()) * (alpha ? 4 : 3);
    QByteArray rows;
    rows.reserve((rowBytes + 1) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        rows.append('\0'); // filter type None
        rows.append(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    }
    QByteArray header;
    appendBigEndian(header, static_cast<quint32>(image.width()));
    appendBigEndian(header, static_cast<quint32>(image.height()));
    header.append(static_cast<char>(8)); // bits per sample
    header.append(static_cast<char>(alpha ? 6 : 2)); // RGBA or RGB
    header.append(3, '\0'); // deflate, adaptive filtering (every row None here), no interlace
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    // qCompress puts the uncompressed size in front of the zlib stream; PNG wants the stream alone.
    appendChunk(png, "IDAT", qCompress(rows, 9).mid(4));
    appendChunk(png, "IEND", {});
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(png) == png.size();
}

struct ArtPiece {
    const char* name;
    QSize size;
    std::function<void(Sketch&, const QRectF&)> draw;
    // Set for the splash pictures: drawn at their design size, then stored as the splash shows them, stretched to
    // their box and laid on the window colour. Decoding the smaller, opaque picture and painting it unscaled is
    // what keeps the first window of the run quick to appear.
    QSize shownAt {};
    QColor shownOn {};
    // Also written as "<name>.svg", which the program draws at the size it shows the piece. Only pieces whose drawing
    // the SVG writer knows.
    bool vector = false;
};

// The splash window's background, 0xFFFF00 written 0xBBGGRR.
const QColor kSplashWindow("#00ffff");

std::vector<ArtPiece> artPieces()
{
    auto emojiFill = [](const char* codePoints, qreal marginFactor) {
        return [codePoints, marginFactor](Sketch& s, const QRectF& r) {
            const qreal m = qMin(r.width(), r.height()) * marginFactor;
            s.emoji(r.adjusted(m, m, -m, -m), codePoints);
        };
    };
    auto onPanel = [](const QColor& colour, const char* codePoints) {
        return [colour, codePoints](Sketch& s, const QRectF& r) { drawOnPanel(s, r, colour, codePoints); };
    };
    return {
        {"splash0", {480, 311}, drawSplash0, {209, 217}, kSplashWindow},
        {"splash1", {338, 258}, drawSplash1, {313, 209}, kSplashWindow},
        {"splash2", {545, 346}, drawSplash2, {265, 241}, kSplashWindow},
        {"splash3", {270, 113}, drawSplash3, {313, 217}, kSplashWindow},
        {"ladybird", {88, 96}, onPanel(kGreen, kLadybird), {}, {}, true},
        {"traffic_light", {97, 96}, onPanel(kBlue, kTrafficLight), {}, {}, true},
        {"snake", {89, 80}, emojiFill(kSnake, 0.03), {}, {}, true},
        {"three_panels", {237, 82}, drawThreePanels, {}, {}, true},
        {"icon_avanti", {32, 32},
            [](Sketch& s, const QRectF& r) {
                s.arrowRight(r.adjusted(2.5, 4, -2.5, -4), QColor("#43a047"), QColor("#1b5e20"));
            },
            {}, {}, true},
        {"icon_si", {32, 32}, emojiFill(kLaughing, 0.02), {}, {}, true},
        {"icon_no", {32, 32}, emojiFill(kFrowning, 0.02), {}, {}, true},
        {"icon_info", {32, 32}, drawInfoIcon, {}, {}, true},
        {"icon_exit", {32, 32}, drawExitIcon, {}, {}, true},
        {"icon_help", {32, 32}, emojiFill(kLightBulb, 0.0), {}, {}, true},
        {"icon_window", {32, 32}, drawWindowIcon},
        {"icon_window_256", {256, 256}, drawWindowIcon},
        {"placeholder", {300, 300}, drawPlaceholder},
    };
}

int renderArt(const IconSet& noto, const QString& outDir, const QStringList& names)
{
    const std::vector<ArtPiece> pieces = artPieces();
    QStringList errors;
    QSet<QString> known;
    for (const ArtPiece& piece : pieces)
        known.insert(piece.name);
    const QSet<QString> wanted(names.begin(), names.end());
    // The build lists the names too (for the qrc); both lists must agree or the ui would miss a picture.
    for (const QString& name : names)
        if (!known.contains(name))
            errors << QStringLiteral("unknown art \"%1\"").arg(name);
    for (const QString& name : known)
        if (!wanted.contains(name))
            errors << QStringLiteral("art \"%1\" is drawn here but not listed in content/CMakeLists.txt").arg(name);
    if (!errors.isEmpty()) {
        for (const QString& error : errors)
            fail(error);
        return 1;
    }
    if (!QDir().mkpath(outDir)) {
        fail("cannot create " + outDir);
        return 1;
    }
    for (const ArtPiece& piece : pieces) {
        if (piece.vector) {
            QString content;
            QImage unused(1, 1, QImage::Format_ARGB32_Premultiplied);
            QPainter none(&unused);
            QStringList pieceErrors;
            Sketch sketch(none, noto, pieceErrors, &content);
            piece.draw(sketch, QRectF(QPointF(0, 0), QSizeF(piece.size)));
            none.end();
            const QString document = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                                    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" "
                                                    "height=\"%2\" viewBox=\"0 0 %1 %2\"><defs>%3</defs>%4</svg>\n")
                                         .arg(piece.size.width())
                                         .arg(piece.size.height())
                                         .arg(sketch.svgDefinitions(), content);
            const QString path = QStringLiteral("%1/%2.svg").arg(outDir, piece.name);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(document.toUtf8()) < 0)
                errors << "cannot write " + path;
            for (const QString& error : pieceErrors)
                errors << QStringLiteral("%1: %2").arg(piece.name, error);
        }
        for (const int tier : kArtTiers) {
            // Drawn afresh at each size: the art is vector, so every size is as sharp as the first.
            QImage image(piece.size * tier, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHints(
                QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
            painter.scale(tier, tier);
            QStringList pieceErrors;
            Sketch sketch(painter, noto, pieceErrors);
            piece.draw(sketch, QRectF(QPointF(0, 0), QSizeF(piece.size)));
            painter.end();
            for (const QString& error : pieceErrors)
                errors << QStringLiteral("%1: %2").arg(piece.name, error);
            if (piece.shownAt.isValid()) {
                // The same smooth stretch the window would do, then the window colour behind it.
                const QSize shown = piece.shownAt * tier;
                const QImage stretched = image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                image = QImage(shown, QImage::Format_RGB32);
                image.fill(piece.shownOn);
                QPainter onWindow(&image);
                onWindow.drawImage(0, 0, stretched);
            }
            const QString suffix = tier == 1 ? QString() : QStringLiteral("@%1x").arg(tier);
            const QString path = QStringLiteral("%1/%2%3.png").arg(outDir, piece.name, suffix);
            if (pieceErrors.isEmpty() && !saveUnfilteredPng(image, path))
                errors << "cannot write " + path;
            if (!pieceErrors.isEmpty())
                break;
        }
    }
    for (const QString& error : errors)
        fail(error);
    return errors.isEmpty() ? 0 : 1;
}

int usage()
{
    std::fprintf(stderr,
        "usage: render_art pictures <sets-dir> <emoji-table.tsv> <out-dir> <word-list.txt>...\n"
        "       render_art art <sets-dir> <out-dir> <name>...\n"
        "       render_art candidates <sets-dir> <candidates.tsv> <out.png>\n"
        "<sets-dir> holds the Iconify sets (content/node_modules/@iconify-json); the art is drawn from noto.\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    prepareForTheBuild();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName("render_art");
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if ((mode == "pictures" && args.size() < 6) || (mode == "art" && args.size() < 4)
        || (mode == "candidates" && args.size() != 5) || (mode != "pictures" && mode != "art" && mode != "candidates"))
        return usage();

    // Our own drawings lie beside the emoji table, in disegni/.
    IconLibrary library(args[2], mode == "pictures" ? QFileInfo(args[3]).absolutePath() + "/disegni" : QString());
    if (mode == "pictures")
        return renderPictures(library, args[3], args[4], args.mid(5));
    if (mode == "candidates")
        return renderCandidates(library, args[3], args[4]);
    const IconSet* noto = library.set("noto");
    return noto ? renderArt(*noto, args[3], args.mid(4)) : 1;
}
