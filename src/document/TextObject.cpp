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
#include <QPainter>
#include <QTransform>

#include <algorithm>

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
    static QHash<QString, bool> known;
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

}  // namespace

TPlanText::TPlanText(TLabelPlan* plan) : TLabelObject(plan), Font(plan->Font)
{
    Pen.Mode = pmNop;
}

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
    TLabelObject::StoreProperties();
    StoreCorners();
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

QRect TPlanText::GetBounds()
{
    return RectGetBounds();
}

bool TPlanText::CreationStep(int x, int y, int)
{
    return RectCreationStep(x, y);
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
    QString text = DisplayedText(QDateTime::currentDateTime());
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
    // One line: line breaks become spaces.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QFont font = Font.ToQFont(kFillReferencePixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    if (line != FFillText || font != FFillFont || FFillPath.isEmpty() != line.isEmpty()) {
        FFillText = line;
        FFillFont = font;
        const QFontMetricsF fm(font);
        FFillCell = QSizeF(fm.horizontalAdvance(line), fm.ascent() + fm.descent());
        FFillPath = QPainterPath();
        if (!line.isEmpty())
            FFillPath.addText(QPointF(0, fm.ascent()), font, line);
    }
    if (FFillPath.isEmpty() || FFillCell.width() <= 0 || FFillCell.height() <= 0)
        return;
    // The text cell stretched onto the box and 3 pixels beyond each side.
    const QRectF target = AutoFillTarget();
    QTransform stretch;
    stretch.translate(target.left(), target.top());
    stretch.scale(target.width() / FFillCell.width(), target.height() / FFillCell.height());
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(ColorToQColor(Font.Color));
    canvas.setTransform(stretch, true);
    canvas.drawPath(FFillPath);
    if (!Plan()->Printing)
        FPaintedRect = stretch.mapRect(FFillPath.boundingRect()).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void TPlanText::DrawFormatted(QPainter& canvas, const QString& text)
{
    const QFont font = Font.ToQFont(FormattedPixelSize());
    canvas.setFont(font);
    const QFontMetrics fm(font, canvas.device());
    const TFormattedLayout layout =
        LayoutFormattedText(text, P1Pixels(), P2Pixels(), Alignment, Angle, IsOutlineFont(font),
                            fm.ascent() + fm.descent(), [&fm](const QString& s) { return fm.horizontalAdvance(s); });
    Angle = layout.angle;  // the reduced angle is what is stored next
    canvas.setPen(ColorToQColor(Font.Color));
    canvas.setBrush(Qt::NoBrush);
    canvas.setBackgroundMode(Qt::TransparentMode);
    const int ascent = fm.ascent();
    const bool turned = layout.rotated && layout.angle != 0;
    QRect painted;
    for (const TLaidOutLine& line : layout.lines) {
        QTransform place = QTransform::fromTranslate(line.topLeft.x(), line.topLeft.y());
        if (turned)
            place.rotate(layout.angle);
        if (!line.text.isEmpty()) {
            canvas.save();
            canvas.setTransform(place, true);
            canvas.drawText(QPoint(0, ascent), line.text);
            canvas.restore();
        }
        painted |= place.mapRect(QRect(0, 0, line.width + 1, layout.lineHeight)).adjusted(-2, -2, 2, 2);
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

bool TPlanText::HitBody(int x, int y)
{
    return RectHitBody(x, y);
}

bool TPlanText::IsKnownProperty(const QString& key) const
{
    if (TLabelObject::IsKnownProperty(key))
        return true;
    const QString k = key.toUpper();
    if (IsCornerKey(k))
        return true;
    for (const char* known : {"CAPTION", "FONTNAME", "FONTSIZE", "STYLE", "ALIGNMENT", "FONTCOLOR"})
        if (k == QLatin1String(known))
            return true;
    return false;
}

bool TPlanText::HitHandle(int x, int y, int& handle)
{
    const QPoint p1 = P1Pixels(), p2 = P2Pixels();
    const int t = HandleTolerance;
    struct Test {
        QRect r;
        int id;
    };
    const Test tests[] = {
        {HandleSquare(p1), 2},
        {HandleSquare(QPoint(p2.x(), p1.y())), 4},
        {HandleSquare(p2), 6},
        {HandleSquare(QPoint(p1.x(), p2.y())), 8},
        {EdgeRect(p1.x(), p1.y() - t, p2.x(), p1.y() + t), 3},
        {EdgeRect(p2.x() - t, p1.y(), p2.x() + t, p2.y()), 5},
        {EdgeRect(p1.x(), p2.y() - t, p2.x(), p2.y() + t), 7},
        {EdgeRect(p1.x() - t, p1.y(), p1.x() + t, p2.y()), 1},
    };
    for (const Test& test : tests) {
        if (PointInRect(test.r, x, y)) {
            handle = test.id;
            return true;
        }
    }
    return false;
}

void TPlanText::MoveTo(QPoint mouse)
{
    MoveCorners(mouse);
}

void TPlanText::Invalidate()
{
    RectInvalidate();
    if (!Destroying && !FPaintedRect.isEmpty())
        Plan()->InvalidateRect(FPaintedRect);
}

void TPlanText::ResizeByHandle(QPoint mouse)
{
    RectResizeByHandle(mouse);
}

void TPlanText::LoadProperties()
{
    TLabelObject::LoadProperties();
    const TPropertyList& p = Properties;
    int v = 0;
    bool b = false;
    // "Caption" is an older key: read and discarded.
    const QString fontName = p.Value(u"FontName");
    if (!fontName.isEmpty())
        Font.Name = fontName;
    if (TryStrToInt(p.Value(u"FontCharSet"), v))
        Font.CharSet = uint8_t(v);
    Font.Style = LettersToFontStyle(p.Value(u"Style"));
    if (TryStrToInt(p.Value(u"FontSize"), v))
        Font.Size = v;
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
    if (TryStrToInt(p.Value(u"DataOrigin"), v))
        DataOrigin = uint8_t(v);
    if (TryStrToBool(p.Value(u"AutoFill"), b))
        AutoFill = b;
    SetText(p.Value(u"DataValue"));
    DataExpression = p.Value(u"DataExpression");
    DataFormat = p.Value(u"DataFormat");
    if (TryStrToBool(p.Value(u"FormatText"), b))
        FormatText = b;
    if (TryStrToInt(p.Value(u"Angle"), v))
        SetAngle(v);
}
