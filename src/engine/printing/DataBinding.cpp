#include "engine/printing/DataBinding.h"

#include "barcode/Barcode.h"
#include "barcode/SymbolCache.h"
#include "document/PlanBarcode.h"
#include "document/LabelPlan.h"
#include "document/PictureObject.h"
#include "document/PlanLayer.h"
#include "document/TextObject.h"
#include "document/Tr.h"

const QString BlankLabelValue = QStringLiteral("BLANK*LABEL");

namespace {

TPlanLayer* FirstLayer(TLabelPlan& plan)
{
    return plan.Layers().Count() > 0 ? plan.Layers().Item(0) : nullptr;
}

QString InvalidBoundValueMessage(const QString& value, const QString& column, int row, const QString& symbology)
{
    if (value.isEmpty())
        return Tr("DataBinding", "Row %1 has no value in column \"%2\" for its %3 bar code").arg(row).arg(column, symbology);
    return Tr("DataBinding", "The value \"%1\" in row %2, column \"%3\" is not a valid %4 code")
        .arg(value.left(80))
        .arg(row)
        .arg(column, symbology);
}

}  // namespace

TDone FillObjectsFromRow(TLabelPlan& plan, const TDatasheet& datasheet, int row, const QString& sourceName)
{
    TDone result;
    TPlanLayer* layer = FirstLayer(plan);
    if (!layer)
        return result;
    for (int i = 0; i < layer->Count(); ++i) {
        TLabelObject* object = layer->Item(i);
        if (auto* text = dynamic_cast<TPlanText*>(object)) {
            if (text->DataOrigin == doDataColumn)
                text->SetText(datasheet.LookupCell(text->DataExpression, row, sourceName));
        } else if (auto* barcode = dynamic_cast<TPlanBarcode*>(object)) {
            if (barcode->DataOrigin != doDataColumn)
                continue;
            const QString value = datasheet.LookupCell(barcode->DataExpression, row, sourceName);
            if (value == BlankLabelValue)
                continue;
            // An empty cell is a missing value, not the empty symbol.
            if (!value.isEmpty() && IsValidCode(value, barcode->Barcode.Typ(), barcode->Barcode.Checksum(),
                                                barcode->Barcode.Options()))
                barcode->SetDataValue(value);
            else if (result.Ok())
                result = Refuse(InvalidBoundValueMessage(value, barcode->DataExpression, row,
                                                         barcode->Barcode.SymbologyName()));
        }
    }
    return result;
}

void PrefetchBoundSymbols(TLabelPlan& plan, const TDatasheet& datasheet, int row, const QString& sourceName)
{
    TPlanLayer* layer = FirstLayer(plan);
    for (int i = 0; layer && i < layer->Count(); ++i) {
        auto* barcode = dynamic_cast<TPlanBarcode*>(layer->Item(i));
        if (!barcode || barcode->DataOrigin != doDataColumn || !IsLibrarySymbology(barcode->Barcode.Typ()))
            continue;
        std::string bytes;
        if (BarcodeBytesFromString(datasheet.LookupCell(barcode->DataExpression, row, sourceName), bytes))
            PrefetchLibrarySymbol(barcode->Barcode.Typ(), barcode->Barcode.Options(), bytes);
    }
}

QStringList MissingBoundColumns(const TLabelPlan& plan, const TDatasheet& datasheet)
{
    QStringList missing;
    const TPlanLayers& layers = plan.Layers();
    const TPlanLayer* layer = layers.Count() > 0 ? layers.Item(0) : nullptr;
    for (int i = 0; layer && i < layer->Count(); ++i) {
        const TLabelObject* object = layer->Item(i);
        const QString* column = nullptr;
        if (auto* text = dynamic_cast<const TPlanText*>(object); text && text->DataOrigin == doDataColumn)
            column = &text->DataExpression;
        else if (auto* barcode = dynamic_cast<const TPlanBarcode*>(object);
                 barcode && barcode->DataOrigin == doDataColumn)
            column = &barcode->DataExpression;
        if (column && TDatasheet::FindColumnExact(datasheet.StrGrid_Data, *column) < 0 && !missing.contains(*column))
            missing << *column;
    }
    return missing;
}

int TPlanBindingSite::BoundObjectCount() const
{
    // The datasheet asks for the count first and then walks the indices, so
    // the list is gathered once per pass.
    FBound.clear();
    TPlanLayer* layer = FirstLayer(FPlan);
    for (int i = 0; layer && i < layer->Count(); ++i) {
        TLabelObject* object = layer->Item(i);
        if (auto* t = dynamic_cast<TPlanText*>(object))
            FBound.push_back({&t->DataOrigin, &t->DataExpression});
        else if (auto* b = dynamic_cast<TPlanBarcode*>(object))
            FBound.push_back({&b->DataOrigin, &b->DataExpression});
        else if (auto* p = dynamic_cast<TPlanPicture*>(object))
            FBound.push_back({&p->DataOrigin, &p->DataExpression});
    }
    return int(FBound.size());
}

int TPlanBindingSite::DataOrigin(int index) const
{
    return index >= 0 && index < int(FBound.size()) ? *FBound[size_t(index)].origin : int(doConstant);
}

QString TPlanBindingSite::DataExpression(int index) const
{
    return index >= 0 && index < int(FBound.size()) ? *FBound[size_t(index)].expression : QString();
}

void TPlanBindingSite::SetDataOrigin(int index, int origin)
{
    if (index >= 0 && index < int(FBound.size()))
        *FBound[size_t(index)].origin = uint8_t(origin);
}
