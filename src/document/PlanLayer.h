// Layers of a label document. Each layer holds an ordered list of objects:
// index 0 is drawn first (bottom), the last on top. Children of containers are
// members of the list too.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class QPainter;
class TLabelObject;
class TLabelPlan;

class TPlanLayer {
public:
    TPlanLayer(TLabelPlan* plan, const QString& name, int32_t index);
    ~TPlanLayer();  // releases the objects
    TPlanLayer(const TPlanLayer&) = delete;
    TPlanLayer& operator=(const TPlanLayer&) = delete;

    TLabelPlan* Plan() const { return FPlan; }
    QString Name;
    // Number of layers that existed when it was added; objects refer to their
    // layer by this number ("Layer" key).
    int32_t Index = 0;

    bool Visible() const { return FVisible; }
    bool Locked() const { return FLocked; }
    // Repaints the surface when the value changes.
    void SetVisible(bool value);
    // Locking the layer that holds the current object unfocuses it.
    void SetLocked(bool value);

    int Count() const { return int(FObjects.size()); }
    TLabelObject* Item(int index) const { return FObjects.value(index); }
    const QList<TLabelObject*>& Objects() const { return FObjects; }
    // Appends the object; it moves here from the list of the layer it was on.
    void Add(TLabelObject* object);
    int IndexOf(const TLabelObject* object) const;
    // Releases the object at that position / all objects.
    void Release(int index);
    void ReleaseAll();

    // Draws every visible object without a parent, in list order (nothing while
    // the document's update lock is held).
    void Draw(QPainter& canvas);
    // The topmost visible object hit at the pixel point, with the handle id
    // (0 = body); none when nothing is hit or the layer is hidden.
    TLabelObject* ObjectAt(int x, int y, int& handle);

private:
    friend class TLabelObject;
    TLabelPlan* FPlan;
    QList<TLabelObject*> FObjects;
    bool FVisible = true;
    bool FLocked = false;
};

class TPlanLayers {
public:
    explicit TPlanLayers(TLabelPlan* plan) : FPlan(plan) {}
    ~TPlanLayers() { Clear(); }
    TPlanLayers(const TPlanLayers&) = delete;
    TPlanLayers& operator=(const TPlanLayers&) = delete;

    // Appends a visible, unlocked layer whose Index is the current count;
    // returns its position.
    int AddLayer(const QString& name);
    int Count() const { return int(FLayers.size()); }
    TPlanLayer* Item(int index) const { return FLayers.value(index); }
    int IndexOf(const TPlanLayer* layer) const;
    // First layer whose name equals name (any case); none when absent.
    TPlanLayer* FindLayer(const QString& name) const;
    // Deletes the layer at that position, releasing its objects first.
    void Delete(int index);
    void Clear();
    // One "LabelProfit name,visible,locked" line per layer.
    void WriteLayers(QStringList& lines) const;

private:
    TLabelPlan* FPlan;
    QList<TPlanLayer*> FLayers;
};
