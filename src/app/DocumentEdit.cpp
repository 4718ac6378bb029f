#include "app/DocumentEdit.h"

#include "app/LabelDocument.h"
#include "document/MGraph.h"

#include <algorithm>

TDocumentEdit::TDocumentEdit(TLabelDocument& document, const QString& text)
    : FDocument(document), FText(text), FBefore(document.Plan.PlanStrings())
{
}

bool TDocumentEdit::Commit()
{
    if (FDone)
        return false;
    FDone = true;
    QStringList after = FDocument.Plan.PlanStrings();
    if (after == FBefore)
        return false;
    FDocument.UndoStack().push(new TPlanTextCommand(FDocument, FText, std::move(FBefore), std::move(after)));
    return true;
}

TPlanTextCommand::TPlanTextCommand(TLabelDocument& document, const QString& text, QStringList before, QStringList after)
    : QUndoCommand(text), FDocument(document), FBefore(std::move(before)), FAfter(std::move(after))
{
}

void TPlanTextCommand::undo()
{
    Restore(FBefore);
}

void TPlanTextCommand::redo()
{
    if (FFirstRedo) {
        FFirstRedo = false;
        return;
    }
    Restore(FAfter);
}

void TPlanTextCommand::Restore(const QStringList& lines)
{
    TLabelPlan& plan = FDocument.Plan;
    // The zoom stays; a step that changed the label size changes the view's.
    const QSize view = plan.size();
    const double zoomX = plan.ScaleX > 0 ? double(view.width()) / plan.ScaleX : 0;
    const double zoomY = plan.ScaleY > 0 ? double(view.height()) / plan.ScaleY : 0;
    plan.SetPlanStrings(lines);
    if (zoomX > 0 && zoomY > 0)
        plan.SetViewSize(std::max(1, Round(plan.ScaleX * zoomX)), std::max(1, Round(plan.ScaleY * zoomY)));
}
