#include "app/DocumentEdit.h"

#include "app/LabelDocument.h"

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

TPlanTextCommand::TPlanTextCommand(TLabelDocument& document, const QString& text, QStringList before,
                                   QStringList after)
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
    const QSize view = plan.size();
    plan.SetPlanStrings(lines);
    if (view.width() > 0 && view.height() > 0)
        plan.SetViewSize(view.width(), view.height());
}
