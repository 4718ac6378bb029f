#include "gui/properties/StatusTexts.h"

#include "document/PlanBarcode.h"
#include "document/LabelPlan.h"
#include "document/PictureObject.h"
#include "document/TextObject.h"
#include "document/Tr.h"
#include "gui/properties/PropertyUnits.h"

// Each field is one whole sentence with placeholders, so that a translation
// may put the numbers and names where its language wants them.

QString ZoomStatusText(const TLabelPlan& plan)
{
    return Tr("StatusTexts", "  Zoom: %1%").arg(plan.ZoomPercent());
}

QString LabelSizeStatusText(const TLabelPlan& plan, int units)
{
    const double f = UnitFactor(units);
    auto length = [f](int points) { return FormatNumber(RoundDecimals(points / 72.0 * 2.54 / f, 2)); };
    return Tr("StatusTexts", " Label Size Width: %1 %3 Height: %2 %3")
        .arg(length(plan.ScaleX), length(plan.ScaleY), UnitName(units));
}

namespace {

QString FieldOrigin(const QString& expression)
{
    return Tr("StatusTexts", "Field [ %1 ]").arg(expression);
}

}  // namespace

std::optional<QString> ObjectStatusText(const TLabelObject& object)
{
    const QString locked = object.ReadOnly ? Tr("StatusTexts", "- Locked") : QString();
    const QString type = object.GetTypeName();
    if (type == QLatin1String("Rectangle") || type == QLatin1String("Composite"))
        return Tr("StatusTexts", "  Rectangle Object %1").arg(locked);
    if (type == QLatin1String("Line"))
        return Tr("StatusTexts", "  Line Object %1").arg(locked);
    if (type == QLatin1String("Ellipse"))
        return Tr("StatusTexts", "  Ellipse Object %1").arg(locked);
    if (const auto* barcode = dynamic_cast<const TPlanBarcode*>(&object)) {
        const QString origin = barcode->DataOrigin == doConstant ? Tr("StatusTexts", "Constant Code")
                                                                 : FieldOrigin(barcode->DataExpression);
        return Tr("StatusTexts", "  [ Symbology: %1 ] Barcode Object - Code Origin: %2. %3")
            .arg(barcode->Barcode.SymbologyName(), origin, locked);
    }
    if (const auto* picture = dynamic_cast<const TPlanPicture*>(&object)) {
        const QString origin = picture->DataOrigin == doConstant ? Tr("StatusTexts", "Embedded Picture")
                                                                 : FieldOrigin(picture->DataExpression);
        return Tr("StatusTexts", "  Picture Object - Picture Origin: %1. %2").arg(origin, locked);
    }
    if (const auto* text = dynamic_cast<const TPlanText*>(&object)) {
        QString origin;
        if (text->DataOrigin == doConstant)
            origin = Tr("StatusTexts", "Constant Text");
        else if (text->DataOrigin == doDataColumn)
            origin = FieldOrigin(text->DataExpression);
        else
            origin = Tr("StatusTexts", "Function Value");
        return Tr("StatusTexts", "  Text Object - Text Origin: %1. %2").arg(origin, locked);
    }
    return std::nullopt;
}
