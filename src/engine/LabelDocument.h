// The open label as the program holds it: the design and its datasheet,
// bound together, with its file name, its modified flag and its undo stack.
// The main window owns one; tagmora-cli makes its own. Windows listen to its
// signals instead of asking each other what changed.
#pragma once

#include "engine/datasheet/Datasheet.h"
#include "document/LabelObject.h"
#include "document/LabelPlan.h"
#include "engine/printing/DataBinding.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <memory>

class TLabelDocument : public QObject {
    Q_OBJECT
public:
    // Starts as a new label (the document and datasheet a New command gives),
    // with the main window's appearance (a white label), untitled and
    // unmodified.
    explicit TLabelDocument(QObject* parent = nullptr);
    ~TLabelDocument() override;
    TLabelDocument(const TLabelDocument&) = delete;
    TLabelDocument& operator=(const TLabelDocument&) = delete;

    // The design. Opening a file replaces it by a new one (PlanReplaced):
    // hold it only as long as a call, or follow the signal.
    TLabelPlan& Plan() const { return *FPlan; }
    TDatasheet Data;

    // The name shown for a document that has no file yet.
    static QString UntitledName() { return QStringLiteral("Untitled"); }

    // The New command's reset of both the design and the datasheet: no file
    // name, not modified, nothing to undo.
    void NewLabel();
    // Opens a label file (design, datasheet, print grid, printer settings):
    // it is read into a new design and datasheet that replace the open ones
    // only when the whole file was read. Returns false, changing nothing, when
    // no file exists at path; throws on a broken file, changing nothing. On
    // success the document takes the file's name, is unmodified and has
    // nothing to undo.
    bool Open(const QString& path);
    // Saves design and datasheet; the previous file survives a failed save,
    // which throws and leaves name and modified flag as they were. On success
    // the document takes the name and is unmodified.
    void Save(const QString& path);

    // CurrentFileName: the file's path, or "Untitled" when it has none.
    QString CurrentFileName() const { return FHasFileName ? FFileName : UntitledName(); }
    bool HasFileName() const { return FHasFileName; }
    void SetFileName(const QString& path);  // empty: no file name

    bool Modified() const { return FModified; }
    void SetModified(bool modified);
    // Every change to the design or the datasheet ends here: marks the
    // document modified and emits Changed.
    void MarkChanged();

    // Every change a user makes to the design goes through this stack; a
    // pushed, undone or redone step marks the document changed.
    QUndoStack& UndoStack() { return FUndoStack; }

    // Data binding from a row of "DataGrid" or "PrintGrid" (refused when a
    // bound barcode rejected its value).
    TDone FillObjectsFromRow(int row, const QString& sourceName);
    // Shows the datasheet's current row (at least row 1) on the design.
    TDone FillFromCurrentRow();

Q_SIGNALS:
    // The design or the datasheet changed (once per change).
    void Changed();
    void ModifiedChanged(bool modified);
    void FileNameChanged(const QString& currentFileName);
    // The design surface's current object changed (null for none).
    void SelectionChanged(TLabelObject* current);
    // Open put a new design in place of the former one, which is deleted
    // after this signal (its current object was cleared before).
    void PlanReplaced(TLabelPlan& plan);

private:
    // Makes plan the document's design: binding, appearance, signals.
    void Adopt(std::unique_ptr<TLabelPlan> plan);

    std::unique_ptr<TLabelPlan> FPlan;
    std::unique_ptr<TPlanBindingSite> FBindingSite;
    QUndoStack FUndoStack;
    QString FFileName;
    bool FHasFileName = false;
    bool FModified = false;
};
