// One user change to the design as one undoable step.
//
//   TDocumentEdit edit(document, QObject::tr("Move"));
//   ... change objects or label parameters ...
//   edit.Commit();   // pushes the step; nothing is pushed when nothing changed
//
// The step remembers the plan text before and after the change and restores
// it on undo and redo: plan text round-trips exactly, so an undone document
// writes byte-identical plan text. An edit that is destroyed without Commit
// pushes nothing (the change stays, e.g. after an error). The surface's zoom
// is kept across undo and redo (a step that changed the label size changes
// the surface's pixel size with it). Lines that a step leaves alone share
// their text with the step before, so that the stack (bounded by the
// document's undo limit) holds little more than what changed.
#pragma once

#include <QStringList>
#include <QUndoCommand>

class TLabelDocument;

class TDocumentEdit {
public:
    TDocumentEdit(TLabelDocument& document, const QString& text);
    TDocumentEdit(const TDocumentEdit&) = delete;
    TDocumentEdit& operator=(const TDocumentEdit&) = delete;

    // Pushes the step when the plan text differs from before; returns whether
    // it did. A second call does nothing.
    bool Commit();

private:
    TLabelDocument& FDocument;
    QString FText;
    QStringList FBefore;
    bool FDone = false;
};

// The undo step itself: restores one of two plan texts.
class TPlanTextCommand : public QUndoCommand {
public:
    TPlanTextCommand(TLabelDocument& document, const QString& text, QStringList before, QStringList after);
    void undo() override;
    void redo() override;
    const QStringList& After() const { return FAfter; }

private:
    void Restore(const QStringList& lines);

    TLabelDocument& FDocument;
    QStringList FBefore;
    QStringList FAfter;
    bool FFirstRedo = true;  // the change is already made when the step is pushed
};
