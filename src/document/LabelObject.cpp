#include "document/LabelObject.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanLayer.h"
#include "document/StrF.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

TLabelObject::TLabelObject(TLabelPlan* plan) : FPlan(plan)
{
    FLayer = plan->ActiveLayer();
    Pen = plan->Pen;
    Pen.Color = clBlack;
    Brush = plan->Brush;
    Brush.Color = clWhite;
}

TLabelObject::~TLabelObject() = default;

// ----- Virtual operations ---------------------------------------------------

void TLabelObject::SetPen(const TPlanPen& pen)
{
    Pen = pen;
    HighlightColor = -1;
    Invalidate();
}

void TLabelObject::SetBrush(const TPlanBrush& brush)
{
    Brush = brush;
    Invalidate();
}

void TLabelObject::SetLayer(TPlanLayer* layer)
{
    if (!layer || layer == FLayer)
        return;
    if (FPlan->CurrentObject() == this)
        FPlan->SetCurrentObject(nullptr);
    Unfocus();
    FPlan->BeginUpdate();
    DetachFromLayer();
    FLayer = layer;
    AttachToLayer();
    FPlan->EndUpdate();
}

void TLabelObject::SetFocused(bool value)
{
    if (value)
        Focus();
    else
        Unfocus();
}

void TLabelObject::SetSelected(bool value)
{
    if (value == FSelected)
        return;
    FSelected = value;
    Invalidate();
}

QString TLabelObject::GetTypeName() const
{
    return Properties.Value(u"ObjectType");
}

void TLabelObject::StoreProperties()
{
    TPropertyList& p = Properties;
    p.SetValue(QStringLiteral("Name"), Name);
    p.SetValue(QStringLiteral("Index"), QString::number(Index));
    p.SetValue(QStringLiteral("Layer"), QString::number(FLayer ? FLayer->Index : 0));
    p.SetValue(QStringLiteral("PenColor"), ColorToText(Pen.Color));
    p.SetValue(QStringLiteral("PenStyle"), QString::number(Pen.Style));
    p.SetValue(QStringLiteral("PenMode"), QString::number(Pen.Mode));
    p.SetValue(QStringLiteral("PenWidth"), QString::number(PenWidth));
    p.SetValue(QStringLiteral("BrushColor"), ColorToText(Brush.Color));
    p.SetValue(QStringLiteral("BrushStyle"), QString::number(Brush.Style));
    p.SetValue(QStringLiteral("Cursor"), QString::number(Cursor));
    if (!Brush.Bitmap.isEmpty())
        p.SetValue(QStringLiteral("BrushBitmap"), BytesToHex(Brush.Bitmap));
    p.SetValue(QStringLiteral("ReadOnly"), ReadOnly ? QStringLiteral("1") : QStringLiteral("0"));
}

void TLabelObject::DrawChildren(QPainter& canvas)
{
    if (FPlan->UpdateCount() > 0 || !IsContainer() || FChildren.isEmpty())
        return;
    if (!(FPlan->Options() & poChildrenClipping)) {
        for (TLabelObject* child : FChildren)
            child->Draw(canvas);
        return;
    }
    const bool hadClip = canvas.hasClipping();
    const QRegion oldClip = hadClip ? canvas.clipRegion() : QRegion();
    QRegion own = CreateRegion();
    if (hadClip)
        own &= oldClip;
    canvas.setClipRegion(own);
    for (TLabelObject* child : FChildren)
        child->Draw(canvas);
    if (hadClip)
        canvas.setClipRegion(oldClip);
    else
        canvas.setClipping(false);
}

QRegion TLabelObject::CreateRegion()
{
    return QRegion(GetBounds());
}

void TLabelObject::WriteSection(int indent, QStringList& lines)
{
    const QString pad(indent, QLatin1Char(' '));
    lines.append(pad + QStringLiteral("Object ") + GetTypeName());
    for (QString& entry : Properties.Lines)
        entry = TrimLeftSpaces(entry);
    StoreProperties();
    const QString entryPad = pad + QStringLiteral("  ");
    for (const QString& entry : Properties.Lines) {
        QString line = entryPad + TrimLeftSpaces(entry);
        // A line break inside a value would split the entry into two lines;
        // such values cannot come back, so they are written as spaces.
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'))) {
            line.replace(QLatin1String("\r\n"), QLatin1String(" "));
            line.replace(QLatin1Char('\r'), QLatin1Char(' '));
            line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        lines.append(line);
    }
    for (TLabelObject* child : FChildren)
        child->WriteSection(indent + 2, lines);
    lines.append(pad + QStringLiteral("End"));
}

void TLabelObject::Release()
{
    Visible = false;
    if (!FPlan->Destroying()) {
        try {
            Invalidate();
        } catch (...) {
            // Only a repaint request is lost: the whole plan repaints once
            // the object is gone.
        }
    }
    Destroying = true;
    if (FPlan->CurrentObject() == this)
        FPlan->SetCurrentObject(nullptr);
    while (!FChildren.isEmpty())
        FChildren.last()->Release();
    DetachFromLayer();
    SetParent(nullptr);
    delete this;
}

bool TLabelObject::IsKnownProperty(const QString& key) const
{
    static const char* const kKeys[] = {"NAME",       "LAYER",      "ID",          "PENCOLOR", "PENWIDTH", "PENSTYLE",
                                        "BRUSHCOLOR", "BRUSHSTYLE", "BRUSHBITMAP", "READONLY", "CURSOR",   "PENMODE"};
    const QString k = key.toUpper();
    for (const char* known : kKeys)
        if (k == QLatin1String(known))
            return true;
    return false;
}

void TLabelObject::MoveTo(QPoint mouse)
{
    for (TLabelObject* child : FChildren)
        child->MoveTo(mouse);
}

TLabelObject* TLabelObject::HitChild(int x, int y, int& handle)
{
    if (!Visible)
        return nullptr;
    for (auto it = FChildren.crbegin(); it != FChildren.crend(); ++it) {
        int h = 0;
        if ((*it)->HitHandle(x, y, h)) {
            handle = h;
            return *it;
        }
    }
    for (auto it = FChildren.crbegin(); it != FChildren.crend(); ++it) {
        TLabelObject* child = *it;
        if (child->HitBody(x, y)) {
            int h = 0;
            if (TLabelObject* deeper = child->HitChild(x, y, h)) {
                handle = h;
                return deeper;
            }
            handle = 0;
            return child;
        }
    }
    return nullptr;
}

void TLabelObject::Rescale()
{
}

void TLabelObject::Focus()
{
    FFocused = true;
    SaveDragOrigin();
    FPlan->SetCurrentObject(this);
    Invalidate();
}

void TLabelObject::SetHighlightColor(TColor color)
{
    HighlightColor = color;
    Invalidate();
}

void TLabelObject::Unfocus()
{
    FFocused = false;
    Invalidate();
}

void TLabelObject::ClearHighlight()
{
    HighlightColor = -1;
    Invalidate();
}

void TLabelObject::LoadProperties()
{
    TPropertyList& p = Properties;
    for (QString& line : p.Lines)
        line = TrimLeftSpaces(ReplaceAll(line, QStringLiteral(" = "), QStringLiteral("=")));

    Name = p.Value(u"Name");
    Index = StrToIntDef(p.Value(u"Index"), Index);

    DetachFromLayer();
    const QString layerText = p.Value(u"Layer");
    if (!layerText.isEmpty()) {
        TPlanLayers& layers = FPlan->Layers();
        int pos = StrToIntDef(layerText, 0);
        if (pos < 0 || pos >= layers.Count())
            pos = 0;
        if (TPlanLayer* layer = layers.Item(pos))
            FLayer = layer;
    }
    AttachToLayer();

    QString s = p.Value(u"PenColor");
    if (!s.isEmpty())
        Pen.Color = TextToColor(s);
    Pen.Style = StrToIntDef(p.Value(u"PenStyle"), Pen.Style);
    Pen.Mode = StrToIntDef(p.Value(u"PenMode"), Pen.Mode);
    int v = 0;
    if (TryStrToInt(p.Value(u"PenWidth"), v)) {
        Pen.Width = v;
        PenWidth = v;
    }
    s = p.Value(u"BrushColor");
    if (!s.isEmpty())
        Brush.Color = TextToColor(s);
    s = p.Value(u"BrushStyle");
    Brush.Style = s.isEmpty() ? bsClear : StrToIntDef(s, Brush.Style);
    s = p.Value(u"Cursor");
    Cursor = s.isEmpty() ? int16_t(0) : int16_t(StrToIntDef(s, Cursor));
    s = p.Value(u"BrushBitmap");
    if (!s.isEmpty()) {
        const QByteArray bytes = HexToBytes(s);
        if (!QImage::fromData(bytes, "BMP").isNull())
            Brush.Bitmap = bytes;
    }
    s = p.Value(u"ReadOnly");
    if (TryStrToInt(s, v))
        SetReadOnly(v != 0);
    X1 = StrToIntDef(p.Value(u"X1"), X1);
    Y1 = StrToIntDef(p.Value(u"Y1"), Y1);
    X2 = StrToIntDef(p.Value(u"X2"), X2);
    Y2 = StrToIntDef(p.Value(u"Y2"), Y2);
    UpdateMillimetres();
}

// ----- Non-virtual operations -----------------------------------------------

void TLabelObject::SetReadOnly(bool value)
{
    ReadOnly = value;
    if (value && FPlan->CurrentObject() == this)
        Unfocus();
}

void TLabelObject::SetParent(TLabelObject* container)
{
    for (TLabelObject* c = container; c; c = c->FParent)
        if (c == this)
            return;
    if (FParent) {
        // Children are released from the last to the first.
        const qsizetype i = FParent->FChildren.lastIndexOf(this);
        if (i >= 0)
            FParent->FChildren.removeAt(i);
    }
    FParent = container;
    if (container)
        container->FChildren.append(this);
}

QPoint TLabelObject::P1Pixels() const
{
    return QPoint(FPlan->PlanToPixelX(X1), FPlan->PlanToPixelY(Y1));
}

QPoint TLabelObject::P2Pixels() const
{
    return QPoint(FPlan->PlanToPixelX(X2), FPlan->PlanToPixelY(Y2));
}

void TLabelObject::SaveDragOrigin()
{
    DragOrigin.P1 = P1Pixels();
    DragOrigin.P2 = P2Pixels();
    DragOriginSaved();
}

namespace {

// Brings a millimetre cache in step with a plan-unit extent when they differ.
void SyncMillimetres(double& mm, int units)
{
    if (Round(mm / 25.4 * 72) != units)
        mm = RoundTo3(units / 72.0 * 25.4);
}

}  // namespace

static void SyncAll(TLabelObject& o)
{
    const int l = std::min(o.X1, o.X2), r = std::max(o.X1, o.X2);
    const int t = std::min(o.Y1, o.Y2), b = std::max(o.Y1, o.Y2);
    SyncMillimetres(o.LeftMM, l);
    SyncMillimetres(o.TopMM, t);
    SyncMillimetres(o.WidthMM, r - l);
    SyncMillimetres(o.HeightMM, b - t);
}

void TLabelObject::SetP1FromPixels(QPoint p)
{
    const QPoint cur = P1Pixels();
    if (p.x() != cur.x())
        X1 = FPlan->PixelToPlanX(p.x());
    if (p.y() != cur.y())
        Y1 = FPlan->PixelToPlanY(p.y());
    SyncAll(*this);
}

void TLabelObject::SetP2FromPixels(QPoint p)
{
    const QPoint cur = P2Pixels();
    if (p.x() != cur.x())
        X2 = FPlan->PixelToPlanX(p.x());
    if (p.y() != cur.y())
        Y2 = FPlan->PixelToPlanY(p.y());
    SyncAll(*this);
}

#define TAGMORA_COORD_SETTER(Field)                                                                                  \
    void TLabelObject::Set##Field(int value)                                                                         \
    {                                                                                                                \
        if (Field == value)                                                                                          \
            return;                                                                                                  \
        Invalidate();                                                                                                \
        Field = value;                                                                                               \
        Invalidate();                                                                                                \
    }
TAGMORA_COORD_SETTER(X1)
TAGMORA_COORD_SETTER(Y1)
TAGMORA_COORD_SETTER(X2)
TAGMORA_COORD_SETTER(Y2)
#undef TAGMORA_COORD_SETTER

void TLabelObject::UpdateMillimetres()
{
    const int l = std::min(X1, X2), r = std::max(X1, X2);
    const int t = std::min(Y1, Y2), b = std::max(Y1, Y2);
    LeftMM = RoundTo3(l / 72.0 * 25.4);
    TopMM = RoundTo3(t / 72.0 * 25.4);
    WidthMM = RoundTo3((double(r) - l) / 72.0 * 25.4);
    HeightMM = RoundTo3((double(b) - t) / 72.0 * 25.4);
}

void TLabelObject::OrderCorners()
{
    const int l = std::min(X1, X2), r = std::max(X1, X2);
    const int t = std::min(Y1, Y2), b = std::max(Y1, Y2);
    X1 = l;
    Y1 = t;
    X2 = r;
    Y2 = b;
}

void TLabelObject::SetWidthMM(double w)
{
    if (w == WidthMM)
        return;
    Invalidate();
    OrderCorners();
    WidthMM = w;
    X2 = Round(X1 + w / 25.4 * 72);
    Invalidate();
}

void TLabelObject::SetHeightMM(double h)
{
    if (h == HeightMM)
        return;
    Invalidate();
    OrderCorners();
    HeightMM = h;
    Y2 = Round(Y1 + h / 25.4 * 72);
    Invalidate();
}

void TLabelObject::SetLeftMM(double v)
{
    if (v == LeftMM)
        return;
    Invalidate();
    OrderCorners();
    const int u = Round(v / 25.4 * 72);
    if ((v > LeftMM && u < X1) || (v < LeftMM && u > X1)) {
        LeftMM = v;
        return;
    }
    LeftMM = v;
    X2 += u - X1;
    X1 = u;
    Invalidate();
}

void TLabelObject::SetTopMM(double v)
{
    if (v == TopMM)
        return;
    Invalidate();
    OrderCorners();
    const int u = Round(v / 25.4 * 72);
    if ((v > TopMM && u < Y1) || (v < TopMM && u > Y1)) {
        TopMM = v;
        return;
    }
    TopMM = v;
    Y2 += u - Y1;
    Y1 = u;
    Invalidate();
}

void TLabelObject::SendBackward()
{
    if (!FLayer)
        return;
    const int i = FLayer->IndexOf(this);
    if (i >= 1) {
        FLayer->FObjects.swapItemsAt(i, i - 1);
        FPlan->InvalidatePlan();
    }
}

void TLabelObject::BringForward()
{
    if (!FLayer)
        return;
    const int i = FLayer->IndexOf(this);
    if (i >= 0 && i < FLayer->Count() - 1) {
        FLayer->FObjects.swapItemsAt(i, i + 1);
        FPlan->InvalidatePlan();
    }
}

void TLabelObject::SendToBottom()
{
    if (!FLayer || FLayer->Count() < 2)
        return;
    const int i = FLayer->IndexOf(this);
    if (i > 0) {
        FLayer->FObjects.move(i, 0);
        FPlan->InvalidatePlan();
    }
}

void TLabelObject::BringToTop()
{
    if (!FLayer || FLayer->Count() < 2)
        return;
    const int i = FLayer->IndexOf(this);
    if (i >= 0 && i < FLayer->Count() - 1) {
        FLayer->FObjects.move(i, FLayer->Count() - 1);
        FPlan->InvalidatePlan();
    }
}

bool TLabelObject::ShowsHandles() const
{
    return !FPlan->Printing && (FFocused || FSelected) && !FPlan->ReadOnly() && !(FLayer && FLayer->Locked()) &&
           !ReadOnly;
}

bool TLabelObject::DrawAllowed() const
{
    return FPlan->UpdateCount() == 0 && Visible && (!FLayer || FLayer->Visible());
}

int TLabelObject::ScaledPenWidth() const
{
    return std::clamp(FPlan->PlanToPixelX(PenWidth), 0, kMaxPenPixels);
}

TLabelObject* TLabelObject::DuplicateInto(TLabelObject* copy, TLabelObject* parent)
{
    StoreProperties();
    copy->SetParent(parent);
    copy->Properties = Properties;
    copy->Properties.Remove(u"Name");
    copy->Properties.SetValue(QStringLiteral("ID"), QStringLiteral("0"));
    copy->LoadProperties();
    copy->X1 += 4;
    copy->Y1 += 4;
    copy->X2 += 4;
    copy->Y2 += 4;
    copy->UpdateMillimetres();
    return copy;
}

void TLabelObject::DetachFromLayer()
{
    if (FLayer && FListed) {
        // Releasing a layer takes objects from the front; objects being read
        // or created sit at the end.
        QList<TLabelObject*>& list = FLayer->FObjects;
        if (!list.isEmpty() && list.first() == this) {
            list.removeFirst();
        } else {
            const qsizetype i = list.lastIndexOf(this);
            if (i >= 0)
                list.removeAt(i);
        }
    }
    FListed = false;
}

void TLabelObject::AttachToLayer()
{
    if (FLayer) {
        FLayer->FObjects.append(this);
        FListed = true;
    }
}

void TLabelObject::StoreCorners()
{
    Properties.SetValue(QStringLiteral("X1"), QString::number(X1));
    Properties.SetValue(QStringLiteral("Y1"), QString::number(Y1));
    Properties.SetValue(QStringLiteral("X2"), QString::number(X2));
    Properties.SetValue(QStringLiteral("Y2"), QString::number(Y2));
}

bool TLabelObject::IsCornerKey(const QString& upperKey)
{
    return upperKey == QLatin1String("X1") || upperKey == QLatin1String("X2") || upperKey == QLatin1String("Y1") ||
           upperKey == QLatin1String("Y2");
}

// ----- Handles and corner geometry ------------------------------------------

QRect TLabelObject::HandleSquare(QPoint p)
{
    return EdgeRect(p.x() - HandleTolerance, p.y() - HandleTolerance, p.x() + HandleTolerance, p.y() + HandleTolerance);
}

bool TLabelObject::InHandleSquare(QPoint centre, int x, int y)
{
    return PointInRect(HandleSquare(centre), x, y);
}

void TLabelObject::DrawHandles(QPainter& canvas, const QList<QPoint>& points, bool fillAsCurrent) const
{
    if (!ShowsHandles() || points.isEmpty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QPen pen(ColorToQColor(FPlan->SelectColor));
    pen.setWidth(1);
    pen.setStyle(Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    canvas.setPen(pen);
    const bool current = fillAsCurrent || FPlan->CurrentObject() == this;
    canvas.setBrush(current ? ColorToQColor(FPlan->SelectFillColor) : QColor(Qt::white));
    for (const QPoint& p : points) {
        // The square (x - 3, y - 3, x + 3, y + 3) with its right and bottom
        // edges excluded: pixels x - 3 .. x + 2, outline included.
        const int t = HandleTolerance;
        canvas.drawRect(QRect(p.x() - t, p.y() - t, 2 * t - 1, 2 * t - 1));
    }
    canvas.restore();
}

QRect TLabelObject::RectGetBounds()
{
    const int half = std::clamp(Pen.Width, 0, kMaxPenPixels) / 2;
    return NormalizedRect(P1Pixels(), P2Pixels()).adjusted(-half, -half, half, half);
}

void TLabelObject::RectInvalidate()
{
    if (Destroying)
        return;
    const int grow = std::clamp(Pen.Width, 0, kMaxPenPixels) + HandleTolerance;
    FPlan->InvalidateRect(NormalizedRect(P1Pixels(), P2Pixels()).adjusted(-grow, -grow, grow, grow));
}

bool TLabelObject::RectCreationStep(int x, int y)
{
    const int clicks = FPlan->NewObjectClicks;
    if (clicks >= 2)
        return false;
    Invalidate();
    if (clicks == 0)
        SetP1FromPixels(QPoint(x, y));
    SetP2FromPixels(QPoint(x, y));
    Invalidate();
    return true;
}

void TLabelObject::MoveCorners(QPoint mouse)
{
    const QPoint delta = mouse - FPlan->DownPoint;
    const QPoint n1 = DragOrigin.P1 + delta;
    const QPoint n2 = DragOrigin.P2 + delta;
    if (FParent && (FPlan->Options() & poChildrenClipping)) {
        const QRegion region = FParent->CreateRegion();
        if (!region.contains(n1) && !region.contains(n2))
            return;
    }
    Invalidate();
    SetP1FromPixels(n1);
    SetP2FromPixels(n2);
    Invalidate();
    TLabelObject::MoveTo(mouse);
}
