#include "document/TextObject.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanDraw.h"
#include "document/StrF.h"
#include "document/TextLayout.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Longest text drawn; a longer value (a pasted document, a huge datasheet
// cell) is cut for drawing only.
constexpr int kMaxDrawnText = 65536;
// Pixel size the AutoFill outlines are made at; they are stretched anyway.
constexpr int kFillReferencePixels = 200;
// Largest pixel size formatted text is drawn with.
constexpr int kMaxTextPixels = 32767;

// Whether the font the face resolves to is a scalable outline font (the
// only kind that can be drawn turned).
bool IsOutlineFont(const QFont& font)
{
    thread_local QHash<QString, bool> known;
    const QFontInfo info(font);
    const QString key = info.family() + QLatin1Char('\n') + info.styleName();
    const auto it = known.constFind(key);
    if (it != known.cend())
        return *it;
    const bool outline = QFontDatabase::isSmoothlyScalable(info.family(), info.styleName()) ||
                         QFontDatabase::isSmoothlyScalable(info.family());
    known.insert(key, outline);
    return outline;
}

// Pixel devices get cached pictures and prepared text; the painter must
// move by whole pixels only, so cached pixels land exactly where drawing
// would put them.
bool PixelAligned(const QPainter& canvas)
{
    const QPaintEngine* engine = canvas.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return false;
    const QTransform t = canvas.transform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}

// Largest cached AutoFill picture, in pixels.
constexpr qint64 kMaxFillImagePixels = 4 << 20;
// AutoFill texts longer than this are stretched as a bitmap: so many glyphs
// on one line are no longer legible, and their outlines would cost minutes.
constexpr int kMaxFillOutlineChars = 400;
constexpr int kMaxFillBitmapWidth = 16384;

}  // namespace

struct TTextDrawCache {
    // AutoFill: the one-line text as outlines at the reference size and its
    // text cell (advance width by ascent + descent).
    QString fillText;
    QFont fillFont;
    QPainterPath fillPath;
    QImage fillBitmap;  // instead of fillPath for very long texts
    QSizeF fillCell;
    // ... and, on screen, that text stretched to a target size.
    QSize fillTarget;
    QRgb fillColor = 0;
    QImage fillImage;
    QPoint fillOffset;  // of the picture from the target's corner

    // Formatted text: the layout for a text, font, box and device.
    bool haveLayout = false;
    QString text;
    QFont font;
    QPoint p1, p2;
    int alignment = 0, angle = 0, devType = 0, dpiX = 0, dpiY = 0;
    TFormattedLayout layout;
    int ascent = 0;
    double staticShift = 0;  // prepared lines are placed by a real ascent
    QList<QStaticText> lines;
};

TPlanText::TPlanText(TLabelPlan* plan) : TRectObject(plan), Font(plan->Font), FCache(new TTextDrawCache)
{
    Pen.Mode = pmNop;
}

TPlanText::~TPlanText() = default;

void TPlanText::SetText(const QString& text)
{
    if (text == DataValue)
        return;
    DataValue = text;
    Invalidate();
}

void TPlanText::SetDataExpression(const QString& expression)
{
    if (expression == DataExpression)
        return;
    DataExpression = expression;
    Invalidate();
}

void TPlanText::SetDataFormat(const QString& format)
{
    if (format == DataFormat)
        return;
    DataFormat = format;
    Invalidate();
}

void TPlanText::SetAlignment(uint8_t alignment)
{
    if (alignment == Alignment)
        return;
    Alignment = alignment;
    Invalidate();
}

void TPlanText::SetAngle(int angle)
{
    if (angle == Angle)
        return;
    Angle = angle;
    Invalidate();
}

QString TPlanText::GetTypeName() const
{
    return QStringLiteral("Text");
}

void TPlanText::StoreProperties()
{
    TRectObject::StoreProperties();
    TPropertyList& p = Properties;
    p.SetValue(QStringLiteral("FontName"), Font.Name);
    p.SetValue(QStringLiteral("FontSize"), QString::number(Font.Size));
    p.SetValue(QStringLiteral("FontColor"), ColorToText(Font.Color));
    p.SetValue(QStringLiteral("FontCharSet"), QString::number(Font.CharSet));
    p.SetValue(QStringLiteral("Style"), FontStyleLetters(Font.Style));
    static const char* const kAlignments[3] = {"Left", "Right", "Center"};
    if (Alignment < 3)
        p.SetValue(QStringLiteral("Alignment"), QLatin1String(kAlignments[Alignment]));
    p.SetValue(QStringLiteral("DataValue"), DataValue);
    p.SetValue(QStringLiteral("DataOrigin"), QString::number(DataOrigin));
    p.SetValue(QStringLiteral("DataExpression"), DataExpression);
    p.SetValue(QStringLiteral("DataFormat"), DataFormat);
    p.SetValue(QStringLiteral("FormatText"), BoolToStr(FormatText));
    p.SetValue(QStringLiteral("AutoFill"), BoolToStr(AutoFill));
    p.SetValue(QStringLiteral("Angle"), QString::number(Angle));
}

TLabelObject* TPlanText::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanText(Plan()), parent);
}

QString TPlanText::DisplayedText(const QDateTime& now)
{
    if (DataOrigin == doDateTime) {
        QString value;
        if (DateTimeFunctionValue(DataExpression, false, now, value)) {
            DataValue = value;  // no repaint request: this runs while painting
            return DataValue;
        }
    }
    if (FormatText)
        return FormatDataValue(DataValue, DataFormat);
    return DataValue;
}

QRectF TPlanText::AutoFillTarget() const
{
    const QRect b = NormalizedRect(P1Pixels(), P2Pixels());
    return QRectF(b.left(), b.top(), b.right() - b.left(), b.bottom() - b.top());
}

int TPlanText::FormattedPixelSize() const
{
    return std::clamp(std::abs(Plan()->PlanToPixelX(Font.Height())), 1, kMaxTextPixels);
}

void TPlanText::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    // The clock is read only for date/time texts.
    QString text = DisplayedText(DataOrigin == doDateTime ? QDateTime::currentDateTime() : QDateTime());
    if (text.size() > kMaxDrawnText)
        text.truncate(kMaxDrawnText);
    const bool screen = !Plan()->Printing;
    if (screen)
        FPaintedRect = QRect();
    canvas.save();
    if (AutoFill)
        DrawAutoFill(canvas, text);
    else
        DrawFormatted(canvas, text);
    canvas.restore();
    if (screen && DataValue.isEmpty())
        DrawPlaceholder(canvas);
    DrawRectHandles(canvas);
}

void TPlanText::DrawAutoFill(QPainter& canvas, const QString& text)
{
    TTextDrawCache& c = *FCache;
    // One line: line breaks become spaces.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (line.isEmpty())
        return;
    QFont font = Font.ToQFont(kFillReferencePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QColor color = ColorToQColor(Font.Color);
    if (line != c.fillText || font != c.fillFont) {
        c.fillText = line;
        c.fillFont = font;
        const QFontMetricsF fm(font);
        c.fillCell = QSizeF(fm.horizontalAdvance(line), fm.ascent() + fm.descent());
        c.fillPath = QPainterPath();
        c.fillBitmap = QImage();
        c.fillImage = QImage();
    }
    if (c.fillCell.width() <= 0 || c.fillCell.height() <= 0)
        return;
    // The text cell stretched onto the box and 3 pixels beyond each side.
    const QRectF target = AutoFillTarget();

    // Glyphs squeezed below about two pixels each are no longer legible, and
    // their outlines would take minutes to fill: such a text (and any very
    // long one) is drawn small into a bitmap that is stretched instead.
    if (line.size() > kMaxFillOutlineChars || target.width() < 2.0 * line.size()) {
        if (c.fillBitmap.isNull() || c.fillColor != color.rgba()) {
            const double shrink = std::min(1.0, kMaxFillBitmapWidth / c.fillCell.width());
            const QFont small = Font.ToQFont(std::max(4, int(kFillReferencePixels * shrink)));
            const QFontMetrics sm(small);
            const int w = std::clamp(sm.horizontalAdvance(line), 1, kMaxFillBitmapWidth);
            c.fillBitmap = QImage(w, std::max(1, sm.ascent() + sm.descent()), QImage::Format_ARGB32_Premultiplied);
            c.fillBitmap.fill(Qt::transparent);
            QPainter p(&c.fillBitmap);
            p.setFont(small);
            p.setPen(color);
            p.drawText(QPoint(0, sm.ascent()), line);
            c.fillColor = color.rgba();
            c.fillImage = QImage();
        }
        canvas.setRenderHint(QPainter::SmoothPixmapTransform, true);
        canvas.drawImage(target, c.fillBitmap);
        if (!Plan()->Printing)
            FPaintedRect = target.toAlignedRect();
        return;
    }

    if (c.fillPath.isEmpty())
        c.fillPath.addText(QPointF(0, QFontMetricsF(font).ascent()), font, line);
    QTransform stretch;
    stretch.translate(target.left(), target.top());
    stretch.scale(target.width() / c.fillCell.width(), target.height() / c.fillCell.height());
    const QRect ink = stretch.mapRect(c.fillPath.boundingRect()).toAlignedRect().adjusted(-1, -1, 1, 1);
    if (!Plan()->Printing)
        FPaintedRect = ink;

    // On screen the stretched text is kept as a picture while its size and
    // colour stay; moving the object only moves the picture.
    const QSize targetSize = target.size().toSize();
    if (!Plan()->Printing && PixelAligned(canvas) && qint64(ink.width()) * ink.height() <= kMaxFillImagePixels) {
        if (c.fillImage.isNull() || c.fillTarget != targetSize || c.fillColor != color.rgba()) {
            c.fillTarget = targetSize;
            c.fillColor = color.rgba();
            c.fillBitmap = QImage();
            c.fillOffset = ink.topLeft() - target.topLeft().toPoint();
            c.fillImage = QImage(ink.size(), QImage::Format_ARGB32_Premultiplied);
            c.fillImage.fill(Qt::transparent);
            QPainter p(&c.fillImage);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(Qt::NoPen);
            p.setBrush(color);
            p.translate(-ink.topLeft());
            p.setTransform(stretch, true);
            p.drawPath(c.fillPath);
        }
        canvas.drawImage(target.topLeft().toPoint() + c.fillOffset, c.fillImage);
        return;
    }
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(color);
    canvas.setTransform(stretch, true);
    canvas.drawPath(c.fillPath);
}

void TPlanText::DrawFormatted(QPainter& canvas, const QString& text)
{
    TTextDrawCache& c = *FCache;
    const QFont font = Font.ToQFont(FormattedPixelSize());
    canvas.setFont(font);
    const QPoint p1 = P1Pixels(), p2 = P2Pixels();
    const QPaintDevice* device = canvas.device();
    const int devType = device ? device->devType() : 0;
    const int dpiX = device ? device->logicalDpiX() : 0, dpiY = device ? device->logicalDpiY() : 0;
    if (!c.haveLayout || text != c.text || font != c.font || p1 != c.p1 || p2 != c.p2 || Alignment != c.alignment ||
        Angle != c.angle || devType != c.devType || dpiX != c.dpiX || dpiY != c.dpiY) {
        const QFontMetrics fm(font, device);
        c.layout = LayoutFormattedText(text, p1, p2, Alignment, Angle, IsOutlineFont(font), fm.ascent() + fm.descent(),
                                       [&fm](const QString& s) { return fm.horizontalAdvance(s); });
        c.ascent = fm.ascent();
        c.staticShift = fm.ascent() - QFontMetricsF(font, device).ascent();
        c.lines.clear();
        c.haveLayout = true;
        c.text = text;
        c.font = font;
        c.p1 = p1;
        c.p2 = p2;
        c.alignment = Alignment;
        c.angle = c.layout.angle;  // the angle is stored reduced below
        c.devType = devType;
        c.dpiX = dpiX;
        c.dpiY = dpiY;
    }
    const TFormattedLayout& layout = c.layout;
    Angle = layout.angle;  // the reduced angle is what is stored next
    canvas.setPen(ColorToQColor(Font.Color));
    canvas.setBrush(Qt::NoBrush);
    canvas.setBackgroundMode(Qt::TransparentMode);
    const bool turned = layout.rotated && layout.angle != 0;
    // On pixel devices the lines are kept prepared (shaped once).
    const bool prepared = PixelAligned(canvas);
    if (prepared && c.lines.size() != layout.lines.size()) {
        c.lines.clear();
        for (const TLaidOutLine& line : layout.lines) {
            QStaticText st(line.text);
            st.setTextFormat(Qt::PlainText);
            st.setPerformanceHint(QStaticText::AggressiveCaching);
            c.lines.append(st);
        }
    }
    // Lines wholly outside the device are skipped (a long text in a small box).
    const bool skipHidden = device && canvas.transform().isInvertible();
    const QRect visible =
        skipHidden ? canvas.transform().inverted().mapRect(QRect(0, 0, device->width(), device->height())) : QRect();
    QRect painted;
    for (qsizetype i = 0; i < layout.lines.size(); ++i) {
        const TLaidOutLine& line = layout.lines.at(i);
        QTransform place = QTransform::fromTranslate(line.topLeft.x(), line.topLeft.y());
        if (turned)
            place.rotate(layout.angle);
        const QRect cell = place.mapRect(QRect(0, 0, line.width + 1, layout.lineHeight)).adjusted(-2, -2, 2, 2);
        if (!line.text.isEmpty() && (!skipHidden || cell.intersects(visible))) {
            canvas.save();
            canvas.setTransform(place, true);
            if (prepared)
                canvas.drawStaticText(QPointF(0, c.staticShift), c.lines.at(i));
            else
                canvas.drawText(QPoint(0, c.ascent), line.text);
            canvas.restore();
        }
        painted |= cell;
    }
    if (!Plan()->Printing)
        FPaintedRect = painted;
}

void TPlanText::DrawPlaceholder(QPainter& canvas)
{
    // A dotted frame (one pixel on, one off) around the box, combined with
    // what lies below by exclusive or, so it shows on any background.
    const QRect b = NormalizedRect(P1Pixels(), P2Pixels());
    canvas.save();
    QPen pen(ColorToQColor(Plan()->Pen.Color), 1, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({1, 1});
    TPlanBrush none{clWhite, bsClear, {}};
    canvas.setRenderHint(QPainter::Antialiasing, false);
    ApplyPenMode(canvas, pmXor, pen, none);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    // Pixels b.left() .. b.right() - 1 and b.top() .. b.bottom() - 1.
    canvas.drawRect(QRectF(b.left() + 0.5, b.top() + 0.5, b.width() - 2, b.height() - 2));
    canvas.restore();
}

bool TPlanText::IsKnownProperty(const QString& key) const
{
    if (TRectObject::IsKnownProperty(key))
        return true;
    const QString k = key.toUpper();
    for (const char* known : {"CAPTION", "FONTNAME", "FONTSIZE", "STYLE", "ALIGNMENT", "FONTCOLOR"})
        if (k == QLatin1String(known))
            return true;
    return false;
}

bool TPlanText::HitHandle(int x, int y, int& handle)
{
    // Text boxes take their top and bottom edge bands exactly as wide as the box.
    return RectHitHandle(x, y, handle, false);
}

void TPlanText::Invalidate()
{
    TRectObject::Invalidate();
    if (!Destroying && !FPaintedRect.isEmpty())
        Plan()->InvalidateRect(FPaintedRect);
}

void TPlanText::LoadProperties()
{
    TRectObject::LoadProperties();
    const TPropertyList& p = Properties;
    int v = 0;
    // "Caption" is an older key: read and discarded.
    const QString fontName = p.Value(u"FontName");
    if (!fontName.isEmpty())
        Font.Name = fontName;
    if (TryStrToInt(p.Value(u"FontCharSet"), v))
        Font.CharSet = uint8_t(v);
    Font.Style = LettersToFontStyle(p.Value(u"Style"));
    Font.Size = StrToIntDef(p.Value(u"FontSize"), Font.Size);
    const QString color = p.Value(u"FontColor");
    if (!color.isEmpty())
        Font.Color = TextToColor(color);
    const QString alignment = p.Value(u"Alignment");
    if (alignment == QLatin1String("Left"))
        Alignment = 0;
    else if (alignment == QLatin1String("Right"))
        Alignment = 1;
    else if (alignment == QLatin1String("Center"))
        Alignment = 2;
    DataOrigin = uint8_t(StrToIntDef(p.Value(u"DataOrigin"), DataOrigin));
    AutoFill = StrToBoolDef(p.Value(u"AutoFill"), AutoFill);
    SetText(p.Value(u"DataValue"));
    DataExpression = p.Value(u"DataExpression");
    DataFormat = p.Value(u"DataFormat");
    FormatText = StrToBoolDef(p.Value(u"FormatText"), FormatText);
    SetAngle(StrToIntDef(p.Value(u"Angle"), Angle));
}
