#include "document/PictureObject.h"

#include "document/DecodedPicture.h"
#include "document/LabelPlan.h"
#include "document/PlanLayer.h"
#include "document/StrF.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPolygon>

namespace {

// The outline of the box: the pixels left() .. right() of r, with rounded
// corners of the given ellipse size (0 = square).
QPainterPath BoxOutline(const QRect& r, int corner)
{
    QPainterPath path;
    const QRectF box(r.left(), r.top(), r.width() - 1, r.height() - 1);
    if (corner > 0)
        path.addRoundedRect(box, corner / 2.0, corner / 2.0);
    else
        path.addRect(box);
    return path;
}

// Every other pixel of the outline of r (pixels left() .. right()), starting
// at the top-left corner; each pixel once.
QPolygon DottedFrame(const QRect& r)
{
    QPolygon dots;
    auto add = [&](int x, int y) {
        if ((x - r.left() + y - r.top()) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.left(); x <= r.right(); ++x)
        add(x, r.top());
    if (r.bottom() > r.top())
        for (int x = r.left(); x <= r.right(); ++x)
            add(x, r.bottom());
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        add(r.left(), y);
        if (r.right() > r.left())
            add(r.right(), y);
    }
    return dots;
}

}  // namespace

TPlanPicture::TPlanPicture(TLabelPlan* plan) : TPlanBox(plan)
{
    Brush.Color = clBlack;
}

void TPlanPicture::SetFileName(const QString& path)
{
    if (path == DataValue)
        return;
    DataValue = path;
    // The file's picture replaces the content, so it no longer comes from a
    // standard picture.
    Picture.LoadFromFile(path);
    StandardPictureName.clear();
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
    // An emptied picture keeps its last "Graphic" and "Transparent" lines;
    // one whose stream could not be read keeps its "Type" too.
    if (!Picture.IsEmpty() || Picture.LoadError().isEmpty())
        p.SetValue(QStringLiteral("Type"), TPlanPictureData::TypeName(Picture.Kind));
}

TLabelObject* TPlanPicture::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanPicture(Plan()), parent);
}

void TPlanPicture::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    TLabelPlan* plan = Plan();
    const QPoint p1 = P1Pixels();
    const QPoint p2 = P2Pixels();
    // The pixels the picture covers: the far edges are excluded.
    const QRect box(QPoint(qMin(p1.x(), p2.x()), qMin(p1.y(), p2.y())),
                    QSize(qAbs(p2.x() - p1.x()), qAbs(p2.y() - p1.y())));
    // Rounded corners of the highlight frame as the rectangle draws them:
    // corner ellipses of this width and height.
    const int corner = CornerRadius > 0 && plan->ScaleX != 0 ? plan->PlanToPixelX(CornerRadius) : 0;

    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    bool drawn = false;
    // The picture fills its box; the corner radius does not clip it. On
    // screen, a picture not decoded yet is decoded in the background and
    // drawn once it is ready.
    if (!Picture.IsEmpty() && !box.isEmpty()) {
        if (plan->PaintingOnScreen() && !Picture.IsDecoded())
            Picture.DecodeLater([surface = QPointer<TLabelPlan>(plan)] {
                if (surface)
                    surface->InvalidatePlan();
            });
        else
            drawn = Picture.Draw(canvas, p1, p2);
    }
    if (!drawn && !plan->Printing && box.width() > 0 && box.height() > 0) {
        // Placeholder: a dotted frame that stays visible on any background,
        // its dots the document pen's colour combined with what lies below.
        canvas.save();
        canvas.setPen(QPen(ColorToQColor(plan->Pen.Color), 0));
        if (canvas.paintEngine() && canvas.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
            canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        canvas.drawPoints(DottedFrame(box));
        canvas.restore();
    }
    canvas.restore();

    DrawRectHandles(canvas);

    if (HighlightColor != -1 && box.width() > 0 && box.height() > 0) {
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(ColorToQColor(HighlightColor), 2);
        pen.setJoinStyle(Qt::MiterJoin);
        canvas.setPen(pen);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawPath(BoxOutline(box, corner));
        canvas.restore();
    }
}

void TPlanPicture::Release()
{
    GiveBudgetShare();
    Picture.Clear();
    TPlanBox::Release();
}

void TPlanPicture::TakeBudgetShare()
{
    GiveBudgetShare();
    if (Picture.IsEmpty() || !StandardPictureName.isEmpty())
        return;
    const qint64 work = TDecodedPicture::DeclaredWork(Picture.Kind, Picture.Bytes);
    if (work < 0)
        return;  // not readable: the decoder refuses it without running
    TPictureBudget& budget = Plan()->PictureBudget();
    const QByteArray key = TPictureBudget::Key(Picture.Bytes);
    if (budget.Take(key, work, Picture))
        FBudgetKey = key;
    else
        Picture.Refuse(QStringLiteral("the label's pictures together are too large (over %1 million pixels)")
                           .arg(budget.Total() / 1000000));
}

void TPlanPicture::GiveBudgetShare()
{
    if (!FBudgetKey.isEmpty())
        Plan()->PictureBudget().Give(FBudgetKey);
    FBudgetKey.clear();
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
    DataOrigin = uint8_t(StrToIntDef(p.Value(u"DataOrigin"), DataOrigin));
    // The file a path names is not loaded here: the embedded picture below
    // replaces whatever it would give, and the path is kept.
    const QString path = p.Value(u"DataValue");
    if (!path.isEmpty())
        DataValue = TrimControls(path);
    const QString expression = p.Value(u"DataExpression");
    if (!expression.isEmpty())
        SetDataExpression(TrimControls(expression));

    GiveBudgetShare();
    Picture.Clear();
    StandardPictureName.clear();
    const QString graphic = p.Value(u"Graphic");
    const QString transparent = p.Value(u"Transparent");
    if (graphic.size() > 2 && graphic.startsWith(QLatin1Char('%')) && graphic.endsWith(QLatin1Char('%'))) {
        const QString name = graphic.mid(1, graphic.size() - 2).toUpper();
        if (const TPlanStandardPicture* sp = Plan()->StandardPicture(Plan()->IndexOfStandardPicture(name))) {
            Picture = sp->Picture;
            StandardPictureName = name;
            Picture.Transparent = StrToIntDef(transparent, Picture.Transparent) != 0;
        } else if (Plan()->NeedPicture(name)) {
            SetStandardPicture(name);
        }
        return;
    }
    Picture.LoadFromStream(p.Value(u"Type"), HexToBytes(graphic));
    if (!Picture.IsEmpty())
        Picture.Transparent = StrToIntDef(transparent, Picture.Transparent) != 0;
    TakeBudgetShare();
}

int PictureCount(TLabelPlan& plan)
{
    int count = 0;
    for (int l = 0; l < plan.Layers().Count(); ++l) {
        TPlanLayer* layer = plan.Layers().Item(l);
        for (int i = 0; i < layer->Count(); ++i)
            count += dynamic_cast<const TPlanPicture*>(layer->Item(i)) ? 1 : 0;
    }
    return count;
}

QStringList UnreadablePictures(TLabelPlan& plan)
{
    QStringList found;
    int number = 0;
    for (int l = 0; l < plan.Layers().Count(); ++l) {
        TPlanLayer* layer = plan.Layers().Item(l);
        for (int i = 0; i < layer->Count(); ++i) {
            const auto* picture = dynamic_cast<const TPlanPicture*>(layer->Item(i));
            if (!picture)
                continue;
            ++number;
            const QString why = picture->Picture.DecodeError();
            const QString part = why.isEmpty() ? picture->Picture.DecodeWarning() : QString();
            if (!why.isEmpty())
                found << QStringLiteral("picture %1 could not be read: %2").arg(number).arg(why);
            else if (!part.isEmpty())
                found << QStringLiteral("picture %1 could not be read in full: %2").arg(number).arg(part);
        }
    }
    return found;
}
