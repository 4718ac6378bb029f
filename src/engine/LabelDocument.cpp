#include "engine/LabelDocument.h"

#include "document/LabelFile.h"

#include <algorithm>

namespace {
// Undo steps kept: enough for a working session, bounded so that a huge plan
// whose steps hold snapshots cannot exhaust memory.
constexpr int kUndoLimit = 200;
}  // namespace

TLabelDocument::TLabelDocument(QObject* parent) : QObject(parent), FBindingSite(Plan)
{
    Data.SetBindingSite(&FBindingSite);
    // The program shows and prints labels white, with black handles.
    Plan.ApplyMainWindowAppearance();
    FUndoStack.setUndoLimit(kUndoLimit);
    connect(&FUndoStack, &QUndoStack::indexChanged, this, [this] {
        if (!FUndoStack.isClean() || FModified)
            MarkChanged();
    });
    connect(&Plan, &TLabelPlan::CurrentObjectChanged, this, &TLabelDocument::SelectionChanged);
    NewLabel();
}

TLabelDocument::~TLabelDocument()
{
    // The undo stack clears itself as it goes: that is no change to report.
    FUndoStack.disconnect(this);
    blockSignals(true);
}

void TLabelDocument::NewLabel()
{
    Plan.NewLabel();
    Data.ResetDatasheet();
    FUndoStack.clear();
    SetFileName(QString());
    SetModified(false);
}

bool TLabelDocument::Open(const QString& path)
{
    if (!OpenLabelFile(path, Plan, Data))
        return false;
    FUndoStack.clear();
    SetFileName(path);
    SetModified(false);
    return true;
}

void TLabelDocument::Save(const QString& path)
{
    SaveLabelFile(path, Plan, Data);
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

int TLabelDocument::FillObjectsFromRow(int row, const QString& sourceName)
{
    return ::FillObjectsFromRow(Plan, Data, row, sourceName);
}

int TLabelDocument::FillFromCurrentRow()
{
    return FillObjectsFromRow(std::max(1, Data.StrGrid_Data.Row()), TDatasheet::DataGridSource);
}
