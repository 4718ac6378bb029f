// A closed polygon that can contain other objects. Its points are plan units;
// PixelPoints holds the same points in view pixels, kept in step.
#pragma once

#include "document/LabelObject.h"

#include <QPolygon>
#include <QSize>
#include <QVector>

// Most points a polygon takes from plan text; a "PointCount" is also cut to
// the number of lines of its section.
constexpr int kMaxPolygonPoints = 100000;

class TPlanPolygon : public TLabelObject {
public:
    explicit TPlanPolygon(TLabelPlan* plan);

    int PointCount() const { return int(FPoints.size()); }
    const QVector<QPoint>& Points() const { return FPoints; }
    const QPolygon& PixelPoints() const { return FPixelPoints; }
    const QPolygon& DragPixelPoints() const { return FDragPixelPoints; }
    int SelectedVertex = -1;  // vertex grabbed by the last successful HitHandle

    // Resizes the point arrays, keeping the first points; new points are (0, 0).
    void SetPointCount(int count);
    // The point in plan units; (-1, -1) past the last point.
    QPoint GetPoint(int index) const;
    // Sets a point (plan units) and its pixel point; ignored past the last point.
    void SetPoint(int index, QPoint point);

    QString GetTypeName() const override;
    void StoreProperties() override;
    QRect GetBounds() override;
    bool CreationStep(int x, int y, int mode) override;
    QRegion CreateRegion() override;
    bool IsContainer() const override { return true; }
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    void Release() override;
    bool HitBody(int x, int y) override;
    bool IsKnownProperty(const QString& key) const override;
    // 9 at a vertex (SelectedVertex tells which).
    bool HitHandle(int x, int y, int& handle) override;
    void MoveTo(QPoint mouse) override;
    void Invalidate() override;
    void Rescale() override;
    void ResizeByHandle(QPoint mouse) override;
    void LoadProperties() override;

protected:
    void DragOriginSaved() override;

private:
    QPoint ToPixels(QPoint p) const;
    QPoint ToPlan(QPoint p) const;
    // Rescales when the surface changed size since the pixel points were made
    // (a surface resized without its Resize running).
    void EnsurePixels();

    QVector<QPoint> FPoints;
    QPolygon FPixelPoints;
    QPolygon FDragPixelPoints;
    QSize FPixelSurface;  // surface size the pixel points belong to
};
