#include "document/PlanLayer.h"

#include "document/LabelObject.h"
#include "document/LabelPlan.h"

TPlanLayer::TPlanLayer(TLabelPlan* plan, const QString& name, int32_t index) : Name(name), Index(index), FPlan(plan)
{
}

TPlanLayer::~TPlanLayer()
{
    ReleaseAll();
}

void TPlanLayer::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    FPlan->InvalidatePlan();
}

void TPlanLayer::SetLocked(bool value)
{
    FLocked = value;
    TLabelObject* current = FPlan->CurrentObject();
    if (value && current && current->Layer() == this)
        current->Unfocus();
}

void TPlanLayer::Add(TLabelObject* object)
{
    // An object lives in one layer's list: the one its Layer names.
    object->DetachFromLayer();
    object->FLayer = this;
    FObjects.append(object);
    object->FListed = true;
}

int TPlanLayer::IndexOf(const TLabelObject* object) const
{
    return int(FObjects.indexOf(const_cast<TLabelObject*>(object)));
}

void TPlanLayer::Release(int index)
{
    if (TLabelObject* o = FObjects.value(index))
        o->Release();
}

void TPlanLayer::ReleaseAll()
{
    while (!FObjects.isEmpty()) {
        TLabelObject* o = FObjects.first();
        o->Release();  // removes it from the list
        // An object that did not leave the list must not keep the loop running.
        if (!FObjects.isEmpty() && FObjects.first() == o)
            FObjects.removeFirst();
    }
}

void TPlanLayer::Draw(QPainter& canvas)
{
    if (FPlan->UpdateCount() > 0)
        return;
    // Drawing may change an object's box but never the list.
    const QList<TLabelObject*> objects = FObjects;
    for (TLabelObject* o : objects)
        if (!o->Parent() && o->Visible)
            o->Draw(canvas);
}

TLabelObject* TPlanLayer::ObjectAt(int x, int y, int& handle)
{
    if (!FVisible)
        return nullptr;
    for (qsizetype i = FObjects.size() - 1; i >= 0; --i) {
        TLabelObject* o = FObjects.at(i);
        int h = 0;
        if (o->HitHandle(x, y, h) && o->Visible) {
            handle = h;
            return o;
        }
        if (o->HitBody(x, y) && o->Visible) {
            if (TLabelObject* child = o->HitChild(x, y, h)) {
                handle = h;
                return child;
            }
            handle = 0;
            return o;
        }
    }
    return nullptr;
}

int TPlanLayers::AddLayer(const QString& name)
{
    FLayers.append(new TPlanLayer(FPlan, name, int32_t(FLayers.size())));
    return int(FLayers.size()) - 1;
}

int TPlanLayers::IndexOf(const TPlanLayer* layer) const
{
    return int(FLayers.indexOf(const_cast<TPlanLayer*>(layer)));
}

TPlanLayer* TPlanLayers::FindLayer(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (TPlanLayer* l : FLayers)
        if (l->Name.toUpper() == wanted)
            return l;
    return nullptr;
}

void TPlanLayers::Delete(int index)
{
    if (index < 0 || index >= FLayers.size())
        return;
    TPlanLayer* layer = FLayers.at(index);
    layer->ReleaseAll();
    FLayers.removeAt(index);
    if (FPlan->FActiveLayer == layer)
        FPlan->FActiveLayer = nullptr;
    delete layer;
}

void TPlanLayers::Clear()
{
    while (!FLayers.isEmpty())
        Delete(0);
}

void TPlanLayers::WriteLayers(QStringList& lines) const
{
    for (const TPlanLayer* l : FLayers)
        lines.append(QStringLiteral("LabelProfit ") + l->Name + QLatin1Char(',') +
                     (l->Visible() ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1Char(',') +
                     (l->Locked() ? QLatin1Char('1') : QLatin1Char('0')));
}
