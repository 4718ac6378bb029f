// The three fields of the main window's status bar: the zoom, the label size
// and a description of the object under the mouse.
#pragma once

#include <QString>

#include <optional>

class TLabelObject;
class TLabelPlan;

// Field widths in pixels (the third field takes the rest).
constexpr int kZoomFieldWidth = 80;
constexpr int kLabelSizeFieldWidth = 260;

// "  Zoom: 100%": the surface's pixel width over ScaleX, rounded to two
// decimals, as a percentage.
QString ZoomStatusText(const TLabelPlan& plan);
// " Label Size Width: 6.35 cm Height: 4.59 cm" in the display unit (0 cm, 1 in).
QString LabelSizeStatusText(const TLabelPlan& plan, int units);
// The description shown while the mouse is over the object ("  Line Object ",
// "  Text Object - Text Origin: Constant Text. " ...), "- Locked" appended for
// a locked object. No value for kinds that leave the field as it is (polygons).
std::optional<QString> ObjectStatusText(const TLabelObject& object);
