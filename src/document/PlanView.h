// The design surface's window-free rules: zoom steps and their limits, the
// zoom percentage and the rounded label shape. TLabelPlan's view methods
// (PlanView.cpp) apply them to the widget.
#pragma once

#include <QPainterPath>
#include <QSize>

// Zoom In is allowed while the surface is at most 1000 x 700 pixels; Zoom
// Out while it is at least 150 x 100.
bool CanZoomIn(QSize size);
bool CanZoomOut(QSize size);
// One zoom step: both sides times 1.3 or divided by 1.3, each rounded to
// nearest with ties to even. The limits are not checked here.
QSize ZoomedIn(QSize size);
QSize ZoomedOut(QSize size);
// width / scaleX rounded to two decimals, times 100; 100 without a label size.
int ZoomPercentOf(int width, int scaleX);

// The label's shape on a surface of the given size: the rectangle
// (0, 0, width, height) with corners rounded by an ellipse of
// cornerPixels x cornerPixels (a plain rectangle for 0 or less).
QPainterPath LabelShape(QSize size, int cornerPixels);
