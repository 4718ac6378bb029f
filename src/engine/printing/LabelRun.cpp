#include "engine/printing/LabelRun.h"

#include "document/PlanBarcode.h"
#include "engine/datasheet/Datasheet.h"
#include "document/LabelPlan.h"
#include "document/PlanLayer.h"
#include "document/Tr.h"
#include "engine/printing/DataBinding.h"
#include "engine/printing/LabelOutput.h"
#include "engine/printing/SheetLayout.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

QString InvalidCodeAbortMessage(int64_t k)
{
    return Tr("LabelRun",
              "A value in line %1 is a invalid code for selected bar code format!\r"
              "Abort printing!")
        .arg(k);
}

QString BarcodeBeyondLabelAbortMessage(int64_t k)
{
    return Tr("LabelRun",
              "The bar code of label %1 does not fit on the label!\r"
              "Abort printing!")
        .arg(k);
}

TPlanBarcode::TFit CheckLabelBarcodes(TLabelPlan& plan)
{
    TPlanBarcode::TFit worst = TPlanBarcode::TFit::Fits;
    for (int l = 0; l < plan.Layers().Count(); ++l) {
        TPlanLayer* layer = plan.Layers().Item(l);
        for (int i = 0; i < layer->Count(); ++i) {
            auto* barcode = dynamic_cast<TPlanBarcode*>(layer->Item(i));
            if (!barcode)
                continue;
            switch (barcode->CheckFit()) {
            case TPlanBarcode::TFit::InvalidCode: return TPlanBarcode::TFit::InvalidCode;
            case TPlanBarcode::TFit::BeyondLabel: worst = TPlanBarcode::TFit::BeyondLabel; break;
            case TPlanBarcode::TFit::Fits: break;
            }
        }
    }
    return worst;
}

TLabelRunResult TLabelRun::Run(int64_t first, int64_t last)
{
    TLabelRunResult result;
    const int64_t n = Layout.PerPage();
    if (n < 1 || first > last)
        return result;
    const bool fromPrintGrid = Plan.LabelCount < 0;
    const int currentRow = std::max(1, Data.StrGrid_Data.Row());
    for (int64_t k = first; k <= last; ++k) {
        const QPoint origin = Layout.LabelOrigin(k);
        // The next label's 2D codes are encoded on the other core while this
        // one is filled and drawn.
        if (fromPrintGrid && k < last)
            PrefetchBoundSymbols(Plan, Data, int(std::min<int64_t>(k + 1, INT32_MAX)), TDatasheet::PrintGridSource);
        const TDone filled = fromPrintGrid
                                 ? FillObjectsFromRow(Plan, Data, int(std::min<int64_t>(k, INT32_MAX)), TDatasheet::PrintGridSource)
                                 : FillObjectsFromRow(Plan, Data, currentRow, TDatasheet::DataGridSource);
        // A code that does not encode (a constant, a date) or a symbol cut
        // off at the label's edge would print a label that does not scan.
        const TPlanBarcode::TFit check = filled ? CheckLabelBarcodes(Plan) : TPlanBarcode::TFit::InvalidCode;
        QPainter* canvas = Canvas();
        if (Plan.CutMark && canvas) {
            for (const QRect& mark : Layout.CutMarks(origin))
                canvas->fillRect(mark, Qt::black);
        }
        if (check != TPlanBarcode::TFit::Fits) {
            const bool beyond = check == TPlanBarcode::TFit::BeyondLabel;
            if (InvalidCodeProcess != 0) {
                if (ReportError)
                    ReportError(beyond ? BarcodeBeyondLabelAbortMessage(k) : InvalidCodeAbortMessage(k));
                result.AbortedAt = k;
                result.AbortedBeyondLabel = beyond;
                result.Reason = filled.Message();
                return result;
            }
            ++result.Skipped;
            result.BeyondLabel += beyond;
        } else {
            if (canvas)
                PaintLabelAt(Plan, *canvas, origin);
            ++result.Painted;
        }
        result.Last = k;
        if (Progress && !Progress(k)) {
            result.Stopped = true;
            return result;
        }
        if (k < last && k % n == 0 && NewPage) {
            NewPage();
            ++result.PageBreaks;
        }
    }
    return result;
}
