// The open label as the program holds it: the design and its datasheet,
// bound together. The main window owns one; tagmora-cli makes its own.
#pragma once

#include "datasheet/Datasheet.h"
#include "document/LabelPlan.h"
#include "printing/DataBinding.h"

#include <QString>

class TLabelDocument {
public:
    // Starts as a new label (the document and datasheet a New command gives),
    // with the main window's appearance (a white label).
    TLabelDocument();
    TLabelDocument(const TLabelDocument&) = delete;
    TLabelDocument& operator=(const TLabelDocument&) = delete;

    TLabelPlan Plan;
    TDatasheet Data;

    // The New command's reset of both the design and the datasheet.
    void NewLabel();
    // Opens a label file (design, datasheet, print grid, printer settings).
    // Returns false, changing nothing, when no file exists at path; throws on
    // a broken file, keeping what was read.
    bool Open(const QString& path);
    // Saves design and datasheet; the previous file survives a failed save.
    void Save(const QString& path);

    // Data binding from a row of "DataGrid" or "PrintGrid" (0 ok, -1 when a
    // bound barcode rejected its value).
    int FillObjectsFromRow(int row, const QString& sourceName);
    // Shows the datasheet's current row (at least row 1) on the design.
    int FillFromCurrentRow();

private:
    TPlanBindingSite FBindingSite;
};
