// One pass of labels onto sheets, shared by the print job and the preview:
// for each label its data row, its cut marks and its painting, page breaks
// after full sheets, and what an invalid barcode value does.
#pragma once

#include "document/PlanBarcode.h"

#include <QString>

#include <cstdint>
#include <functional>

class QPainter;
class TDatasheet;
class TLabelPlan;
struct TSheetLayout;

// "A value in line " + k + " is a invalid code for selected bar code format!" CR "Abort printing!"
QString InvalidCodeAbortMessage(int64_t k);
// The same for a barcode of label k whose bars reach beyond the label.
QString BarcodeBeyondLabelAbortMessage(int64_t k);

// Whether every barcode the label shows can be printed whole: its code
// encodes and its bars lie on the label (the surface prepared for output).
// InvalidCode as soon as one code does not encode; else BeyondLabel when a
// symbol reaches beyond the label.
TPlanBarcode::TFit CheckLabelBarcodes(TLabelPlan& plan);

struct TLabelRunResult {
    int Painted = 0;       // labels painted
    int Skipped = 0;       // places left empty for an invalid code
    int BeyondLabel = 0;   // of those, for a barcode that does not fit on the label
    int64_t AbortedAt = 0; // the label whose invalid code ended the run (0: none)
    bool AbortedBeyondLabel = false;  // its barcode did not fit on the label
    QString Reason;        // which value of its data row was refused (empty: none was)
    int PageBreaks = 0;
    int64_t Last = 0;      // the last label placed, painted or left empty (0: none)
    bool Stopped = false;  // Progress asked to stop
    bool Aborted() const { return AbortedAt != 0; }
};

struct TLabelRun {
    TLabelPlan& Plan;
    const TDatasheet& Data;
    const TSheetLayout& Layout;
    // 0: an invalid code leaves the label's place empty; any other value ends
    // the run, reported through ReportError. A barcode that would be cut off
    // at the label's edge counts as an invalid code.
    int InvalidCodeProcess = 1;
    // The canvas of the current page (asked for every label, as a page break
    // may start a new one).
    std::function<QPainter*()> Canvas;
    // Ends the page and starts the next; called after a full sheet when more
    // labels follow.
    std::function<void()> NewPage;
    // Tells the user why an invalid code ended the run (may be empty).
    std::function<void(const QString&)> ReportError;
    // Told after each label (painted or left empty) with its number; returning
    // false ends the run there, with the labels placed so far (may be empty).
    std::function<bool(int64_t k)> Progress;

    // Labels first..last (numbers from 1), with the surface already prepared.
    // Fills from "PrintGrid" row k, or from the datasheet's current row when
    // the document's LabelCount is 1 or more.
    TLabelRunResult Run(int64_t first, int64_t last);
};
