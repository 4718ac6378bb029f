#include "gui/designer/PlanEditing.h"

#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanObjects.h"
#include "document/StrF.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

TPlanLayer* FirstLayer(TLabelPlan& plan)
{
    return plan.Layers().Item(0);
}

// a + d without overflow: coordinates from a file may sit at the very ends.
int Add(int a, int d)
{
    return int(std::clamp<qint64>(qint64(a) + d, INT_MIN, INT_MAX));
}

// How far a span [lo, hi] must move so that reach of it (all of it when
// shorter) lies within [0, size].
int Into(int lo, int hi, int size, int reach)
{
    const qint64 r = std::min<qint64>({qint64(hi) - lo, reach, size});
    if (hi < r)
        return int(std::min<qint64>(r - hi, INT_MAX));
    if (qint64(lo) > size - r)
        return int(std::max<qint64>(size - r - lo, INT_MIN));
    return 0;
}

bool HasAncestorIn(const TLabelObject* object, const QList<TLabelObject*>& set)
{
    for (const TLabelObject* p = object->Parent(); p; p = p->Parent())
        if (set.contains(p))
            return true;
    return false;
}

}  // namespace

QList<TLabelObject*> SelectedObjects(TLabelPlan& plan)
{
    QList<TLabelObject*> result;
    if (TPlanLayer* layer = FirstLayer(plan))
        for (TLabelObject* o : layer->Objects())
            if (o->Selected())
                result.append(o);
    return result;
}

bool IsLocked(const TLabelObject* object)
{
    return object->ReadOnly || (object->Layer() && object->Layer()->Locked());
}

TPlanExtent PlanExtent(const TLabelObject* object)
{
    if (auto* polygon = dynamic_cast<const TPlanPolygon*>(object); polygon && polygon->PointCount() > 0) {
        TPlanExtent e{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const QPoint& p : polygon->Points()) {
            e.left = std::min(e.left, p.x());
            e.right = std::max(e.right, p.x());
            e.top = std::min(e.top, p.y());
            e.bottom = std::max(e.bottom, p.y());
        }
        return e;
    }
    return {std::min(object->X1, object->X2), std::min(object->Y1, object->Y2), std::max(object->X1, object->X2),
            std::max(object->Y1, object->Y2)};
}

void ShiftObject(TLabelObject* object, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    object->Invalidate();
    if (auto* polygon = dynamic_cast<TPlanPolygon*>(object)) {
        for (int i = 0; i < polygon->PointCount(); ++i) {
            const QPoint p = polygon->GetPoint(i);
            polygon->SetPoint(i, QPoint(Add(p.x(), dx), Add(p.y(), dy)));
        }
    }
    // Both corners at once, so that the millimetre caches follow the new place.
    object->X1 = Add(object->X1, dx);
    object->X2 = Add(object->X2, dx);
    object->Y1 = Add(object->Y1, dy);
    object->Y2 = Add(object->Y2, dy);
    object->UpdateMillimetres();
    object->Invalidate();
    for (TLabelObject* child : object->Children())
        ShiftObject(child, dx, dy);
}

bool KeepOnLabel(const TLabelPlan& plan, TLabelObject* object)
{
    if (plan.ScaleX <= 0 || plan.ScaleY <= 0)
        return false;
    const TPlanExtent e = PlanExtent(object);
    const int dx = Into(e.left, e.right, plan.ScaleX, kReachablePart);
    const int dy = Into(e.top, e.bottom, plan.ScaleY, kReachablePart);
    ShiftObject(object, dx, dy);
    return dx != 0 || dy != 0;
}

bool IsOnPlan(TLabelPlan& plan, const TLabelObject* object)
{
    if (!object)
        return false;
    for (int l = 0; l < plan.Layers().Count(); ++l)
        if (plan.Layers().Item(l)->IndexOf(object) >= 0)
            return true;
    return false;
}

bool DeselectAll(TLabelPlan& plan)
{
    bool any = false;
    for (int l = 0; l < plan.Layers().Count(); ++l)
        for (TLabelObject* o : plan.Layers().Item(l)->Objects())
            if (o->Selected()) {
                o->SetSelected(false);
                any = true;
            }
    return any;
}

void SelectInRect(TLabelPlan& plan, QPoint a, QPoint b)
{
    const QRect band = QRect(a, b).normalized();
    for (int l = 0; l < plan.Layers().Count(); ++l)
        for (TLabelObject* o : plan.Layers().Item(l)->Objects())
            if (!o->ReadOnly && o->Visible && o->GetBounds().intersects(band))
                o->SetSelected(true);
}

void SelectAllObjects(TLabelPlan& plan)
{
    TPlanLayer* layer = plan.ActiveLayer();
    if (!layer || !layer->Visible() || layer->Locked())
        return;
    TLabelObject* top = nullptr;
    for (TLabelObject* o : layer->Objects())
        if (!o->ReadOnly && o->Visible) {
            o->SetSelected(true);
            top = o;
        }
    // The properties panel edits the current object: there is one afterwards.
    TLabelObject* current = plan.CurrentObject();
    if (top && (!current || !current->Selected())) {
        if (current)
            current->Unfocus();
        top->Focus();
    }
}

bool AlignSelected(TLabelPlan& plan, TAlignment alignment)
{
    const QList<TLabelObject*> selected = SelectedObjects(plan);
    if (selected.size() < 2)
        return false;
    // The extent of the selection gives every reference.
    TPlanExtent all{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const TLabelObject* o : selected) {
        const TPlanExtent e = PlanExtent(o);
        all.left = std::min(all.left, e.left);
        all.top = std::min(all.top, e.top);
        all.right = std::max(all.right, e.right);
        all.bottom = std::max(all.bottom, e.bottom);
    }
    const int midX = all.left + Round((double(all.right) - all.left) / 2);
    const int midY = all.top + Round((double(all.bottom) - all.top) / 2);
    bool moved = false;
    for (TLabelObject* o : selected) {
        // A container moves its children itself.
        if (HasAncestorIn(o, selected))
            continue;
        const TPlanExtent e = PlanExtent(o);
        int dx = 0, dy = 0;
        switch (alignment) {
            case TAlignment::Left:
                dx = all.left - e.left;
                break;
            case TAlignment::Right:
                dx = all.right - e.right;
                break;
            case TAlignment::Top:
                dy = all.top - e.top;
                break;
            case TAlignment::Bottom:
                dy = all.bottom - e.bottom;
                break;
            case TAlignment::VertCenter:
                dx = midX - (e.left + Round((double(e.right) - e.left) / 2));
                break;
            case TAlignment::HorzCenter:
                dy = midY - (e.top + Round((double(e.bottom) - e.top) / 2));
                break;
        }
        if (dx != 0 || dy != 0) {
            ShiftObject(o, dx, dy);
            moved = true;
        }
    }
    return moved;
}

bool Restack(TLabelObject* object, TStacking how)
{
    if (!object || !object->Layer())
        return false;
    TPlanLayer* layer = object->Layer();
    const int before = layer->IndexOf(object);
    switch (how) {
        case TStacking::SendBackward:
            object->SendBackward();
            break;
        case TStacking::BringForward:
            object->BringForward();
            break;
        case TStacking::SendToBottom:
            object->SendToBottom();
            break;
        case TStacking::BringToTop:
            object->BringToTop();
            break;
    }
    return layer->IndexOf(object) != before;
}

bool LockSelected(TLabelPlan& plan)
{
    bool changed = false;
    auto lock = [&changed](TLabelObject* o) {
        changed = changed || !o->ReadOnly;
        o->SetReadOnly(true);
        o->Unfocus();
        o->SetSelected(false);
    };
    if (TLabelObject* current = plan.CurrentObject())
        lock(current);
    for (TLabelObject* o : SelectedObjects(plan))
        lock(o);
    plan.SetCurrentObject(nullptr);
    return changed;
}

bool UnlockAll(TLabelPlan& plan)
{
    bool changed = false;
    if (TPlanLayer* layer = FirstLayer(plan))
        for (TLabelObject* o : layer->Objects())
            if (o->ReadOnly) {
                o->SetReadOnly(false);
                o->Invalidate();
                changed = true;
            }
    return changed;
}

bool DeleteSelected(TLabelPlan& plan)
{
    TPlanLayer* layer = FirstLayer(plan);
    if (!layer)
        return false;
    QList<TLabelObject*> doomed;
    for (TLabelObject* o : layer->Objects())
        if (o->Selected() || o->Focused())
            doomed.append(o);
    // A container releases its children; they must not be released twice.
    QList<TLabelObject*> roots;
    for (TLabelObject* o : doomed)
        if (!HasAncestorIn(o, doomed))
            roots.append(o);
    for (TLabelObject* o : roots)
        o->Release();
    return !roots.isEmpty();
}

bool MoveSelectedBy(TLabelPlan& plan, int dx, int dy)
{
    QList<TLabelObject*> movers;
    for (int l = 0; l < plan.Layers().Count(); ++l)
        for (TLabelObject* o : plan.Layers().Item(l)->Objects())
            if ((o->Selected() || o == plan.CurrentObject()) && !IsLocked(o))
                movers.append(o);
    bool moved = false;
    for (TLabelObject* o : movers) {
        if (HasAncestorIn(o, movers))
            continue;
        ShiftObject(o, dx, dy);
        KeepOnLabel(plan, o);
        moved = true;
    }
    return moved;
}

// ----- Clipboard text ---------------------------------------------------------

QString ClipboardText(TLabelPlan& plan, QList<TLabelObject*>* copied)
{
    TPlanLayer* layer = FirstLayer(plan);
    if (!layer || (SelectedObjects(plan).isEmpty() && !plan.CurrentObject()))
        return QString();
    QList<TLabelObject*> chosen;
    for (TLabelObject* o : layer->Objects())
        if (o->Selected() || o->Focused())
            chosen.append(o);
    QStringList lines{QString::fromLatin1(kClipboardMarker)};
    QList<TLabelObject*> written;
    for (TLabelObject* o : chosen) {
        if (HasAncestorIn(o, chosen))
            continue;
        o->WriteSection(0, lines);
        written.append(o);
    }
    if (copied)
        *copied = written;
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

bool IsClipboardText(const QString& text)
{
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return TrimControls(QStringView(text).left(end < 0 ? text.size() : end)) == QLatin1String(kClipboardMarker);
}

namespace {

bool StartsWithKeyword(const QString& line, QLatin1String keyword)
{
    return line.startsWith(keyword, Qt::CaseInsensitive);
}

// Selects a pasted object and moves it (with its children) by offset pixels.
void PlacePasted(TLabelPlan& plan, TLabelObject* object, int offset)
{
    object->SetSelected(true);
    std::vector<TLabelObject*> tree{object};
    for (size_t i = 0; i < tree.size(); ++i) {
        tree[i]->SaveDragOrigin();
        for (TLabelObject* child : tree[i]->Children())
            tree.push_back(child);
    }
    const QPoint down = plan.DownPoint;
    plan.DownPoint = QPoint(0, 0);
    object->MoveTo(QPoint(offset, offset));
    plan.DownPoint = down;
    // As if clicked, so that whoever shows the clicked object shows it.
    plan.ObjectClick(object, Qt::LeftButton, Qt::NoModifier, 0, 0);
}

}  // namespace

int PasteClipboardText(TLabelPlan& plan, const QString& text, int offsetPixels)
{
    if (TLabelObject* current = plan.CurrentObject())
        current->Unfocus();
    DeselectAll(plan);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (lines.isEmpty() || TrimControls(lines.first()) != QLatin1String(kClipboardMarker))
        return 0;

    int pasted = 0;
    TLabelObject* pending = nullptr;  // properties not applied yet
    std::vector<TLabelObject*> open;  // sections whose "End" has not come
    auto applyPending = [&pending] {
        if (pending) {
            pending->LoadProperties();
            pending = nullptr;
        }
    };
    try {
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QString line = TrimControls(lines.at(i));
            if (StartsWithKeyword(line, QLatin1String("Object "))) {
                applyPending();
                const QString type = line.mid(7, 255);
                if (open.size() >= size_t(kMaxPlanNesting))
                    throw ELabelPlanException(
                        QStringLiteral("Object sections are nested more than %1 deep").arg(kMaxPlanNesting));
                TLabelObject* object = CreateLabelObject(type, &plan);
                if (!object)
                    throw ELabelPlanException(QStringLiteral("Invalid object: ") + type);
                if (!open.empty())
                    object->SetParent(open.back());
                open.push_back(object);
                pending = object;
            } else if (StartsWithKeyword(line, QLatin1String("End"))) {
                applyPending();
                if (open.empty())
                    continue;
                TLabelObject* done = open.back();
                open.pop_back();
                if (open.empty()) {
                    PlacePasted(plan, done, offsetPixels);
                    ++pasted;
                }
            } else if (pending) {
                pending->Properties.Append(line);
            }
        }
    } catch (...) {
        applyPending();
        plan.InvalidatePlan();
        throw;
    }
    // A section without its "End" is placed, neither selected nor moved.
    applyPending();
    plan.InvalidatePlan();
    return pasted;
}
