#include "document/PictureObject.h"

#include "document/LabelPlan.h"
#include "document/StrF.h"

TPlanPicture::TPlanPicture(TLabelPlan* plan) : TPlanBox(plan)
{
    Brush.Color = clBlack;
}

void TPlanPicture::SetFileName(const QString& path)
{
    if (path == DataValue)
        return;
    DataValue = path;
    Picture.LoadFromFile(path);
    Invalidate();
}

void TPlanPicture::SetDataExpression(const QString& expression)
{
    if (expression == DataExpression)
        return;
    Invalidate();
    DataExpression = expression;
    Invalidate();
}

void TPlanPicture::SetStandardPicture(const QString& name)
{
    if (name == StandardPictureName)
        return;
    StandardPictureName.clear();
    const TPlanStandardPicture* sp = Plan()->StandardPicture(Plan()->IndexOfStandardPicture(name));
    if (!sp) {
        Picture.Clear();
    } else {
        Picture = sp->Picture;
        StandardPictureName = name.toUpper();
    }
    Invalidate();
}

QString TPlanPicture::GetTypeName() const
{
    return QStringLiteral("Picture");
}

void TPlanPicture::StoreProperties()
{
    TPlanBox::StoreProperties();
    TPropertyList& p = Properties;
    p.SetValue(QStringLiteral("DataValue"), DataValue);
    p.SetValue(QStringLiteral("DataOrigin"), QString::number(DataOrigin));
    p.SetValue(QStringLiteral("DataExpression"), DataExpression);
    const QString transparent = Picture.Transparent ? QStringLiteral("1") : QStringLiteral("0");
    if (!StandardPictureName.isEmpty()) {
        p.SetValue(QStringLiteral("Graphic"), QLatin1Char('%') + StandardPictureName + QLatin1Char('%'));
        p.SetValue(QStringLiteral("Transparent"), transparent);
    } else if (!Picture.IsEmpty()) {
        p.SetValue(QStringLiteral("Graphic"), BytesToHex(Picture.Bytes));
        p.SetValue(QStringLiteral("Transparent"), transparent);
    }
    // An emptied picture keeps its last "Graphic" and "Transparent" lines.
    p.SetValue(QStringLiteral("Type"), TPlanPictureData::TypeName(Picture.Kind));
}

TLabelObject* TPlanPicture::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanPicture(Plan()), parent);
}

void TPlanPicture::Draw(QPainter&)
{
    // Pictures are decoded and painted by the view; until then nothing is drawn.
}

void TPlanPicture::Release()
{
    Picture.Clear();
    TPlanBox::Release();
}

bool TPlanPicture::IsKnownProperty(const QString& key) const
{
    if (TPlanBox::IsKnownProperty(key))
        return true;
    const QString k = key.toUpper();
    return k == QLatin1String("GRAPHIC") || k == QLatin1String("TYPE") || k == QLatin1String("TRANSPARENT");
}

void TPlanPicture::LoadProperties()
{
    TPlanBox::LoadProperties();
    const TPropertyList& p = Properties;
    int v = 0;
    if (TryStrToInt(p.Value(u"DataOrigin"), v))
        DataOrigin = uint8_t(v);
    // The file a path names is not loaded here: the embedded picture below
    // replaces whatever it would give, and the path is kept.
    const QString path = p.Value(u"DataValue");
    if (!path.isEmpty())
        DataValue = TrimControls(path);
    const QString expression = p.Value(u"DataExpression");
    if (!expression.isEmpty())
        SetDataExpression(TrimControls(expression));

    Picture.Clear();
    StandardPictureName.clear();
    const QString graphic = p.Value(u"Graphic");
    const QString transparent = p.Value(u"Transparent");
    if (graphic.size() > 2 && graphic.startsWith(QLatin1Char('%')) && graphic.endsWith(QLatin1Char('%'))) {
        const QString name = graphic.mid(1, graphic.size() - 2).toUpper();
        if (const TPlanStandardPicture* sp = Plan()->StandardPicture(Plan()->IndexOfStandardPicture(name))) {
            Picture = sp->Picture;
            StandardPictureName = name;
            if (TryStrToInt(transparent, v))
                Picture.Transparent = v != 0;
        } else if (Plan()->NeedPicture(name)) {
            SetStandardPicture(name);
        }
        return;
    }
    Picture.LoadFromStream(p.Value(u"Type"), HexToBytes(graphic));
    if (!Picture.IsEmpty() && TryStrToInt(transparent, v))
        Picture.Transparent = v != 0;
}
