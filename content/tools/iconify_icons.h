// The emoji artwork the build draws from: icon sets in the Iconify JSON layout, as the npm packages
// @iconify-json/<set> ship them (chars.json maps code points to icon names, icons.json holds each icon's SVG body).
#pragma once

#include <QHash>
#include <QJsonObject>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class QPainter;

namespace tavenzo::art {

// Prints "<tool>: <message>" on stderr.
void fail(const QString& message);

// The lines of a UTF-8 text file without their line ends; ok is false (and the failure printed) when unreadable.
QStringList readLines(const QString& path, bool* ok);

// One icon: its SVG body (the children of <svg>) and the view box it is drawn in.
struct Icon {
    QString body;
    QRectF viewBox;

    bool isNull() const { return body.isEmpty(); }
};

class IconSet {
public:
    bool load(const QString& dir);
    // Our own drawings: one plain SVG file per picture (<name>.svg), looked up by name instead of code points.
    bool loadDrawings(const QString& dir);

    // codePoints: hex, separated by blanks, e.g. "1F41E" or "2600 FE0F". Null result: no such emoji.
    Icon icon(const QString& codePoints) const;
    Icon iconNamed(QString name) const;

private:
    QJsonObject chars_;
    QJsonObject icons_;
    QJsonObject aliases_;
    QHash<QString, Icon> drawings_;
    int defaultLeft_ = 0;
    int defaultTop_ = 0;
    int defaultWidth_ = 16;
    int defaultHeight_ = 16;
};

// The sets installed side by side in one folder (content/node_modules/@iconify-json), each read when first asked for,
// and the set of our own drawings (kDrawingsSet) in a folder of its own.
class IconLibrary {
public:
    explicit IconLibrary(QString root, QString drawingsDir = {})
        : root_(std::move(root))
        , drawingsDir_(std::move(drawingsDir))
    {
    }

    // Null when the set is not installed or cannot be read; the reason is printed once.
    const IconSet* set(const QString& name);
    Icon icon(const QString& setName, const QString& codePoints);

private:
    QString root_;
    QString drawingsDir_;
    std::map<QString, std::unique_ptr<IconSet>> sets_; // a null entry remembers a set that failed to load
};

// The icon fitted (aspect ratio kept) and centred in target; false when its SVG cannot be read.
bool drawIcon(QPainter& painter, const Icon& icon, const QRectF& target);

// The sets a word's picture may come from, as named in the emoji table and installed under @iconify-json/, and our
// own drawings, kept as SVG text in content/disegni/ for the few words no set pictures as a child names them.
const QStringList& pictureSets();
inline const QString kDrawingsSet = QStringLiteral("disegni");

} // namespace tavenzo::art
