#include "document/TextObject.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/StrF.h"

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

void TPlanText::Draw(QPainter&)
{
    // Text layout and painting belong to the view; until then nothing is drawn.
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
