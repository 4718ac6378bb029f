// The design area driven like a user: creation tools, selection, moving,
// resizing, the editing commands, the clipboard and undo. Positions are
// checked in label units and plan text, never in painted pixels.
#include "engine/LabelDocument.h"
#include "common/DialogSupport.h"
#include "common/TestSupport.h"
#include "gui/designer/DesignArea.h"
#include "gui/designer/PlanSurface.h"
#include "gui/designer/PlanEditing.h"
#include "gui/designer/Ruler.h"
#include "common/DocTestSupport.h"
#include "document/PlanObjects.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

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
    TLabelPlan& plan = doc.Plan();
    QWidget& surface = *area.Surface();

    Designer()
    {
        area.resize(700, 500);
        area.show();
    }

    void Send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), surface.mapToGlobal(QPointF(p)), button, buttons, mods);
        QApplication::sendEvent(&surface, &e);
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
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&surface, Qt::Key(key), mods); }

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
        EXPECT_TRUE(area.ToolAction(TObjectTool::Pointer)->isChecked());
        EXPECT_TRUE(o->Focused());
        if (auto* picture = dynamic_cast<TPlanPicture*>(o))
            EXPECT_TRUE(picture->Picture.Decodes());
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
    area.ToolAction(TObjectTool::Line)->trigger();
    EXPECT_EQ(area.Tool(), TObjectTool::Line);
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

    area.StartNewObject(TObjectTool::Barcode);  // fixing: the second press is down
    Click({10, 10});
    Hover({40, 40});
    Press({40, 40});
    area.CancelNewObject();
    Release({40, 40});
    EXPECT_TRUE(Objects().isEmpty());

    // A new document while an object is being placed takes the object with it.
    Click({10, 10});
    doc.NewLabel();
    area.CancelNewObject();
    EXPECT_EQ(area.NewObject(), nullptr);
    area.StartNewObject(TObjectTool::Text);

    // The second press fixes the corner; a move before its release finishes.
    Click({10, 10});
    Hover({30, 30});
    Press({30, 30});
    Hover({90, 90});
    EXPECT_EQ(area.Tool(), TObjectTool::Pointer);
    EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{10, 10, 30, 30}));
    EXPECT_EQ(doc.UndoStack().count(), 1);
}

// Clicks and the rubber band choose objects; the band reaches every layer
// but skips locked objects; Shift+click adds and removes.
TEST_F(Designer, SelectionByClickBandAndShift)
{
    plan.Layers().AddLayer("Top");
    TLabelObject* a = AddBox(10, 10, 40, 40);
    TLabelObject* b = AddBox(60, 10, 90, 40);
    TLabelObject* other = AddBox(10, 60, 40, 90, 1);
    TLabelObject* locked = AddBox(60, 60, 90, 90, 0, true);

    Hover({5, 5});
    Press({5, 5});
    DragTo({50, 50});
    DragTo({100, 100});
    Release({100, 100});
    EXPECT_TRUE(a->Selected() && b->Selected() && other->Selected());
    EXPECT_FALSE(locked->Selected());
    EXPECT_EQ(plan.CurrentObject(), nullptr);

    Click({25, 25});  // on a selected object: the selection stays
    EXPECT_TRUE(b->Selected());
    EXPECT_EQ(plan.CurrentObject(), a);
    Click({150, 120});  // empty space clears everything
    EXPECT_FALSE(a->Selected() || b->Selected() || other->Selected());
    EXPECT_EQ(plan.CurrentObject(), nullptr);

    Click({25, 25});
    Click({75, 25}, Qt::ShiftModifier);
    EXPECT_TRUE(a->Selected() && b->Selected());
    Click({75, 25}, Qt::ShiftModifier);
    EXPECT_TRUE(a->Selected());
    EXPECT_FALSE(b->Selected());

    Click({75, 75});  // a locked object is shown but never focused
    EXPECT_FALSE(locked->Focused());
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(a->Selected() && b->Selected());
    EXPECT_FALSE(locked->Selected());
}

// Dragging a selected object moves every selected unlocked object by the
// same label units, in one undo step; at a zoom other than 100 % an axis
// that did not move keeps its exact value.
TEST_F(Designer, MoveSeveralObjectsInOneStep)
{
    TLabelObject* a = AddBox(10, 11, 40, 41);
    TLabelObject* b = AddBox(60, 13, 90, 43);
    TLabelObject* locked = AddBox(100, 100, 120, 120, 0, true);
    locked->SetSelected(true);
    a->SetSelected(true);
    b->SetSelected(true);
    area.ZoomIn();  // 130 %
    const QStringList before = PlanText();
    const QPoint onA(plan.PlanToPixelX(20), plan.PlanToPixelY(20));
    Drag(onA, onA + QPoint(26, 0));  // 26 pixels = 20 points
    EXPECT_EQ(CornersOf(a), (Corners{30, 11, 60, 41}));
    EXPECT_EQ(CornersOf(b), (Corners{80, 13, 110, 43}));
    EXPECT_EQ(CornersOf(locked), (Corners{100, 100, 120, 120}));
    EXPECT_EQ(doc.UndoStack().count(), 1);
    doc.UndoStack().undo();
    EXPECT_EQ(PlanText(), before);

    // A plain click records nothing; arrow keys move by one, with Shift by ten.
    Click(onA);
    EXPECT_EQ(doc.UndoStack().index(), 0);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{11, 21, 41, 51}));
    EXPECT_EQ(doc.UndoStack().index(), 2);
}

// A drop keeps the user's place while part of the object stays on the label,
// else the object stops with kReachablePart on it; what a file put off the
// label comes back with Select All and an arrow key.
TEST_F(Designer, ObjectsStayReachable)
{
    AddBox(20, 20, 40, 40);  // the label is 180 x 130, shown at actual size
    const struct {
        QPoint to;  // where the box's centre is dropped
        Corners expected;
    } drops[] = {
        {{-100, 30}, {-10, 20, 10, 40}},   {{400, 30}, {170, 20, 190, 40}}, {{30, -90}, {20, -10, 40, 10}},
        {{30, 300}, {20, 120, 40, 140}},   {{175, 125}, {165, 115, 185, 135}},  // partly off: as dropped
        {{-300, -300}, {-10, -10, 10, 10}},
    };
    for (const auto& d : drops) {
        Drag({30, 30}, d.to);
        EXPECT_EQ(CornersOf(Objects().at(0)), d.expected) << d.to.x() << "," << d.to.y();
        EXPECT_EQ(doc.UndoStack().count(), 1);
        doc.UndoStack().undo();
        doc.UndoStack().clear();
    }

    TLabelObject* far = AddBox(2000000000, 500, 2000000020, 520);
    area.SelectAll();
    EXPECT_EQ(plan.CurrentObject(), far);
    EXPECT_TRUE(Objects().at(0)->Selected());
    Key(Qt::Key_Right);
    EXPECT_EQ(CornersOf(far), (Corners{170, 120, 190, 140}));
    EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{21, 20, 41, 40}));
}

// Every handle resizes its edges; edges may cross their opposite ones.
TEST_F(Designer, ResizeByEachHandle)
{
    struct Case {
        QPoint grab, to;
        Corners expect;
    } cases[] = {
        {{40, 60}, {30, 60}, {30, 40, 100, 80}},    // 1 left edge
        {{40, 40}, {35, 30}, {35, 30, 100, 80}},    // 2 top-left
        {{70, 40}, {70, 20}, {40, 20, 100, 80}},    // 3 top edge
        {{100, 40}, {110, 30}, {40, 30, 110, 80}},  // 4 top-right
        {{100, 60}, {20, 60}, {40, 40, 20, 80}},    // 5 right edge across the left one
        {{100, 80}, {120, 90}, {40, 40, 120, 90}},  // 6 bottom-right
        {{70, 80}, {70, 10}, {40, 40, 100, 10}},    // 7 bottom edge across the top one
        {{40, 80}, {30, 95}, {30, 40, 100, 95}},    // 8 bottom-left
    };
    for (const Case& c : cases) {
        TLabelObject* box = AddBox(40, 40, 100, 80);
        Drag(c.grab, c.to);
        EXPECT_EQ(CornersOf(box), c.expect) << c.grab.x() << "," << c.grab.y();
        doc.UndoStack().undo();
        EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{40, 40, 100, 80}));
        plan.ClearPlan();
    }
}

// The hit test: handle zones before the body, the top object first, only the
// active layer, nothing on a hidden one; the cursor shows the handle.
TEST_F(Designer, HitTestZonesCursorsAndLayers)
{
    AddBox(40, 40, 100, 80);
    struct Case {
        QPoint at;
        Qt::CursorShape cursor;
    } cases[] = {
        {{40, 40}, Qt::SizeFDiagCursor}, {{100, 40}, Qt::SizeBDiagCursor}, {{100, 80}, Qt::SizeFDiagCursor},
        {{40, 80}, Qt::SizeBDiagCursor}, {{70, 42}, Qt::SizeVerCursor},    {{102, 60}, Qt::SizeHorCursor},
        {{70, 78}, Qt::SizeVerCursor},   {{38, 60}, Qt::SizeHorCursor},    {{70, 60}, Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        Hover(c.at);
        EXPECT_EQ(surface.cursor().shape(), c.cursor) << c.at.x() << "," << c.at.y();
    }
    // The corner zone of an unselected object resizes it straight away.
    Drag({40, 40}, {20, 20});
    EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{20, 20, 100, 80}));

    // Outside the rounded corner of the label nothing is hit.
    TLabelObject* corner = AddBox(0, 0, 20, 20);
    Click({0, 0});
    EXPECT_NE(plan.CurrentObject(), corner);
    Click({2, 10});
    EXPECT_EQ(plan.CurrentObject(), corner);
    corner->Release();

    TLabelObject* upper = AddBox(60, 50, 120, 70);
    QSignalSpy doubleClicked(&area, &TDesignArea::ObjectDoubleClicked);
    QSignalSpy clicked(&area, &TDesignArea::ObjectClicked);
    Click({80, 60});
    Send(QEvent::MouseButtonDblClick, {80, 60}, Qt::LeftButton, Qt::LeftButton);
    Release({80, 60});
    EXPECT_EQ(plan.CurrentObject(), upper);
    ASSERT_EQ(doubleClicked.count(), 1);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(2).toPoint(), surface.mapToGlobal(QPoint(80, 60)));

    const int top = plan.Layers().AddLayer("Top");
    AddBox(0, 0, 170, 120, top);  // not on the active layer: never hit
    Click({30, 60});
    EXPECT_EQ(plan.CurrentObject(), Objects().at(0));
    plan.Layers().Item(0)->SetVisible(false);
    Click({30, 60});
    EXPECT_EQ(plan.CurrentObject(), nullptr);
    plan.Layers().Item(0)->SetVisible(true);

    // A locked active layer reports clicks but never moves anything.
    plan.Layers().Item(0)->SetLocked(true);
    const QStringList before = PlanText();
    Drag({30, 60}, {90, 100});
    EXPECT_EQ(PlanText(), before);
}

// Alignments work in label units at any zoom; an object whose corners are
// reversed aligns by its true edges; the centres meet in the middle of the
// selection's extent.
TEST_F(Designer, AlignmentsAtZoom)
{
    struct Case {
        void (TDesignArea::*command)();
        Corners a, b;
    } cases[] = {
        {&TDesignArea::AlignLeft, {10, 10, 40, 30}, {70, 50, 10, 60}},
        {&TDesignArea::AlignRight, {70, 10, 100, 30}, {100, 50, 40, 60}},
        {&TDesignArea::AlignTop, {10, 10, 40, 30}, {100, 10, 40, 20}},
        {&TDesignArea::AlignBottom, {10, 40, 40, 60}, {100, 50, 40, 60}},
        {&TDesignArea::AlignVertCenter, {40, 10, 70, 30}, {85, 50, 25, 60}},   // extent 10..100, middle 55
        {&TDesignArea::AlignHorzCenter, {10, 25, 40, 45}, {100, 30, 40, 40}},  // extent 10..60, middle 35
    };
    area.ZoomIn();
    area.ZoomIn();
    for (const Case& c : cases) {
        TLabelObject* a = AddBox(10, 10, 40, 30);
        TLabelObject* b = AddBox(100, 50, 40, 60);  // reversed: left edge 40
        a->SetSelected(true);
        b->SetSelected(true);
        (area.*c.command)();
        EXPECT_EQ(CornersOf(a), c.a);
        EXPECT_EQ(CornersOf(b), c.b);
        plan.ClearPlan();
    }
    // One selected object stays where it is.
    TLabelObject* alone = AddBox(10, 10, 40, 30);
    alone->SetSelected(true);
    area.AlignRight();
    EXPECT_EQ(CornersOf(alone), (Corners{10, 10, 40, 30}));
}

// Stacking moves within the layer; at the ends nothing changes and no step
// is recorded.
TEST_F(Designer, StackingOrder)
{
    TLabelObject* o[] = {AddBox(0, 0, 10, 10), AddBox(0, 0, 20, 20), AddBox(0, 0, 30, 30)};
    struct Case {
        int current;
        void (TDesignArea::*command)();
        int order[3];
    } cases[] = {
        {0, &TDesignArea::SendBackward, {0, 1, 2}},  // already at the bottom
        {2, &TDesignArea::BringForward, {0, 1, 2}},  // already on top
        {0, &TDesignArea::BringForward, {1, 0, 2}}, {0, &TDesignArea::BringToFront, {1, 2, 0}},
        {0, &TDesignArea::SendToBack, {0, 1, 2}},   {2, &TDesignArea::SendBackward, {0, 2, 1}},
    };
    for (const Case& c : cases) {
        const int steps = doc.UndoStack().index();
        const QList<TLabelObject*> before = Objects();
        plan.SetCurrentObject(o[c.current]);
        (area.*c.command)();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Objects().at(i), o[c.order[i]]) << c.current << " " << i;
        EXPECT_EQ(doc.UndoStack().index() != steps, Objects() != before);
    }
    EXPECT_EQ(doc.UndoStack().index(), 4);
}

// Delete takes the selection and the current object; Lock leaves no current
// object and Unlock All brings the objects back to the mouse.
TEST_F(Designer, DeleteAndLockRules)
{
    TLabelObject* a = AddBox(10, 10, 40, 40);
    TLabelObject* b = AddBox(60, 10, 90, 40);
    TLabelObject* c = AddBox(10, 60, 40, 90);
    Click({25, 25});  // current, not selected
    area.DeleteSelected();
    EXPECT_EQ(Objects(), (QList<TLabelObject*>{b, c}));
    b->SetSelected(true);
    Click({25, 75}, Qt::ShiftModifier);  // c joins the selection
    area.DeleteSelected();
    EXPECT_TRUE(Objects().isEmpty());
    doc.UndoStack().undo();
    ASSERT_EQ(Objects().size(), 2);

    Click({25, 75});
    area.LockSelected();
    EXPECT_EQ(plan.CurrentObject(), nullptr);
    EXPECT_TRUE(Objects().at(1)->ReadOnly);
    const QStringList locked = PlanText();
    Drag({25, 75}, {100, 100});
    EXPECT_EQ(PlanText(), locked);
    area.UnlockAll();
    EXPECT_FALSE(Objects().at(1)->ReadOnly);
    Drag({25, 75}, {35, 85});
    EXPECT_EQ(CornersOf(Objects().at(1)), (Corners{20, 70, 50, 100}));
    (void)a;
}

// Copy and paste through the system clipboard: the marker line and plan
// text; pasted objects are selected and 8 view pixels further on.
TEST_F(Designer, CopyCutPasteRoundTrip)
{
    QSignalSpy available(&area, &TDesignArea::PasteAvailableChanged);
    QGuiApplication::clipboard()->setText("plain words");
    QApplication::processEvents();
    EXPECT_FALSE(area.CanPaste());

    TLabelObject* a = AddBox(10, 10, 40, 40);
    a->Name = "First";
    Click({25, 25});
    area.Copy();
    QApplication::processEvents();
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith("Barcode Label Object Data\r\nObject Rectangle\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\r\n  Name=First\r\n"));
    EXPECT_TRUE(text.endsWith("End\r\n"));
    EXPECT_TRUE(area.CanPaste());
    EXPECT_FALSE(available.isEmpty());

    area.Paste();
    area.Paste();
    ASSERT_EQ(Objects().size(), 3);
    for (TLabelObject* o : {Objects().at(1), Objects().at(2)}) {
        EXPECT_EQ(CornersOf(o), (Corners{18, 18, 48, 48}));
        EXPECT_EQ(o->Name, "First");
    }
    EXPECT_FALSE(a->Focused());
    EXPECT_EQ(SelectedObjects(plan), QList<TLabelObject*>{Objects().at(2)});

    // At 130 % the offset is 8 pixels, about 6 points.
    area.ZoomIn();
    plan.SetCurrentObject(nullptr);
    area.Paste();
    EXPECT_EQ(CornersOf(Objects().at(3)), (Corners{16, 16, 46, 46}));

    area.Cut();  // the last pasted is selected
    EXPECT_EQ(Objects().size(), 3);
    doc.UndoStack().undo();
    EXPECT_EQ(Objects().size(), 4);

    // Ordinary text clears the selection and adds nothing.
    QGuiApplication::clipboard()->setText("plain words");
    area.Paste();
    EXPECT_EQ(Objects().size(), 4);
    EXPECT_TRUE(SelectedObjects(plan).isEmpty());
}

// Text typed by hand: any letter case, indentation, a composite keeping its
// children, and an unknown type that stops the paste after what came before.
TEST_F(Designer, PasteHandTypedText)
{
    testsupport::ScopedDialogs dialogs;
    QGuiApplication::clipboard()->setText(
        " Barcode Label Object Data \n"
        "OBJECT rectangle\n  X1=0\n  Y1=0\n  X2=20\n  Y2=10\nend\n"
        "object Composite\n  X1=50\n  Y1=50\n  X2=90\n  Y2=90\n"
        "  Object Ellipse\n    X1=60\n    Y1=60\n    X2=70\n    Y2=70\n  End\n"
        "End\n"
        "Object Hexagon\n  X1=1\nEnd\n"
        "Object Line\n  X1=1\nEnd\n");
    area.Paste();
    ASSERT_EQ(Objects().size(), 3);
    EXPECT_EQ(Objects().at(0)->GetTypeName(), "Rectangle");
    EXPECT_EQ(CornersOf(Objects().at(0)), (Corners{8, 8, 28, 18}));
    TLabelObject* composite = Objects().at(1);
    EXPECT_EQ(composite->GetTypeName(), "Composite");
    ASSERT_EQ(composite->ChildCount(), 1);
    EXPECT_EQ(CornersOf(composite), (Corners{58, 58, 98, 98}));
    EXPECT_EQ(CornersOf(composite->Child(0)), (Corners{68, 68, 78, 78}));
    EXPECT_TRUE(composite->Selected());
    ASSERT_EQ(dialogs.dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.dialogs.messages.at(0).text, "Invalid object: Hexagon");
    // What pasted is one undo step.
    doc.UndoStack().undo();
    EXPECT_TRUE(Objects().isEmpty());
}

// Every kind of change is one step that undoes to byte-identical plan text
// and redoes to the changed text.
TEST_F(Designer, UndoRedoEveryKindOfChange)
{
    TLabelObject* a = AddBox(10, 10, 40, 40);
    AddBox(60, 10, 90, 40);
    plan.Layers().AddLayer("Second");
    a->Name = "A";
    struct Change {
        const char* name;
        std::function<void()> change;
        std::function<void()> setup;
    };
    const Change changes[] = {
        {"create",
         [&] {
             Create(TObjectTool::Ellipse, {100, 60}, {140, 100});
         }},
        {"move",
         [&] {
             Drag({25, 25}, {35, 45});
         }},
        {"resize",
         [&] {
             Drag({40, 40}, {60, 70});
         }},
        {"align",
         [&] {
             area.SelectAll();
             area.AlignLeft();
         }},
        {"stack",
         [&] {
             Click({25, 25});
             area.BringToFront();
         }},
        {"lock",
         [&] {
             Click({25, 25});
             area.LockSelected();
         }},
        {"unlock", [&] { area.UnlockAll(); },
         [&] {
             Click({25, 25});
             area.LockSelected();
         }},
        {"delete",
         [&] {
             Click({75, 25});
             area.DeleteSelected();
         }},
        {"cut",
         [&] {
             Click({75, 25});
             area.Cut();
         }},
        {"paste",
         [&] {
             Click({75, 25});
             area.Copy();
             area.Paste();
         }},
        {"keys",
         [&] {
             Click({75, 25});
             Key(Qt::Key_Left, Qt::ShiftModifier);
         }},
    };
    for (const auto& [name, change, setup] : changes) {
        if (setup)
            setup();
        doc.UndoStack().clear();
        const QStringList before = PlanText();
        change();
        const QStringList after = PlanText();
        ASSERT_NE(after, before) << name;
        ASSERT_EQ(doc.UndoStack().count(), 1) << name;
        doc.UndoStack().undo();
        EXPECT_EQ(PlanText(), before) << name;
        doc.UndoStack().redo();
        EXPECT_EQ(PlanText(), after) << name;
        doc.UndoStack().undo();
    }
}

// Opening a file replaces the design: the surface shows the new one and
// forgets the object under the mouse, which went with the former design.
TEST_F(Designer, OpeningReplacesTheDesignAndForgetsTheObjectUnderTheMouse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("other.blf");
    doc.Save(path);
    AddBox(10, 10, 100, 80);
    QSignalSpy hover(&area, &TDesignArea::HoverChanged);
    Hover(QPoint(50, 40));
    ASSERT_FALSE(hover.isEmpty());
    ASSERT_NE(hover.last().at(0).value<TLabelObject*>(), nullptr);
    ASSERT_TRUE(doc.Open(path));
    EXPECT_EQ(hover.last().at(0).value<TLabelObject*>(), nullptr);
    EXPECT_EQ(surface.size(), doc.Plan().ViewSize());
    Hover(QPoint(60, 45));  // nothing of the former design is touched
    Hover(QPoint(5, 5));
}

// The surface is centred while smaller than the scroll box and starts at its
// origin when larger; the rulers read 0 at the label's corner in both cases.
TEST_F(Designer, PlacementAndRulers)
{
    QScrollArea* box = area.ScrollBox();
    EXPECT_EQ(surface.accessibleName(), "Label design surface");
    EXPECT_EQ(area.HorizontalRuler()->accessibleName(), "Horizontal ruler");
    EXPECT_EQ(area.VerticalRuler()->accessibleName(), "Vertical ruler");
    for (int zooms = 0; zooms < 6; ++zooms) {
        const QPoint origin = surface.mapTo(box->viewport(), QPoint(0, 0));
        const QSize view = box->viewport()->size();
        // The surface has the document's view size, clipped to the rounded label.
        EXPECT_EQ(surface.size(), plan.ViewSize());
        EXPECT_FALSE(surface.mask().contains(QPoint(0, 0)));
        EXPECT_TRUE(surface.mask().contains(QPoint(plan.ViewWidth() / 2, plan.ViewHeight() / 2)));
        if (plan.ViewWidth() < view.width())
            EXPECT_EQ(origin.x(), (view.width() - plan.ViewWidth()) / 2);
        else
            EXPECT_EQ(origin.x(), -box->horizontalScrollBar()->value());
        EXPECT_NEAR(area.HorizontalRuler()->ValueAt(origin.x()), 0, 1e-9);
        EXPECT_NEAR(area.VerticalRuler()->ValueAt(origin.y()), 0, 1e-9);
        // One centimetre of label is one ruler unit.
        EXPECT_NEAR(area.HorizontalRuler()->UnitSize(), plan.PixelsPerPointX() * 28.346, 1e-9);
        area.ZoomIn();
    }
    // Hairlines and the status position follow the mouse over the label.
    QSignalSpy position(&area, &TDesignArea::MousePositionChanged);
    area.ActualSize();
    Hover({30, 20});
    const QPoint corner = surface.mapTo(box->viewport(), QPoint(0, 0));
    EXPECT_EQ(area.HorizontalRuler()->Hairline(), corner.x() + 30);
    EXPECT_EQ(area.VerticalRuler()->Hairline(), corner.y() + 20);
    ASSERT_EQ(position.count(), 1);
    EXPECT_EQ(position.at(0).at(0).toPointF(), QPointF(30, 20));
    // Over the grey area around the label as well.
    QWidget* canvas = box->widget();
    const QPoint grey = surface.mapTo(canvas, QPoint(-10, -5));
    QMouseEvent move(QEvent::MouseMove, QPointF(grey), canvas->mapToGlobal(QPointF(grey)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    EXPECT_EQ(area.HorizontalRuler()->Hairline(), corner.x() - 10);
    ASSERT_EQ(position.count(), 2);
    EXPECT_EQ(position.at(1).at(0).toPointF(), QPointF(-10, -5));
    area.ZoomIn();
    box->horizontalScrollBar()->setValue(50);
    const QPoint origin = surface.mapTo(box->viewport(), QPoint(0, 0));
    EXPECT_NEAR(area.HorizontalRuler()->ValueAt(origin.x()), 0, 1e-9);
    QSignalSpy zoom(&area, &TDesignArea::ZoomChanged);
    QWheelEvent wheel(QPointF(5, 5), surface.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&surface, &wheel);
    ASSERT_EQ(zoom.count(), 1);
    EXPECT_EQ(zoom.at(0).at(0).toInt(), 100);
    area.SetUnits(1);
    EXPECT_NEAR(area.VerticalRuler()->UnitSize(), plan.PixelsPerPointY() * 72, 1e-9);
    area.ActualSize();
    EXPECT_EQ(area.ZoomPercent(), 100);
}

// Undo steps of a large plan keep little more than the lines they change.
TEST_F(Designer, UndoStepsShareUnchangedLines)
{
    for (int i = 0; i < 300; ++i)
        AddBox(100 + i % 50, 60 + i % 40, 110 + i % 50, 70 + i % 40);
    AddBox(10, 10, 40, 40);
    AddBox(10, 50, 40, 80);
    Drag({25, 25}, {30, 30});
    Drag({25, 65}, {30, 70});
    ASSERT_EQ(doc.UndoStack().count(), 2);
    const QStringList& first = static_cast<const TPlanTextCommand*>(doc.UndoStack().command(0))->After();
    const QStringList& second = static_cast<const TPlanTextCommand*>(doc.UndoStack().command(1))->After();
    ASSERT_EQ(first.size(), second.size());
    int own = 0;
    for (qsizetype i = 0; i < first.size(); ++i)
        own += first.at(i).constData() != second.at(i).constData();
    EXPECT_LE(own, 4);  // the moved object's corners
}
