// The SVG the metafile converters make is checked before the SVG renderer
// sees it: only the elements and attributes a converter legitimately writes
// are kept, references go nowhere but inside the drawing or to embedded
// images, and the amount of drawing is bounded.
#include "document/PictureCodecs.h"

#include <QBuffer>
#include <QImageReader>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace picturecodec {

namespace {

const QString kSvgNs = QStringLiteral("http://www.w3.org/2000/svg");
const QString kXlinkNs = QStringLiteral("http://www.w3.org/1999/xlink");
const QString kXmlNs = QStringLiteral("http://www.w3.org/XML/1998/namespace");

const QSet<QString>& AllowedElements()
{
    static const QSet<QString> names{
        QStringLiteral("svg"),      QStringLiteral("g"),          QStringLiteral("defs"),
        QStringLiteral("clipPath"), QStringLiteral("mask"),       QStringLiteral("pattern"),
        QStringLiteral("path"),     QStringLiteral("rect"),       QStringLiteral("circle"),
        QStringLiteral("ellipse"),  QStringLiteral("line"),       QStringLiteral("polyline"),
        QStringLiteral("polygon"),  QStringLiteral("text"),       QStringLiteral("tspan"),
        QStringLiteral("image"),    QStringLiteral("use"),        QStringLiteral("linearGradient"),
        QStringLiteral("radialGradient"), QStringLiteral("stop"), QStringLiteral("title"),
        QStringLiteral("desc")};
    return names;
}

const QSet<QString>& AllowedAttributes()
{
    static const QSet<QString> names = [] {
        QSet<QString> s;
        for (const char* n :
             {"id", "x", "y", "width", "height", "rx", "ry", "cx", "cy", "r", "x1", "y1", "x2", "y2", "fx", "fy",
              "d", "points", "fill", "fill-opacity", "fill-rule", "stroke", "stroke-width", "stroke-opacity",
              "stroke-linecap", "stroke-linejoin", "stroke-miterlimit", "stroke-dasharray", "stroke-dashoffset",
              "opacity", "transform", "viewBox", "preserveAspectRatio", "version", "baseProfile", "style",
              "clip-path", "clip-rule", "clipPathUnits", "mask", "maskUnits", "maskContentUnits", "patternUnits",
              "patternContentUnits", "patternTransform", "gradientUnits", "gradientTransform", "spreadMethod",
              "offset", "stop-color", "stop-opacity", "color", "font-family", "font-size", "font-weight",
              "font-style", "font-variant", "font-stretch", "text-decoration", "text-anchor", "dominant-baseline",
              "alignment-baseline", "baseline-shift", "textLength", "lengthAdjust", "letter-spacing",
              "word-spacing", "writing-mode", "direction", "dx", "dy", "rotate", "visibility", "display",
              "vector-effect", "shape-rendering", "image-rendering", "text-rendering"})
            s.insert(QString::fromLatin1(n));
        return s;
    }();
    return names;
}

// Every url(...) in the value points inside the drawing ("url(#id)").
bool LocalUrlsOnly(QStringView value)
{
    qsizetype at = 0;
    while ((at = value.indexOf(u"url(", at, Qt::CaseInsensitive)) >= 0) {
        at += 4;
        while (at < value.size() && (value[at] == u' ' || value[at] == u'\'' || value[at] == u'"'))
            ++at;
        if (at >= value.size() || value[at] != u'#')
            return false;
    }
    // CSS could pull in other files another way.
    return !value.contains(u"@import", Qt::CaseInsensitive) && !value.contains(u'\\');
}

// Numbers in a path's data or a point list: two make a point.
qint64 CountPoints(QStringView value)
{
    qint64 numbers = 0;
    bool inNumber = false;
    for (const QChar c : value) {
        const bool part = c.isDigit() || c == u'.';
        if (part && !inNumber)
            ++numbers;
        inNumber = part || (inNumber && (c == u'e' || c == u'E'));
    }
    return (numbers + 1) / 2;
}

// The pixels of an embedded PNG or JPEG image of a size the renderer may
// decode; 0 for anything else.
qint64 DataImagePixels(QStringView href)
{
    static const QString png = QStringLiteral("data:image/png;base64,");
    static const QString jpeg = QStringLiteral("data:image/jpeg;base64,");
    const char* format = nullptr;
    qsizetype start = 0;
    if (href.startsWith(png, Qt::CaseInsensitive)) {
        format = "png";
        start = png.size();
    } else if (href.startsWith(jpeg, Qt::CaseInsensitive)) {
        format = "jpeg";
        start = jpeg.size();
    } else {
        return 0;
    }
    QByteArray data = QByteArray::fromBase64(href.mid(start).toLatin1());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (size.width() <= 0 || size.height() <= 0 || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
        return 0;
    return qint64(size.width()) * size.height();
}

bool KeepsText(const QString& element)
{
    return element == QLatin1String("text") || element == QLatin1String("tspan") ||
           element == QLatin1String("title") || element == QLatin1String("desc");
}

}  // namespace

TOutcome<QByteArray> SanitizeSvg(const QByteArray& svg)
{
    auto fail = [](const QString& why) -> TOutcome<QByteArray> { return Refuse(why); };
    QXmlStreamReader in(svg);
    in.setNamespaceProcessing(true);
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    QStringList open;  // elements written and not yet closed
    bool haveRoot = false;
    qint64 elements = 0, points = 0, imagePixels = 0;
    while (!in.atEnd()) {
        switch (in.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QString name = in.name().toString();
            const QStringView ns = in.namespaceUri();
            const bool known = (ns.isEmpty() || ns == kSvgNs) && AllowedElements().contains(name) &&
                               (haveRoot ? name != QLatin1String("svg") || !open.isEmpty()
                                         : name == QLatin1String("svg"));
            if (!known || (haveRoot && open.isEmpty())) {
                in.skipCurrentElement();
                break;
            }
            if (++elements > kMaxSvgElements)
                return fail(QStringLiteral("too many drawing elements"));
            QXmlStreamAttributes kept;
            bool drop = false;
            for (const QXmlStreamAttribute& a : in.attributes()) {
                const QString an = a.name().toString();
                const QStringView value = a.value();
                if (value.size() > 16 * 1024 * 1024)
                    continue;
                if (an == QLatin1String("href") && (a.namespaceUri().isEmpty() || a.namespaceUri() == kXlinkNs)) {
                    const bool local = value.startsWith(u'#') && name == QLatin1String("use");
                    const qint64 pixels = name == QLatin1String("image") ? DataImagePixels(value) : 0;
                    if (pixels > 0 && (imagePixels += pixels) > kMaxSvgImagePixels)
                        return fail(QStringLiteral("more than %1 pixels of images").arg(kMaxSvgImagePixels));
                    if (local || pixels > 0)
                        kept.append(kXlinkNs, QStringLiteral("href"), value.toString());
                    else
                        drop = true;
                    continue;
                }
                if (an == QLatin1String("space") && a.namespaceUri() == kXmlNs) {
                    kept.append(kXmlNs, an, value.toString());
                    continue;
                }
                if (!a.namespaceUri().isEmpty() || !AllowedAttributes().contains(an) || !LocalUrlsOnly(value))
                    continue;
                if (an == QLatin1String("d") || an == QLatin1String("points")) {
                    const qint64 n = CountPoints(value);
                    if (n > kMaxPathPoints)
                        return fail(QStringLiteral("a path of more than %1 points").arg(kMaxPathPoints));
                    if ((points += n) > kMaxSvgPoints)
                        return fail(QStringLiteral("more than %1 points").arg(kMaxSvgPoints));
                }
                kept.append(an, value.toString());
            }
            // An image or reference without an acceptable target goes whole.
            if (drop || ((name == QLatin1String("image") || name == QLatin1String("use")) &&
                         !kept.hasAttribute(kXlinkNs, QStringLiteral("href")))) {
                in.skipCurrentElement();
                break;
            }
            if (!haveRoot) {
                w.writeDefaultNamespace(kSvgNs);
                w.writeNamespace(kXlinkNs, QStringLiteral("xlink"));
                haveRoot = true;
            }
            w.writeStartElement(kSvgNs, name);
            w.writeAttributes(kept);
            open.append(name);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.isEmpty()) {
                w.writeEndElement();
                open.removeLast();
            }
            break;
        case QXmlStreamReader::Characters:
            if (!open.isEmpty() && KeepsText(open.last()))
                w.writeCharacters(in.text().toString());
            break;
        default:  // declarations, comments, processing instructions, entities
            break;
        }
    }
    if (in.hasError())
        return fail(QStringLiteral("malformed drawing (%1)").arg(in.errorString()));
    if (!haveRoot)
        return fail(QStringLiteral("no drawing"));
    w.writeEndDocument();
    return out;
}

}  // namespace picturecodec
