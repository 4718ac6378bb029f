// All label object classes, and their construction by plan-text type name.
#pragma once

#include "document/PlanBarcode.h"
#include "document/LabelObject.h"
#include "document/PictureObject.h"
#include "document/PolygonObject.h"
#include "document/RectObject.h"
#include "document/ShapeObjects.h"
#include "document/TextObject.h"

// A new object of the class whose type name ("Line", "Rectangle", "Ellipse",
// "Text", "Picture", "Barcode", "Polygon", "Composite") equals typeName in any
// letter case; none for another name. The object is not yet on its layer.
TLabelObject* CreateLabelObject(const QString& typeName, TLabelPlan* plan);
