#include "engine/DocumentEdit.h"

#include "engine/LabelDocument.h"
#include "document/MGraph.h"

#include <algorithm>

namespace {

// Makes the lines of target that equal lines of source share their text, so
// that snapshots of a large plan cost little more than the lines that differ:
// the common start, the common end and, between them, lines at the same place.
void ShareLines(QStringList& target, const QStringList& source)
{
    const qsizetype n = target.size(), m = source.size();
    qsizetype front = 0;
    for (; front < n && front < m; ++front) {
        if (target.at(front) != source.at(front))
            break;
        target[front] = source.at(front);
    }
    qsizetype back = 0;
    for (; back < n - front && back < m - front; ++back) {
        const qsizetype t = n - 1 - back, s = m - 1 - back;
        if (target.at(t) != source.at(s))
            break;
        target[t] = source.at(s);
    }
    for (qsizetype i = front; i < n - back && i < m; ++i)
        if (target.at(i) == source.at(i))
            target[i] = source.at(i);
}

}  // namespace

TDocumentEdit::TDocumentEdit(TLabelDocument& document, const QString& text)
    : FDocument(document), FText(text), FBefore(document.Plan().PlanStrings())
{
    // The previous step's result is usually this one's start.
    QUndoStack& stack = document.UndoStack();
    if (stack.index() > 0)
        if (auto* last = dynamic_cast<const TPlanTextCommand*>(stack.command(stack.index() - 1)))
            ShareLines(FBefore, last->After());
}

bool TDocumentEdit::Commit()
{
    if (FDone)
        return false;
    FDone = true;
    QStringList after = FDocument.Plan().PlanStrings();
    if (after == FBefore)
        return false;
    ShareLines(after, FBefore);
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
    TLabelPlan& plan = FDocument.Plan();
    // The zoom stays; a step that changed the label size changes the view's.
    const QSize view = plan.ViewSize();
    const double zoomX = plan.ScaleX > 0 ? double(view.width()) / plan.ScaleX : 0;
    const double zoomY = plan.ScaleY > 0 ? double(view.height()) / plan.ScaleY : 0;
    plan.SetPlanStrings(lines);
    if (zoomX > 0 && zoomY > 0)
        plan.SetViewSize(std::max(1, Round(plan.ScaleX * zoomX)), std::max(1, Round(plan.ScaleY * zoomY)));
}
