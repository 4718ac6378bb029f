// The design area driven like a user: creation tools, selection, moving,
// resizing, the editing commands, the clipboard and undo. Positions are
// checked in label units and plan text, never in painted pixels.
#include "app/LabelDocument.h"
#include "common/TestSupport.h"
#include "designer/DesignArea.h"
#include "designer/PlanEditing.h"
#include "designer/Ruler.h"
#include "document/DocTestSupport.h"
#include "document/PlanObjects.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Corners {
    int x1, y1, x2, y2;
    bool operator==(const Corners& o) const { return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2; }
};
void PrintTo(const Corners& c, std::ostream* os)
{
    *os << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2 << ")";
}
Corners CornersOf(const TLabelObject* o)
{
    return {o->X1, o->Y1, o->X2, o->Y2};
}

class Designer : public ::testing::Test {
protected:
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    TLabelDocument doc;
    TDesignArea area{doc};
    TLabelPlan& plan = doc.Plan;

    Designer()
    {
        area.resize(700, 500);
        area.show();
    }

    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), plan.mapToGlobal(QPointF(p)), button, buttons, mods);
        QApplication::sendEvent(&plan, &e);
    }
    void Press(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, mods);
    }
    void Release(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, mods);
    }
    void Click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Press(p, mods);
        Release(p, mods);
    }
    void Hover(QPoint p) { Send(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    void DragTo(QPoint p) { Send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void Drag(QPoint from, QPoint to)
    {
        Hover(from);
        Press(from);
        DragTo((from + to) / 2);
        DragTo(to);
        Release(to);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&plan, Qt::Key(key), mods); }

    // Creates an object with the tool by two clicks at a and b (view pixels).
    TLabelObject* Create(TObjectTool tool, QPoint a, QPoint b)
    {
        area.StartNewObject(tool);
        Click(a);
        Hover(b);
        Press(b);
        Release(b);
        return plan.CurrentObject();
    }
    // A rectangle read from plan text, in label units.
    TLabelObject* AddBox(int x1, int y1, int x2, int y2, int layer = 0, bool locked = false)
    {
        auto* box = new TPlanBox(&plan);
        box->Properties.Lines =
            QStringList{QString("X1=%1").arg(x1), QString("Y1=%1").arg(y1),       QString("X2=%1").arg(x2),
                        QString("Y2=%1").arg(y2), QString("Layer=%1").arg(layer), QString("ReadOnly=%1").arg(locked)};
        box->LoadProperties();
        return box;
    }
    QList<TLabelObject*> Objects(int layer = 0) const { return plan.Layers().Item(layer)->Objects(); }
    QStringList PlanText() { return plan.PlanStrings(); }
};

}  // namespace

// Two clicks create each kind; the tool returns to the pointer, the object is
// current, the document is modified and one undo step takes it away again.
TEST_F(Designer, TwoClickCreationOfEachKind)
{
    const TObjectTool tools[] = {TObjectTool::Text, TObjectTool::Barcode,   TObjectTool::Picture,
                                 TObjectTool::Line, TObjectTool::Rectangle, TObjectTool::Ellipse};
    const char* types[] = {"Text", "Barcode", "Picture", "Line", "Rectangle", "Ellipse"};
    QSignalSpy tools_(&area, &TDesignArea::ToolChanged);
    for (int i = 0; i < 6; ++i) {
        doc.SetModified(false);
        const QStringList before = PlanText();
        TLabelObject* o = Create(tools[i], QPoint(10, 20), QPoint(70, 50));
        ASSERT_TRUE(o) << types[i];
        EXPECT_EQ(o->GetTypeName(), QString(types[i]));
        EXPECT_EQ(area.Tool(), TObjectTool::Pointer);
        EXPECT_TRUE(o->Focused());
        if (tools[i] == TObjectTool::Barcode)  // 20 mm high, its top stays
            EXPECT_EQ(CornersOf(o), (Corners{10, 20, 70, 20 + 57}));
        else
            EXPECT_EQ(CornersOf(o), (Corners{10, 20, 70, 50})) << types[i];
        EXPECT_TRUE(doc.Modified()) << types[i];
        EXPECT_EQ(Objects().size(), 1);
        doc.UndoStack().undo();
        EXPECT_EQ(PlanText(), before) << types[i];
        EXPECT_TRUE(Objects().isEmpty());
    }
    EXPECT_EQ(static_cast<TPlanText*>(Create(TObjectTool::Text, {5, 5}, {50, 30}))->DataValue, "Sample Text");
    EXPECT_GE(tools_.count(), 12);
}

// Cancelling leaves nothing behind, in each state of the tool.
TEST_F(Designer, CancelInEachToolState)
{
    area.StartNewObject(TObjectTool::Rectangle);  // prepared
    area.CancelNewObject();
    EXPECT_EQ(area.Tool(), TObjectTool::Pointer);
    Click({10, 10});
    EXPECT_TRUE(Objects().isEmpty());

    area.StartNewObject(TObjectTool::Ellipse);  // placing
    Click({10, 10});
    Hover({40, 40});
    EXPECT_EQ(Objects().size(), 1);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Objects().isEmpty());
    EXPECT_EQ(area.Tool(), TObjectTool::Pointer);
    EXPECT_EQ(plan.CurrentObject(), nullptr);

    area.StartNewObject(TObjectTool::Line);  // another tool replaces the half-placed object
    Click({10, 10});
    area.StartNewObject(TObjectTool::Text);
    EXPECT_TRUE(Objects().isEmpty());
    EXPECT_EQ(doc.UndoStack().count(), 0);

    // The second press fixes the corner; a move before its release finishes.
    Click({10, 10});
    Hover({30, 30});
    Press({30, 30});
    Hover({90, 90});
    EXPECT_EQ(area.Tool(), TObjectTool::Pointer);
    EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{10, 10, 30, 30}));
    EXPECT_EQ(doc.UndoStack().count(), 1);
}
