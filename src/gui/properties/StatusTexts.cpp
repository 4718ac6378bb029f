#include "gui/properties/StatusTexts.h"

#include "document/PlanBarcode.h"
#include "document/LabelPlan.h"
#include "document/PictureObject.h"
#include "document/TextObject.h"
#include "gui/properties/PropertyUnits.h"

QString ZoomStatusText(const TLabelPlan& plan)
{
    return QStringLiteral("  Zoom: ") + QString::number(plan.ZoomPercent()) + QLatin1Char('%');
}

QString LabelSizeStatusText(const TLabelPlan& plan, int units)
{
    const double f = UnitFactor(units);
    const QString unit = QLatin1Char(' ') + UnitName(units);
    auto length = [f](int points) { return FormatNumber(RoundDecimals(points / 72.0 * 2.54 / f, 2)); };
    return QStringLiteral(" Label Size Width: ") + length(plan.ScaleX) + unit + QStringLiteral(" Height: ") +
           length(plan.ScaleY) + unit;
}

namespace {

QString FieldOrigin(const QString& expression)
{
    return QStringLiteral("Field [ ") + expression + QStringLiteral(" ]");
}

}  // namespace

std::optional<QString> ObjectStatusText(const TLabelObject& object)
{
    const QString locked = object.ReadOnly ? QStringLiteral("- Locked") : QString();
    const QString type = object.GetTypeName();
    if (type == QLatin1String("Rectangle") || type == QLatin1String("Composite"))
        return QStringLiteral("  Rectangle Object ") + locked;
    if (type == QLatin1String("Line"))
        return QStringLiteral("  Line Object ") + locked;
    if (type == QLatin1String("Ellipse"))
        return QStringLiteral("  Ellipse Object ") + locked;
    if (const auto* barcode = dynamic_cast<const TPlanBarcode*>(&object)) {
        const QString origin =
            barcode->DataOrigin == doConstant ? QStringLiteral("Constant Code") : FieldOrigin(barcode->DataExpression);
        return QStringLiteral("  [ Symbology: ") + barcode->Barcode.SymbologyName() +
               QStringLiteral(" ] Barcode Object - Code Origin: ") + origin + QStringLiteral(". ") + locked;
    }
    if (const auto* picture = dynamic_cast<const TPlanPicture*>(&object)) {
        const QString origin = picture->DataOrigin == doConstant ? QStringLiteral("Embedded Picture")
                                                                 : FieldOrigin(picture->DataExpression);
        return QStringLiteral("  Picture Object - Picture Origin: ") + origin + QStringLiteral(". ") + locked;
    }
    if (const auto* text = dynamic_cast<const TPlanText*>(&object)) {
        QString origin;
        if (text->DataOrigin == doConstant)
            origin = QStringLiteral("Constant Text");
        else if (text->DataOrigin == doDataColumn)
            origin = FieldOrigin(text->DataExpression);
        else
            origin = QStringLiteral("Function Value");
        return QStringLiteral("  Text Object - Text Origin: ") + origin + QStringLiteral(". ") + locked;
    }
    return std::nullopt;
}
