// Reading Iconify icon sets and painting their icons with Qt's SVG renderer.

#include "iconify_icons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <list>
#include <vector>

namespace tavenzo::art {

void fail(const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(message));
}

QStringList readLines(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    if (!*ok) {
        fail("cannot read " + path);
        return {};
    }
    QStringList lines;
    for (QString line : QString::fromUtf8(file.readAll()).split('\n')) {
        line.remove('\r');
        lines << line;
    }
    return lines;
}

namespace {

QJsonObject readJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1 - run the set-up command from README (npm ci --prefix content)").arg(path));
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject())
        fail(QStringLiteral("%1: %2").arg(path, error.errorString()));
    return doc.object();
}

// Qt 6.4's SVG renderer ignores clip-path (and draws a clipPath's shape as if it were content), yet many Noto
// icons shade their hands and faces with clipped groups. So the icon is painted element by element: runs of
// plain elements go straight to QSvgRenderer, a clipped element is painted on its own layer and cut out with a
// mask painted from its clip path.
class IconPainter {
public:
    explicit IconPainter(const Icon& icon)
        : viewBox_(icon.viewBox)
    {
        QXmlStreamReader xml(QStringLiteral("<svg>%1</svg>").arg(icon.body));
        xml.setNamespaceProcessing(false);
        std::vector<Element*> open;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                Element* element = open.empty() ? &root_ : &open.back()->children.emplace_back();
                element->name = xml.qualifiedName().toString();
                for (const QXmlStreamAttribute& attribute : xml.attributes())
                    element->attributes.append({attribute.qualifiedName().toString(), attribute.value().toString()});
                open.push_back(element);
            } else if (token == QXmlStreamReader::EndElement) {
                open.pop_back();
            }
        }
        valid_ = !xml.hasError() && !icon.isNull();
        if (valid_)
            index(root_);
    }

    bool isValid() const { return valid_; }

    // The icon fitted (aspect ratio kept) and centred in a transparent image of the given size.
    QImage render(const QSize& size)
    {
        QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        if (valid_)
            paintChildren(root_, {}, canvas);
        return canvas;
    }

private:
    struct Element {
        QString name;
        QList<QPair<QString, QString>> attributes;
        std::list<Element> children; // a list: parsing keeps pointers to elements still open

        QString attribute(const QString& key) const
        {
            for (const auto& [attributeName, value] : attributes)
                if (attributeName == key)
                    return value;
            return {};
        }
        bool clipped() const { return !attribute("clip-path").isEmpty(); }
        bool clippedInside() const
        {
            return clipped()
                || std::any_of(children.begin(), children.end(), [](const Element& e) { return e.clippedInside(); });
        }
        bool isResource() const
        {
            return name == "defs" || name == "linearGradient" || name == "radialGradient" || name == "clipPath";
        }
    };

    enum class Mode { Paint, Mask };

    // Gradients and defs go into every document painted, wherever the icon declares them.
    void index(const Element& element, bool inResource = false)
    {
        const QString id = element.attribute("id");
        if (!id.isEmpty())
            byId_.insert(id, &element);
        const bool resource = element.isResource() && element.name != "clipPath";
        if (resource && !inResource) {
            resources_ += serialise(element, Mode::Paint, true);
            maskResources_ += serialise(element, Mode::Mask, true);
        }
        for (const Element& child : element.children)
            index(child, inResource || resource);
    }

    // Element back to XML, minus clip-path; in Mask mode everything is painted solid black. Resources are left
    // out of painted content as every document already carries them.
    static QString serialise(const Element& element, Mode mode, bool asResource = false)
    {
        if (element.name == "clipPath" || (!asResource && element.isResource()))
            return {};
        QString out = "<" + element.name;
        for (const auto& [name, value] : element.attributes) {
            if (name == "clip-path")
                continue;
            if (mode == Mode::Mask && (name == "fill" || name == "stroke" || name.endsWith("opacity")))
                continue;
            // Qt 6.4 only follows the xlink: spelling of href.
            out += QStringLiteral(" %1=\"%2\"").arg(name == "href" ? "xlink:href" : name, value.toHtmlEscaped());
        }
        if (mode == Mode::Mask && element.name != "g" && element.name != "defs" && element.name != "use")
            out += " fill=\"#000\"";
        out += ">";
        for (const Element& child : element.children)
            out += serialise(child, mode, asResource);
        return out + "</" + element.name + ">";
    }

    // Open tags carrying the ancestors' attributes (transforms, fills, opacity) around an element painted alone.
    static QString wrap(const std::vector<const Element*>& ancestors, const QString& inner, Mode mode)
    {
        QString head, tail;
        for (const Element* ancestor : ancestors) {
            head += "<g";
            for (const auto& [name, value] : ancestor->attributes) {
                if (name == "id" || name == "clip-path")
                    continue;
                if (mode == Mode::Mask && name != "transform")
                    continue;
                head += QStringLiteral(" %1=\"%2\"").arg(name, value.toHtmlEscaped());
            }
            head += ">";
            tail += "</g>";
        }
        return head + inner + tail;
    }

    void paintDocument(const QString& resources, const QString& content, QImage& canvas) const
    {
        const QString document = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                                "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"%1\" "
                                                "height=\"%2\" viewBox=\"%3 %4 %1 %2\">%5%6</svg>")
                                     .arg(viewBox_.width())
                                     .arg(viewBox_.height())
                                     .arg(viewBox_.left())
                                     .arg(viewBox_.top())
                                     .arg(resources, content);
        QSvgRenderer renderer(document.toUtf8());
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        QPainter painter(&canvas);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(canvas.size())));
    }

    void paintChildren(const Element& parent, std::vector<const Element*> ancestors, QImage& canvas)
    {
        QString pending;
        auto flush = [&] {
            if (!pending.isEmpty())
                paintDocument(resources_, wrap(ancestors, pending, Mode::Paint), canvas);
            pending.clear();
        };
        for (const Element& child : parent.children) {
            if (child.isResource())
                continue;
            if (!child.clippedInside()) {
                pending += serialise(child, Mode::Paint);
                continue;
            }
            flush();
            if (!child.clipped()) {
                ancestors.push_back(&child);
                paintChildren(child, ancestors, canvas);
                ancestors.pop_back();
                continue;
            }
            QImage layer(canvas.size(), QImage::Format_ARGB32_Premultiplied);
            layer.fill(Qt::transparent);
            const bool clipsBelow = std::any_of(
                child.children.begin(), child.children.end(), [](const Element& e) { return e.clippedInside(); });
            if (clipsBelow) {
                ancestors.push_back(&child);
                paintChildren(child, ancestors, layer);
                ancestors.pop_back();
            } else {
                paintDocument(resources_, wrap(ancestors, serialise(child, Mode::Paint), Mode::Paint), layer);
            }

            // The clip shape lives in the clipped element's own user space, transform included.
            static const QRegularExpression urlId("url\\(\\s*#([^)\\s]+)\\s*\\)");
            const Element* clip = byId_.value(urlId.match(child.attribute("clip-path")).captured(1));
            if (clip) {
                QString shape;
                for (const Element& part : clip->children)
                    shape += serialise(part, Mode::Mask);
                const QString transform = child.attribute("transform");
                if (!transform.isEmpty())
                    shape = QStringLiteral("<g transform=\"%1\">%2</g>").arg(transform.toHtmlEscaped(), shape);
                QImage mask(canvas.size(), QImage::Format_ARGB32_Premultiplied);
                mask.fill(Qt::transparent);
                paintDocument(maskResources_, wrap(ancestors, shape, Mode::Mask), mask);
                QPainter cut(&layer);
                cut.setCompositionMode(QPainter::CompositionMode_DestinationIn);
                cut.drawImage(0, 0, mask);
            }
            QPainter(&canvas).drawImage(0, 0, layer);
        }
        flush();
    }

    QRectF viewBox_;
    Element root_;
    QHash<QString, const Element*> byId_;
    QString resources_;
    QString maskResources_;
    bool valid_ = false;
};

} // namespace

// Icon lookup in the Iconify JSON layout: chars.json maps code points ("1f41e", "1f9d1-200d-1f3a8") to icon
// names, icons.json holds each icon's SVG body plus size defaults at the top level.
bool IconSet::load(const QString& dir)
{
    const QJsonObject chars = readJson(dir + "/chars.json");
    const QJsonObject set = readJson(dir + "/icons.json");
    if (chars.isEmpty() || set.isEmpty())
        return false;
    chars_ = chars;
    icons_ = set.value("icons").toObject();
    aliases_ = set.value("aliases").toObject();
    // Iconify's documented defaults when the set does not state them.
    defaultLeft_ = set.value("left").toInt(0);
    defaultTop_ = set.value("top").toInt(0);
    defaultWidth_ = set.value("width").toInt(16);
    defaultHeight_ = set.value("height").toInt(16);
    return !icons_.isEmpty();
}

bool IconSet::loadDrawings(const QString& dir)
{
    static const QRegularExpression svgOpen(
        "<svg\\b[^>]*\\bviewBox=\"([-\\d.]+)[\\s,]+([-\\d.]+)[\\s,]+([\\d.]+)[\\s,]+([\\d.]+)\"[^>]*>");
    const QDir folder(dir);
    for (const QString& file : folder.entryList({"*.svg"}, QDir::Files, QDir::Name)) {
        QFile svg(folder.filePath(file));
        if (!svg.open(QIODevice::ReadOnly)) {
            fail("cannot read " + svg.fileName());
            return false;
        }
        const QString text = QString::fromUtf8(svg.readAll());
        const QRegularExpressionMatch open = svgOpen.match(text);
        const qsizetype close = text.lastIndexOf("</svg>");
        if (!open.hasMatch() || close < open.capturedEnd()) {
            fail(svg.fileName() + ": expected <svg viewBox=\"x y width height\">...</svg>");
            return false;
        }
        drawings_.insert(QFileInfo(file).completeBaseName(),
            {text.mid(open.capturedEnd(), close - open.capturedEnd()),
                QRectF(open.captured(1).toDouble(), open.captured(2).toDouble(), open.captured(3).toDouble(),
                    open.captured(4).toDouble())});
    }
    if (drawings_.isEmpty())
        fail("no drawings in " + dir);
    return !drawings_.isEmpty();
}

Icon IconSet::icon(const QString& codePoints) const
{
    if (!drawings_.isEmpty())
        return drawings_.value(codePoints.trimmed());
    static const QRegularExpression separators("[\\s,+-]+");
    QStringList parts;
    for (const QString& part : codePoints.split(separators, Qt::SkipEmptyParts)) {
        QString cp = part.toLower();
        if (cp.startsWith("u"))
            cp = cp.mid(cp.startsWith("u+") ? 2 : 1);
        // The package keys drop the emoji presentation selector.
        if (cp != "fe0f")
            parts << cp;
    }
    const QString name = chars_.value(parts.join('-')).toString();
    return name.isEmpty() ? Icon() : iconNamed(name);
}

Icon IconSet::iconNamed(QString name) const
{
    for (int hops = 0; !icons_.contains(name); ++hops) {
        const QJsonObject alias = aliases_.value(name).toObject();
        // An alias that flips or rotates its parent would need transforms this tool does not apply.
        if (hops > 8 || alias.size() != 1 || !alias.contains("parent"))
            return {};
        name = alias.value("parent").toString();
    }
    const QJsonObject icon = icons_.value(name).toObject();
    if (icon.contains("rotate") || icon.contains("hFlip") || icon.contains("vFlip"))
        return {};
    return {icon.value("body").toString(),
        QRectF(icon.value("left").toInt(defaultLeft_), icon.value("top").toInt(defaultTop_),
            icon.value("width").toInt(defaultWidth_), icon.value("height").toInt(defaultHeight_))};
}

const IconSet* IconLibrary::set(const QString& name)
{
    auto found = sets_.find(name);
    if (found == sets_.end()) {
        auto loaded = std::make_unique<IconSet>();
        if (!pictureSets().contains(name)) {
            fail(QStringLiteral("unknown picture set \"%1\" (known: %2)").arg(name, pictureSets().join(", ")));
            loaded.reset();
        } else if (name == kDrawingsSet) {
            if (drawingsDir_.isEmpty() || !loaded->loadDrawings(drawingsDir_))
                loaded.reset();
        } else if (!loaded->load(root_ + "/" + name)) {
            loaded.reset();
        }
        found = sets_.emplace(name, std::move(loaded)).first;
    }
    return found->second.get();
}

Icon IconLibrary::icon(const QString& setName, const QString& codePoints)
{
    const IconSet* iconSet = set(setName);
    return iconSet ? iconSet->icon(codePoints) : Icon();
}

const QStringList& pictureSets()
{
    static const QStringList sets {"noto", "fluent-emoji-flat", "twemoji", kDrawingsSet};
    return sets;
}

bool drawIcon(QPainter& painter, const Icon& icon, const QRectF& target)
{
    IconPainter iconPainter(icon);
    if (!iconPainter.isValid())
        return false;
    const QRect pixels = target.toAlignedRect();
    painter.drawImage(pixels, iconPainter.render(pixels.size()));
    return true;
}

} // namespace tavenzo::art
