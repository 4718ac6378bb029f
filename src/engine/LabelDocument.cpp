#include "engine/LabelDocument.h"

#include "document/LabelFile.h"

#include <algorithm>

namespace {
// Undo steps kept: enough for a working session, bounded so that a huge plan
// whose steps hold snapshots cannot exhaust memory.
constexpr int kUndoLimit = 200;
}  // namespace

TLabelDocument::TLabelDocument(QObject* parent) : QObject(parent)
{
    auto plan = std::make_unique<TLabelPlan>();
    // The program shows and prints labels white, with black handles.
    plan->ApplyMainWindowAppearance();
    Adopt(std::move(plan));
    FUndoStack.setUndoLimit(kUndoLimit);
    connect(&FUndoStack, &QUndoStack::indexChanged, this, [this] {
        if (!FUndoStack.isClean() || FModified)
            MarkChanged();
    });
    NewLabel();
}

void TLabelDocument::Adopt(std::unique_ptr<TLabelPlan> plan)
{
    if (FPlan)
        FPlan->disconnect(this);
    FPlan = std::move(plan);
    FBindingSite = std::make_unique<TPlanBindingSite>(*FPlan);
    Data.SetBindingSite(FBindingSite.get());
    connect(FPlan.get(), &TLabelPlan::CurrentObjectChanged, this, &TLabelDocument::SelectionChanged);
}

TLabelDocument::~TLabelDocument()
{
    // The undo stack clears itself as it goes: that is no change to report.
    FUndoStack.disconnect(this);
    blockSignals(true);
    // The steps refer to the design: they go first.
    FUndoStack.clear();
}

void TLabelDocument::NewLabel()
{
    FPlan->NewLabel();
    Data.ResetDatasheet();
    FUndoStack.clear();
    SetFileName(QString());
    SetModified(false);
}

bool TLabelDocument::Open(const QString& path)
{
    auto plan = std::make_unique<TLabelPlan>();
    plan->CopySettingsFrom(*FPlan);
    TDatasheet data;
    if (!OpenLabelFile(path, *plan, data))
        return false;
    // The undo steps and the current object belong to the former design.
    FUndoStack.clear();
    FPlan->SetCurrentObject(nullptr);
    std::unique_ptr<TLabelPlan> former = std::move(FPlan);
    Adopt(std::move(plan));
    Data.TakeContentFrom(data);
    Q_EMIT PlanReplaced(*FPlan);
    former.reset();
    SetFileName(path);
    SetModified(false);
    return true;
}

void TLabelDocument::Save(const QString& path)
{
    SaveLabelFile(path, *FPlan, Data);
    FUndoStack.setClean();
    SetFileName(path);
    SetModified(false);
}

void TLabelDocument::SetFileName(const QString& path)
{
    const QString before = CurrentFileName();
    FFileName = path;
    FHasFileName = !path.isEmpty();
    if (CurrentFileName() != before)
        Q_EMIT FileNameChanged(CurrentFileName());
}

void TLabelDocument::SetModified(bool modified)
{
    if (FModified == modified)
        return;
    FModified = modified;
    Q_EMIT ModifiedChanged(modified);
}

void TLabelDocument::MarkChanged()
{
    SetModified(true);
    Q_EMIT Changed();
}

TDone TLabelDocument::FillObjectsFromRow(int row, const QString& sourceName)
{
    return ::FillObjectsFromRow(*FPlan, Data, row, sourceName);
}

TDone TLabelDocument::FillFromCurrentRow()
{
    return FillObjectsFromRow(std::max(1, Data.StrGrid_Data.Row()), TDatasheet::DataGridSource);
}
