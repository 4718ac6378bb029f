#include "engine/DocumentEdit.h"
#include "engine/LabelDocument.h"
#include "document/LabelObject.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TLabelObject* FirstObject(TLabelDocument& doc)
{
    return doc.Plan().Layers().Item(0)->Count() ? doc.Plan().Layers().Item(0)->Item(0) : nullptr;
}

}  // namespace

// Each change is heard once; saving and opening set the name and clear the flag.
TEST(LabelDocument, SignalsFollowTheLifecycle)
{
    QTemporaryDir dir;
    TLabelDocument doc;
    QSignalSpy changed(&doc, &TLabelDocument::Changed);
    QSignalSpy modified(&doc, &TLabelDocument::ModifiedChanged);
    QSignalSpy named(&doc, &TLabelDocument::FileNameChanged);
    EXPECT_EQ(doc.CurrentFileName(), QString("Untitled"));
    EXPECT_FALSE(doc.Modified());

    doc.MarkChanged();
    doc.MarkChanged();
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(modified.count(), 1);
    EXPECT_TRUE(doc.Modified());

    const QString path = dir.filePath("a.blf");
    doc.Save(path);
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.HasFileName());
    ASSERT_EQ(named.count(), 1);
    EXPECT_EQ(named.at(0).at(0).toString(), path);

    doc.NewLabel();
    EXPECT_EQ(doc.CurrentFileName(), QString("Untitled"));
    EXPECT_TRUE(doc.Open(path));
    EXPECT_EQ(doc.CurrentFileName(), path);
    EXPECT_FALSE(doc.Modified());
}

// Opening reads into a new design: a file that breaks after its plan block
// leaves the open document exactly as it was; a good one replaces the design
// once, after clearing the current object.
TEST(LabelDocument, OpenSwapsInAWholeFileOnly)
{
    QTemporaryDir dir;
    TLabelDocument doc;
    doc.Plan().ScaleX = 300;
    doc.Data.StrGrid_Data.SetCell(1, 1, u"kept");
    const QString good = dir.filePath("good.blf");
    doc.Save(good);
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const QString broken = dir.filePath("broken.blf");
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() - 1));  // the datasheet block cut short
    out.close();

    TLabelDocument other;
    other.Plan().ScaleX = 111;
    other.Data.StrGrid_Data.SetCell(1, 1, u"mine");
    other.MarkChanged();
    TLabelPlan* before = &other.Plan();
    const QStringList planText = before->PlanStrings();
    QSignalSpy replaced(&other, &TLabelDocument::PlanReplaced);
    EXPECT_ANY_THROW(other.Open(broken));
    EXPECT_EQ(&other.Plan(), before);
    EXPECT_EQ(other.Plan().PlanStrings(), planText);
    EXPECT_EQ(other.Data.StrGrid_Data.Cells(1, 1), QString("mine"));
    EXPECT_TRUE(other.Modified());
    EXPECT_FALSE(other.HasFileName());
    EXPECT_EQ(replaced.count(), 0);

    other.Plan().SetCurrentObject(nullptr);
    ASSERT_TRUE(other.Open(good));
    EXPECT_EQ(replaced.count(), 1);
    EXPECT_EQ(other.Plan().ScaleX, 300);
    EXPECT_EQ(other.Data.StrGrid_Data.Cells(1, 1), QString("kept"));
    // Binding reaches the new design.
    EXPECT_TRUE(other.FillFromCurrentRow());
}

// An edit is one step: undo restores the plan text exactly and marks the
// document modified; an edit that changes nothing pushes nothing.
TEST(LabelDocument, EditsUndoToIdenticalPlanText)
{
    TLabelDocument doc;
    doc.Plan().ReadPlan(QStringList{"LabelSize 180,130", "Object Rectangle", "X1=10", "Y1=10", "X2=50", "Y2=40", "End"});
    const QStringList before = doc.Plan().PlanStrings();

    TDocumentEdit unchanged(doc, "Nothing");
    EXPECT_FALSE(unchanged.Commit());
    EXPECT_EQ(doc.UndoStack().count(), 0);

    TDocumentEdit edit(doc, "Move");
    FirstObject(doc)->SetX1(20);
    ASSERT_TRUE(edit.Commit());
    const QStringList after = doc.Plan().PlanStrings();
    ASSERT_NE(after, before);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.UndoStack().undoText(), QString("Move"));

    doc.UndoStack().undo();
    EXPECT_EQ(doc.Plan().PlanStrings(), before);
    doc.UndoStack().redo();
    EXPECT_EQ(doc.Plan().PlanStrings(), after);
    EXPECT_TRUE(doc.Modified());
}
