#include "barcode/PlanBarcode.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/StrF.h"

TPlanBarcode::TPlanBarcode(TLabelPlan* plan) : TLabelObject(plan)
{
    Font.Name = QStringLiteral("Verdana");
    Font.Size = 6;
    BarType = plan->DefaultBarcodeType;
    SetModul(Round(plan->PntDPI * 0.34 / 25.4));
    BarHeight = Round(plan->PntDPI * 15 / 25.4);
}

void TPlanBarcode::SetDataValue(const QString& value)
{
    if (value == DataValue)
        return;
    Invalidate();
    DataValue = value;
    Invalidate();
}

void TPlanBarcode::SetDataExpression(const QString& expression)
{
    if (expression == DataExpression)
        return;
    Invalidate();
    DataExpression = expression;
    Invalidate();
}

void TPlanBarcode::SetModul(int modul)
{
    if (modul >= 1 && modul <= 49)
        Modul = modul;
}

QString TPlanBarcode::GetTypeName() const
{
    return QStringLiteral("Barcode");
}

void TPlanBarcode::StoreProperties()
{
    TLabelObject::StoreProperties();
    StoreCorners();
    TPropertyList& p = Properties;
    p.SetValue(QStringLiteral("BarType"), QString::number(BarType));
    p.SetValue(QStringLiteral("BarHeight"), QString::number(BarHeight));
    p.SetValue(QStringLiteral("Angle"), FloatToStr(Angle));
    p.SetValue(QStringLiteral("Left"), QString::number(Left));
    p.SetValue(QStringLiteral("Top"), QString::number(Top));
    p.SetValue(QStringLiteral("FontName"), Font.Name);
    p.SetValue(QStringLiteral("FontSize"), QString::number(Font.Size));
    p.SetValue(QStringLiteral("FontStyle"), FontStyleLetters(Font.Style));
    p.SetValue(QStringLiteral("FontCharSet"), QString::number(Font.CharSet));
    p.SetValue(QStringLiteral("Modul"), QString::number(Modul));
    p.SetValue(QStringLiteral("BarRatio"), FloatToStr(BarRatio));
    p.SetValue(QStringLiteral("Align"), QString::number(Align));
    p.SetValue(QStringLiteral("ShowText"), QString::number(ShowText));
    p.SetValue(QStringLiteral("CheckSum"), BoolToStr(CheckSum));
    p.SetValue(QStringLiteral("DataValue"), DataValue);
    p.SetValue(QStringLiteral("DataOrigin"), QString::number(DataOrigin));
    p.SetValue(QStringLiteral("DataExpression"), DataExpression);
    p.SetValue(QStringLiteral("AutoCenter"), BoolToStr(AutoCenter));
}

QRect TPlanBarcode::GetBounds()
{
    return RectGetBounds();
}

bool TPlanBarcode::CreationStep(int x, int y, int)
{
    return RectCreationStep(x, y);
}

TLabelObject* TPlanBarcode::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanBarcode(Plan()), parent);
}

void TPlanBarcode::Draw(QPainter&)
{
    // The symbol is rendered once the barcode component draws; until then
    // nothing is drawn.
}

bool TPlanBarcode::HitBody(int x, int y)
{
    return RectHitBody(x, y);
}

bool TPlanBarcode::IsKnownProperty(const QString& key) const
{
    return TLabelObject::IsKnownProperty(key) || IsCornerKey(key.toUpper());
}

bool TPlanBarcode::HitHandle(int x, int y, int& handle)
{
    return RectHitHandle(x, y, handle);
}

void TPlanBarcode::MoveTo(QPoint mouse)
{
    MoveCorners(mouse);
}

void TPlanBarcode::Invalidate()
{
    RectInvalidate();
}

void TPlanBarcode::ResizeByHandle(QPoint mouse)
{
    RectResizeByHandle(mouse);
}

void TPlanBarcode::LoadProperties()
{
    TLabelObject::LoadProperties();
    const TPropertyList& p = Properties;
    int v = 0;
    double d = 0;
    bool b = false;
    if (TryStrToInt(p.Value(u"DataOrigin"), v))
        DataOrigin = uint8_t(v);
    DataValue = p.Value(u"DataValue");
    DataExpression = p.Value(u"DataExpression");
    if (TryStrToBool(TrimControls(p.Value(u"AutoCenter")), b))
        AutoCenter = b;
    const QString fontName = p.Value(u"FontName");
    if (!fontName.isEmpty())
        Font.Name = fontName;
    if (TryStrToInt(p.Value(u"FontCharSet"), v))
        Font.CharSet = uint8_t(v);
    if (TryStrToInt(p.Value(u"FontSize"), v))
        Font.Size = v;
    const QString style = p.Value(u"FontStyle");
    if (!style.isEmpty())
        Font.Style = LettersToFontStyle(style);
    if (TryStrToInt(p.Value(u"BarHeight"), v))
        BarHeight = v;
    if (TryStrToInt(p.Value(u"Left"), v))
        Left = v;
    if (TryStrToInt(p.Value(u"Top"), v))
        Top = v;
    if (TryStrToFloat(p.Value(u"Angle"), d))
        Angle = d;
    if (TryStrToInt(p.Value(u"BarType"), v))
        BarType = v;
    if (TryStrToInt(p.Value(u"Modul"), v))
        SetModul(v);
    if (TryStrToFloat(p.Value(u"BarRatio"), d))
        BarRatio = d;
    if (TryStrToInt(p.Value(u"Align"), v))
        Align = v;
    if (TryStrToInt(p.Value(u"ShowText"), v))
        ShowText = v;
    if (TryStrToBool(TrimControls(p.Value(u"CheckSum")), b))
        CheckSum = b;
}
