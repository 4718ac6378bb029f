// Data binding: objects whose value comes from a datasheet column take it from
// one row of the datasheet ("DataGrid") or of the print grid ("PrintGrid").
#pragma once

#include "barcode/Outcome.h"
#include "engine/datasheet/Datasheet.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class TLabelPlan;

// The cell "BLANK*LABEL" leaves a bound barcode unchanged.
extern const QString BlankLabelValue;

// Fills the bound text and barcode objects of the plan's first layer from the
// given row of the named grid. Refused when at least one value was not a
// valid code for its barcode, naming the first such value (that barcode keeps
// its previous value; the other objects are still filled). An empty cell is
// not a valid code for a bound barcode.
TDone FillObjectsFromRow(TLabelPlan& plan, const TDatasheet& datasheet, int row, const QString& sourceName);

// Starts building the 2D and GS1 symbols the given row will fill in, in the
// background, so that filling and drawing that row find them ready.
void PrefetchBoundSymbols(TLabelPlan& plan, const TDatasheet& datasheet, int row, const QString& sourceName);

// The columns that text and barcode objects of the plan's first layer are
// bound to (DataOrigin 1) but the datasheet does not have, each once, in layer
// order. A run should not start with any: every such object would print empty.
QStringList MissingBoundColumns(const TLabelPlan& plan, const TDatasheet& datasheet);

// The barcode, text and picture objects of the plan's first layer, as the
// datasheet sees them when it drops bindings to columns that no longer exist.
// BoundObjectCount gathers the objects; the other calls index that list.
class TPlanBindingSite : public TDataBindingSite {
public:
    explicit TPlanBindingSite(TLabelPlan& plan) : FPlan(plan) {}
    int BoundObjectCount() const override;
    int DataOrigin(int index) const override;
    QString DataExpression(int index) const override;
    void SetDataOrigin(int index, int origin) override;

private:
    struct TBoundRef {
        uint8_t* origin;
        const QString* expression;
    };
    TLabelPlan& FPlan;
    mutable std::vector<TBoundRef> FBound;
};
