#include "gui/MainWindow.h"

#include "document/BusyCursor.h"
#include "gui/AboutWindow.h"
#include "engine/DocumentEdit.h"
#include "gui/HelpWindow.h"
#include "gui/MenuButtonAccessible.h"
#include "gui/OptionsDialog.h"
#include "gui/UserDialogs.h"
#include "barcode/Barcode.h"
#include "gui/datasheet/DatasheetWindow.h"
#include "gui/designer/DesignArea.h"
#include "gui/designer/Ruler.h"
#include "document/LabelFile.h"
#include "document/PlanLayer.h"
#include "gui/printing/DesktopPrint.h"
#include "gui/printing/HistoryWindow.h"
#include "gui/properties/LabelSetup.h"
#include "gui/properties/ObjectProperties.h"
#include "gui/properties/PropertiesPanel.h"
#include "gui/properties/StatusTexts.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>
#include <functional>

namespace {
const QString kFilter = QStringLiteral("Barcode Label File (*.blf);;All Files (*.*)");
constexpr int kPanelCollapsed = 25;
constexpr int kPanelExpanded = 88;

QIcon ToolIcon(const QString& name)
{
    // Desktop theme names where a standard one exists, our own drawings else.
    static const QHash<QString, QString> theme = {
        {QStringLiteral("new"), QStringLiteral("document-new")},
        {QStringLiteral("open"), QStringLiteral("document-open")},
        {QStringLiteral("save"), QStringLiteral("document-save")},
        {QStringLiteral("copy"), QStringLiteral("edit-copy")},
        {QStringLiteral("cut"), QStringLiteral("edit-cut")},
        {QStringLiteral("paste"), QStringLiteral("edit-paste")},
        {QStringLiteral("print"), QStringLiteral("document-print")},
        {QStringLiteral("preview"), QStringLiteral("document-print-preview")},
        {QStringLiteral("help"), QStringLiteral("help-contents")},
        {QStringLiteral("options"), QStringLiteral("preferences-system")},
        {QStringLiteral("delete"), QStringLiteral("edit-delete")},
        {QStringLiteral("zoom-in"), QStringLiteral("zoom-in")},
        {QStringLiteral("zoom-out"), QStringLiteral("zoom-out")},
        {QStringLiteral("zoom-original"), QStringLiteral("zoom-original")},
        {QStringLiteral("properties"), QStringLiteral("document-properties")},
    };
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(name));
    const QString themeName = theme.value(name);
    return themeName.isEmpty() ? own : QIcon::fromTheme(themeName, own);
}

bool IsEditableKind(TLabelObject* object)
{
    if (!object)
        return false;
    const QString type = object->GetTypeName();
    return type == QLatin1String("Text") || type == QLatin1String("Barcode") || type == QLatin1String("Picture");
}
}  // namespace

// ----- Construction ----------------------------------------------------------

TFM_Main::TFM_Main(QWidget* parent) : QMainWindow(parent), FDocument(std::make_unique<TLabelDocument>())
{
    InitTagmoraResources();
    InstallMenuButtonAccessibility();
    setObjectName(QStringLiteral("TFM_Main"));
    setAcceptDrops(true);
    resize(900, 640);
    SettingsStore = [] { return OpenUserSettings(); };
    ShowHelp = [this](const QString& topic) { return ShowHelpTopic(topic, this); };
    LabelSetup = [this](TLabelDocument& doc, int units) { return TLabelSetupPage::EditLabelSetup(doc, units, this); };
    EditObject = [this](TLabelObject* object) { TFM_ObjPro::EditObject(*FDocument, object, Options.Units, this); };
    Preview = [this] {
        OpenPreview(
            *FDocument, PrintSettings(), this, [this] { ReleaseTools(); }, SetupHook());
    };
    TFM_ObjPro::DatasheetEditor = [this](TLabelDocument&, QWidget*) { DatasheetsClick(); };
    Dialogs().SetParentWindow(this);

    BuildMenus();
    BuildToolBars();
    BuildCentre();
    BuildPopup();
    ConnectCommands();

    FDataWindow = new TFM_Data(FDocument->Data, this);
    FDataWindow->OnPrintCurrentRow = [this] {
        PrintCurrentRow(
            *FDocument, PrintSettings(), FDataWindow, [this] { ReleaseTools(); }, SetupHook());
    };
    FDataWindow->OnHelp = [this](const QString& topic) { ShowHelp(topic); };
    FOptions = new TFM_options(this);
    FOptions->SettingsStore = [this] { return SettingsStore ? SettingsStore() : nullptr; };

    Options.InvalidCodeProcess = 1;
    FDocument->NewLabel();
    ShowTitle();
    LoadSettings();
    RefreshCommands();
}

TFM_Main::~TFM_Main()
{
    // The document outlives the panes below only until the members go: what it
    // signals while it is taken apart (its undo stack clearing) must not reach
    // this window's handlers, which call into those panes.
    FDocument->disconnect(this);
    FDocument->UndoStack().disconnect(this);
    // The grey area's double click: nothing to watch while it is taken apart.
    SBox_Plan->viewport()->removeEventFilter(this);
    if (QWidget* canvas = SBox_Plan->widget())
        canvas->removeEventFilter(this);
    // The windows that work on the document go before it.
    delete centralWidget();
    delete FDataWindow;
    TFM_ObjPro::DatasheetEditor = nullptr;
    if (Dialogs().ParentWindow() == this)
        Dialogs().SetParentWindow(nullptr);
}

QAction* TFM_Main::MakeAction(QMenu* menu, const QString& text, const QKeySequence& key)
{
    return MakeAction(menu, text, key.isEmpty() ? QList<QKeySequence>() : QList<QKeySequence>{key});
}

QAction* TFM_Main::MakeAction(QMenu* menu, const QString& text, QKeySequence::StandardKey key)
{
    return MakeAction(menu, text, QKeySequence::keyBindings(key));
}

QAction* TFM_Main::MakeAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    if (!keys.isEmpty()) {
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (menu)
        menu->addAction(action);
    return action;
}

QAction* TFM_Main::MakeButton(QToolBar* bar, const QString& hint, const QString& icon)
{
    auto* action = new QAction(ToolIcon(icon), hint, this);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    bar->addAction(action);
    if (QWidget* button = bar->widgetForAction(action))
        button->setAccessibleName(hint);
    return action;
}

void TFM_Main::BuildMenus()
{
    QMenuBar* bar = menuBar();
    MN_File = bar->addMenu(tr("&File"));
    MI_New = MakeAction(MN_File, tr("&New"), QKeySequence::New);
    MI_Open = MakeAction(MN_File, tr("&Open..."), QKeySequence::Open);
    MN_Recent = MN_File->addMenu(tr("Recent Files"));
    MN_Recent->menuAction()->setVisible(false);
    MI_Save = MakeAction(MN_File, tr("&Save "), QKeySequence::Save);
    MI_SaveAs = MakeAction(MN_File, tr("Save &As..."));
    MN_File->addSeparator();
    MI_LabelSetup = MakeAction(MN_File, tr("Label and Printer Setup ..."));
    MI_Preview = MakeAction(MN_File, tr("Page Preview"));
    MI_Print = MakeAction(MN_File, tr("Print"), QKeySequence::Print);
    MI_PrintHistory = MakeAction(MN_File, tr("Print History..."));
    MI_PrintHistory->setObjectName(QStringLiteral("MI_PrintHistory"));
    MN_File->addSeparator();
    MI_Exit = MakeAction(MN_File, tr("E&xit"));

    MN_Edit = bar->addMenu(tr("&Edit"));
    MI_Undo = FDocument->UndoStack().createUndoAction(this, tr("&Undo"));
    MI_Undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    MI_Redo = FDocument->UndoStack().createRedoAction(this, tr("&Redo"));
    MI_Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    MN_Edit->addAction(MI_Undo);
    MN_Edit->addAction(MI_Redo);
    MN_Edit->addSeparator();
    MI_Copy = MakeAction(MN_Edit, tr("&Copy"), QKeySequence::Copy);
    MI_Cut = MakeAction(MN_Edit, tr("Cu&t"), QKeySequence::Cut);
    MI_Paste = MakeAction(MN_Edit, tr("&Paste"), QKeySequence::Paste);
    MI_SelectAll = MakeAction(MN_Edit, tr("Select All"), QKeySequence::SelectAll);
    MI_UnlockAll = MakeAction(MN_Edit, tr("Unlock All"));
    MI_Delete = MakeAction(MN_Edit, tr("Delete Selected Objects"), QKeySequence(Qt::Key_Delete));
    MN_Edit->addSeparator();
    MI_Options = MakeAction(MN_Edit, tr("Options ..."));

    MN_Object = bar->addMenu(tr("&Object"));
    MI_InsBarcode = MakeAction(MN_Object, tr("Insert Barcode"));
    MI_InsText = MakeAction(MN_Object, tr("Insert Text"));
    MI_InsLine = MakeAction(MN_Object, tr("Insert Line"));
    MI_InsRect = MakeAction(MN_Object, tr("Insert Rectangle "));
    MI_InsEllipse = MakeAction(MN_Object, tr("Insert Ellipse"));
    MI_InsPicture = MakeAction(MN_Object, tr("Insert Picture"));
    MN_Object->addSeparator();
    MI_ObjProps = MakeAction(MN_Object, tr("&Object Properties..."));

    MN_Position = bar->addMenu(tr("&Position"));
    MI_AlignLeft = MakeAction(MN_Position, tr("Align Left"));
    MI_AlignRight = MakeAction(MN_Position, tr("Align Right"));
    MI_AlignTop = MakeAction(MN_Position, tr("Align Top"));
    MI_AlignBottom = MakeAction(MN_Position, tr("Align Bottom"));
    MI_AlignHorz = MakeAction(MN_Position, tr("Align Horizontal Center"));
    MI_AlignVert = MakeAction(MN_Position, tr("Align Vertical Center"));

    MN_Arrange = bar->addMenu(tr("&Arrange"));
    MI_SendBackward = MakeAction(MN_Arrange, tr("Send to Back"));
    MI_BringForward = MakeAction(MN_Arrange, tr("Bring to Front"));
    MI_SendToBottom = MakeAction(MN_Arrange, tr("Send to Bottom"));
    MI_BringToTop = MakeAction(MN_Arrange, tr("Bring to Top"));

    MN_Data = bar->addMenu(tr("&Data"));
    MI_Datasheets = MakeAction(MN_Data, tr("Datasheets..."));

    MN_View = bar->addMenu(tr("&View"));
    MI_ViewToolbar = MakeAction(MN_View, tr("Toolbar"));
    MI_ViewRuler = MakeAction(MN_View, tr("Ruler"));
    MI_ViewStatusBar = MakeAction(MN_View, tr("State Bar"));
    MN_View->addSeparator();
    MI_ViewZoomActual = MakeAction(MN_View, tr("Actual Size"));
    MI_ViewZoomIn = MakeAction(MN_View, tr("Zoom In"));
    MI_ViewZoomOut = MakeAction(MN_View, tr("Zoom Out"));
    MN_View->addSeparator();
    MI_ViewPanel = MakeAction(MN_View, tr("Properties Panel"));
    for (QAction* toggle : {MI_ViewToolbar, MI_ViewRuler, MI_ViewStatusBar, MI_ViewPanel}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }

    MN_Help = bar->addMenu(tr("&Help"));
    MI_Help = MakeAction(MN_Help, tr("&Contents"), QKeySequence::HelpContents);
    MI_HomePage = MakeAction(MN_Help, tr("Tavix Home Page"));
    MI_SupportMail = MakeAction(MN_Help, tr("Support Mail"));
    MN_Help->addSeparator();
    MI_About = MakeAction(MN_Help, tr("&About..."));
}

void TFM_Main::BuildToolBars()
{
    TB_File = addToolBar(tr("File"));
    TB_File->setObjectName(QStringLiteral("TB_File"));
    TB_File->setMovable(false);
    SBtn_New = MakeButton(TB_File, tr("New barcode label"), QStringLiteral("new"));
    SBtn_Open = MakeButton(TB_File, tr("Open"), QStringLiteral("open"));
    SBtn_Save = MakeButton(TB_File, tr("Save"), QStringLiteral("save"));
    TB_File->addSeparator();
    SBtn_Copy = MakeButton(TB_File, tr("Copy"), QStringLiteral("copy"));
    SBtn_Cut = MakeButton(TB_File, tr("Cut"), QStringLiteral("cut"));
    SBtn_Paste = MakeButton(TB_File, tr("Paste"), QStringLiteral("paste"));
    TB_File->addSeparator();
    SBtn_Datasheets = MakeButton(TB_File, tr("Datasheets"), QStringLiteral("datasheet"));
    SBtn_Options = MakeButton(TB_File, tr("Configures Options"), QStringLiteral("options"));
    SBtn_LabelSetup = MakeButton(TB_File, tr("Label & page size"), QStringLiteral("label-setup"));
    SBtn_Preview = MakeButton(TB_File, tr("Preview"), QStringLiteral("preview"));
    SBtn_Print = MakeButton(TB_File, tr("Print"), QStringLiteral("print"));
    TB_File->addSeparator();
    SBtn_Help = MakeButton(TB_File, tr("Help"), QStringLiteral("help"));

    addToolBarBreak();
    TB_Tools = addToolBar(tr("Tools"));
    TB_Tools->setObjectName(QStringLiteral("TB_Tools"));
    TB_Tools->setMovable(false);
    ToolGroup = new QActionGroup(this);
    SBtn_Pointer = MakeButton(TB_Tools, tr("Pointer"), QStringLiteral("pointer"));
    SBtn_Barcode = MakeButton(TB_Tools, tr("Create barcode object"), QStringLiteral("barcode"));
    SBtn_Symbology = new QToolButton(TB_Tools);
    // The popup mode first: it decides how assistive tools see the button.
    SBtn_Symbology->setPopupMode(QToolButton::InstantPopup);
    SBtn_Symbology->setToolTip(tr("Create barcode object"));
    SBtn_Symbology->setAccessibleName(tr("Choose barcode type"));
    SBtn_Symbology->setArrowType(Qt::DownArrow);
    SBtn_Symbology->setFixedWidth(14);
    SBtn_Symbology->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    MN_Symbology = new QMenu(SBtn_Symbology);
    SymbologyGroup = new QActionGroup(this);
    for (const TSymbologyInfo& symbology : SymbologyTable) {
        const int i = symbology.type;
        if (i == kFirstLibrarySymbology)
            MN_Symbology->addSeparator();  // 2D and GS1 codes
        QAction* item = MN_Symbology->addAction(QString::fromLatin1(symbology.menuCaption));
        item->setCheckable(i != bcEAN128Auto);
        item->setChecked(i == bcCode39);
        if (i != bcEAN128Auto)
            SymbologyGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { ChooseSymbology(i); });
    }
    SBtn_Symbology->setMenu(MN_Symbology);
    TB_Tools->addWidget(SBtn_Symbology);
    SBtn_Text = MakeButton(TB_Tools, tr("Create text object"), QStringLiteral("text"));
    SBtn_Line = MakeButton(TB_Tools, tr("Create line object"), QStringLiteral("line"));
    SBtn_Rect = MakeButton(TB_Tools, tr("Create rectangle object"), QStringLiteral("rectangle"));
    SBtn_Ellipse = MakeButton(TB_Tools, tr("Create ellipse object"), QStringLiteral("ellipse"));
    SBtn_Picture = MakeButton(TB_Tools, tr("Create picture object"), QStringLiteral("picture"));
    for (QAction* tool : {SBtn_Pointer, SBtn_Barcode, SBtn_Text, SBtn_Line, SBtn_Rect, SBtn_Ellipse, SBtn_Picture}) {
        tool->setCheckable(true);
        ToolGroup->addAction(tool);
    }
    SBtn_Pointer->setChecked(true);
    TB_Tools->addSeparator();
    SBtn_ObjPro = MakeButton(TB_Tools, tr("More Properties..."), QStringLiteral("properties"));
    SBtn_UnlockAll = MakeButton(TB_Tools, tr("Unlock all objects"), QStringLiteral("unlock"));
    SBtn_Delete = MakeButton(TB_Tools, tr("Delete selected objects"), QStringLiteral("delete"));
    TB_Tools->addSeparator();
    SBtn_ZoomIn = MakeButton(TB_Tools, tr("Zoom in"), QStringLiteral("zoom-in"));
    SBtn_ZoomOut = MakeButton(TB_Tools, tr("Zoom out"), QStringLiteral("zoom-out"));
    SBtn_ActualSize = MakeButton(TB_Tools, tr("Actual size"), QStringLiteral("zoom-original"));

    TB_Align = new QToolBar(tr("Align"), this);
    TB_Align->setObjectName(QStringLiteral("TB_Align"));
    TB_Align->setMovable(false);
    TB_Align->setOrientation(Qt::Vertical);
    addToolBar(Qt::LeftToolBarArea, TB_Align);
    SBtn_AlignLeft = MakeButton(TB_Align, tr("Align selected object to left"), QStringLiteral("align-left"));
    SBtn_AlignRight = MakeButton(TB_Align, tr("Align selected object to right"), QStringLiteral("align-right"));
    SBtn_AlignTop = MakeButton(TB_Align, tr("Align selected object to top"), QStringLiteral("align-top"));
    SBtn_AlignBottom = MakeButton(TB_Align, tr("Align selected object to bottom"), QStringLiteral("align-bottom"));
    SBtn_AlignHorz =
        MakeButton(TB_Align, tr("Align selected object to horizontal center"), QStringLiteral("align-hcenter"));
    SBtn_AlignVert =
        MakeButton(TB_Align, tr("Align selected object to vertical center"), QStringLiteral("align-vcenter"));
    TB_Align->addSeparator();
    SBtn_BringForward = MakeButton(TB_Align, tr("Bring to front"), QStringLiteral("bring-forward"));
    SBtn_SendBackward = MakeButton(TB_Align, tr("Send to back"), QStringLiteral("send-backward"));
    SBtn_BringToTop = MakeButton(TB_Align, tr("Bring to top"), QStringLiteral("bring-top"));
    SBtn_SendToBottom = MakeButton(TB_Align, tr("Send to bottom"), QStringLiteral("send-bottom"));
}

void TFM_Main::BuildCentre()
{
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Design = new TDesignArea(*FDocument, centre);
    SBox_Plan = Design->ScrollBox();
    SBox_Plan->setAccessibleName(tr("Label design"));
    // A double-click on the grey area around the label opens a file.
    if (QWidget* canvas = SBox_Plan->widget())
        canvas->installEventFilter(this);
    SBox_Plan->viewport()->installEventFilter(this);
    layout->addWidget(Design, 1);

    PNL_ProM = new QFrame(centre);
    PNL_ProM->setObjectName(QStringLiteral("PNL_ProM"));
    PNL_ProM->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* panel = new QVBoxLayout(PNL_ProM);
    panel->setContentsMargins(2, 0, 2, 2);
    panel->setSpacing(0);
    auto* caption = new QWidget(PNL_ProM);
    caption->setFixedHeight(kPanelCollapsed - 5);
    auto* captionRow = new QHBoxLayout(caption);
    captionRow->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(tr("    Properties"), caption);
    title->setAccessibleName(tr("Properties"));
    SBtn_PanelArrow = new QToolButton(caption);
    SBtn_PanelArrow->setAutoRaise(true);
    SBtn_PanelArrow->setArrowType(Qt::DownArrow);
    SBtn_PanelArrow->setToolTip(tr("Properties Panel"));
    SBtn_PanelArrow->setAccessibleName(tr("Properties Panel"));
    captionRow->addWidget(title, 1);
    captionRow->addWidget(SBtn_PanelArrow);
    panel->addWidget(caption);
    Panel = new TPropertiesPanel(*FDocument, PNL_ProM);
    // The caption strip above carries the panel's title and its arrow.
    if (auto* header = Panel->findChild<QLabel*>(QStringLiteral("Lab_Properties")))
        header->hide();
    FPanelBody = Panel;
    panel->addWidget(FPanelBody, 1);
    layout->addWidget(PNL_ProM);
    setCentralWidget(centre);
    SetPanelExpanded(true);

    Stat_Zoom = new QLabel(this);
    Stat_Size = new QLabel(this);
    Stat_Object = new QLabel(this);
    Stat_Zoom->setMinimumWidth(kZoomFieldWidth);
    Stat_Size->setMinimumWidth(kLabelSizeFieldWidth);
    statusBar()->addWidget(Stat_Zoom);
    statusBar()->addWidget(Stat_Size);
    statusBar()->addWidget(Stat_Object, 1);
}

void TFM_Main::BuildPopup()
{
    PMenu_Object = new QMenu(this);
    PM_Copy = MakeAction(PMenu_Object, tr("Copy"));
    PM_Cut = MakeAction(PMenu_Object, tr("Cut"));
    PM_Paste = MakeAction(PMenu_Object, tr("Paste"));
    PM_Delete = MakeAction(PMenu_Object, tr("Delete"));
    PM_Copy->setShortcuts(QKeySequence::Copy);
    PM_Cut->setShortcuts(QKeySequence::Cut);
    PM_Paste->setShortcuts(QKeySequence::Paste);
    PM_Delete->setShortcut(QKeySequence(Qt::Key_Delete));
    // The popup shows the keys; the menu bar's entries own them.
    for (QAction* a : {PM_Copy, PM_Cut, PM_Paste, PM_Delete})
        a->setShortcutContext(Qt::WidgetShortcut);
    PMenu_Object->addSeparator();
    PM_Lock = MakeAction(PMenu_Object, tr("Lock"));
    PM_UnlockAll = MakeAction(PMenu_Object, tr("Unlock Alll"));
    PMenu_Object->addSeparator();
    QMenu* align = PMenu_Object->addMenu(tr("Align"));
    for (QAction* source : {MI_AlignLeft, MI_AlignRight, MI_AlignTop, MI_AlignBottom, MI_AlignHorz, MI_AlignVert})
        PM_Align << MakeAction(align, source->text());
    QMenu* arrange = PMenu_Object->addMenu(tr("Arrange"));
    for (QAction* source : {MI_SendBackward, MI_BringForward, MI_SendToBottom, MI_BringToTop})
        PM_Arrange << MakeAction(arrange, source->text());
    PMenu_Object->addSeparator();
    PM_ObjProps = MakeAction(PMenu_Object, tr("More Properties..."));
}

void TFM_Main::BuildCommandTable()
{
    // A step on the design: the tools are released first and the commands
    // refreshed after it.
    const auto step = [this](void (TDesignArea::*run)()) {
        // Held through std::mem_fn: GCC 12 with AddressSanitizer reports a
        // stack-buffer-underflow when the nested lambda calls a captured
        // member-function pointer itself.
        const std::function<void(TDesignArea*)> call = std::mem_fn(run);
        return [this, call] {
            ReleaseTools();
            call(Design);
            RefreshCommands();
        };
    };
    const auto tool = [this](TObjectTool kind) { return [this, kind] { Design->StartNewObject(kind); }; };
    // Copying changes nothing on the label: the tools stay.
    const auto copy = [this] {
        Design->Copy();
        RefreshCommands();
    };
    using S = const TCommandState&;
    const auto always = [](S) { return true; };
    const auto copyCut = [](S s) { return s.copyCut; };
    const auto align = [](S s) { return s.align; };
    const auto arrange = [](S s) { return s.arrange; };
    FCommands = {
        {{MI_New, SBtn_New}, [this] { NewClick(); }, always},
        {{MI_Open, SBtn_Open}, [this] { OpenClick(); }, always},
        {{MI_Save, SBtn_Save}, [this] { SaveClick(); }, always},
        {{MI_SaveAs}, [this] { SaveAsClick(); }, always},
        {{MI_LabelSetup, SBtn_LabelSetup}, [this] { LabelSetupClick(); }, [this](S) { return bool(LabelSetup); }},
        {{MI_Preview, SBtn_Preview}, [this] { PreviewClick(); }, [this](S) { return bool(Preview); }},
        {{MI_Print, SBtn_Print}, [this] { PrintClick(); }, always},
        {{MI_PrintHistory}, [this] {
             TFM_History history(PrintSettings(), this);
             history.exec();
         }, always},
        {{MI_Exit}, [this] { ExitClick(); }, always},
        {{MI_InsBarcode, SBtn_Barcode}, tool(TObjectTool::Barcode), always},
        {{MI_InsText, SBtn_Text}, tool(TObjectTool::Text), always},
        {{MI_InsLine, SBtn_Line}, tool(TObjectTool::Line), always},
        {{MI_InsRect, SBtn_Rect}, tool(TObjectTool::Rectangle), always},
        {{MI_InsEllipse, SBtn_Ellipse}, tool(TObjectTool::Ellipse), always},
        {{MI_InsPicture, SBtn_Picture}, tool(TObjectTool::Picture), always},
        {{MI_Copy, SBtn_Copy}, copy, copyCut, true},
        {{PM_Copy}, copy, always},
        {{MI_Cut, SBtn_Cut}, step(&TDesignArea::Cut), copyCut, true},
        {{PM_Cut}, step(&TDesignArea::Cut), always},
        {{MI_Paste, PM_Paste}, step(&TDesignArea::Paste), always},
        {{SBtn_Paste}, step(&TDesignArea::Paste), [](S s) { return s.canPaste; }},
        {{MI_SelectAll}, step(&TDesignArea::SelectAll), always},
        {{MI_UnlockAll, SBtn_UnlockAll}, [this] {
             ReleaseTools();
             UnlockAllClick();
             RefreshCommands();
         }, [](S s) { return s.anyLocked; }},
        {{PM_UnlockAll}, [this] { UnlockAllClick(); }, always},
        {{MI_Delete, SBtn_Delete}, [this] {
             ReleaseTools();
             DeleteClick();
         }, copyCut, true},
        {{PM_Delete}, [this] { DeleteClick(); }, always},
        {{PM_Lock}, [this] { LockClick(); }, always},
        {{MI_Options, SBtn_Options}, [this] { OptionsClick(); }, always},
        {{MI_ObjProps, SBtn_ObjPro}, [this] { ObjectPropertiesClick(); }, [](S s) { return s.objectProperties; }, true},
        {{PM_ObjProps}, [this] { ObjectPropertiesClick(); }, always},
        {{MI_Datasheets, SBtn_Datasheets}, [this] { DatasheetsClick(); }, always},
        {{MI_Help, SBtn_Help}, [this] { HelpClick(); }, always},
        {{MI_HomePage}, [] { OpenHomePage(); }, always},
        {{MI_SupportMail}, [] { OpenSupportMail(); }, always},
        {{MI_About}, [this] { AboutClick(); }, always},
        {{MI_ViewZoomIn, SBtn_ZoomIn}, step(&TDesignArea::ZoomIn), [](S s) { return s.zoomIn; }},
        {{MI_ViewZoomOut, SBtn_ZoomOut}, step(&TDesignArea::ZoomOut), [](S s) { return s.zoomOut; }},
        {{MI_ViewZoomActual, SBtn_ActualSize}, step(&TDesignArea::ActualSize), always},
        {{MI_AlignLeft, SBtn_AlignLeft, PM_Align[0]}, step(&TDesignArea::AlignLeft), align},
        {{MI_AlignRight, SBtn_AlignRight, PM_Align[1]}, step(&TDesignArea::AlignRight), align},
        {{MI_AlignTop, SBtn_AlignTop, PM_Align[2]}, step(&TDesignArea::AlignTop), align},
        {{MI_AlignBottom, SBtn_AlignBottom, PM_Align[3]}, step(&TDesignArea::AlignBottom), align},
        {{MI_AlignHorz, SBtn_AlignHorz, PM_Align[4]}, step(&TDesignArea::AlignHorzCenter), align},
        {{MI_AlignVert, SBtn_AlignVert, PM_Align[5]}, step(&TDesignArea::AlignVertCenter), align},
        // "Send to Back" and "Bring to Front" move one step, the other two to the end.
        {{MI_SendBackward, SBtn_SendBackward, PM_Arrange[0]}, step(&TDesignArea::SendBackward), arrange, true},
        {{MI_BringForward, SBtn_BringForward, PM_Arrange[1]}, step(&TDesignArea::BringForward), arrange, true},
        {{MI_SendToBottom, SBtn_SendToBottom, PM_Arrange[2]}, step(&TDesignArea::SendToBack), arrange, true},
        {{MI_BringToTop, SBtn_BringToTop, PM_Arrange[3]}, step(&TDesignArea::BringToFront), arrange, true},
    };
}

void TFM_Main::ConnectCommands()
{
    BuildCommandTable();
    for (const QToolBar* bar : {TB_File, TB_Tools, TB_Align})
        for (QAction* action : bar->actions())
            FToolBarActions.insert(action);
    for (const TCommand& command : FCommands)
        for (QAction* action : command.actions)
            connect(action, &QAction::triggered, this, command.run);
    // Assistive tools toggle a checkable button without triggering it:
    // switching it on starts its tool all the same.
    const std::pair<QAction*, TObjectTool> tools[] = {
        {SBtn_Barcode, TObjectTool::Barcode}, {SBtn_Text, TObjectTool::Text},
        {SBtn_Line, TObjectTool::Line},       {SBtn_Rect, TObjectTool::Rectangle},
        {SBtn_Ellipse, TObjectTool::Ellipse}, {SBtn_Picture, TObjectTool::Picture}};
    for (const auto& [button, kind] : tools)
        connect(button, &QAction::toggled, this, [this, kind = kind](bool on) {
            if (on && Design->Tool() != kind)
                Design->StartNewObject(kind);
        });
    connect(SBtn_Pointer, &QAction::toggled, this, [this](bool on) {
        if (on && Design->Tool() != TObjectTool::Pointer)
            Design->CancelNewObject();
    });
    connect(Design, &TDesignArea::ToolChanged, this, [this](TObjectTool kind) {
        if (kind == TObjectTool::Pointer)
            SBtn_Pointer->setChecked(true);
        Panel->SetPointerToolSelected(kind == TObjectTool::Pointer);
    });
    connect(Design, &TDesignArea::MouseReleased, this, &TFM_Main::RefreshCommands);
    connect(Design, &TDesignArea::SelectionChanged, this, &TFM_Main::RefreshCommands);
    connect(Design, &TDesignArea::PasteAvailableChanged, this, &TFM_Main::RefreshCommands);
    connect(Design, &TDesignArea::ZoomChanged, this, &TFM_Main::RefreshCommands);
    connect(Design, &TDesignArea::ObjectDoubleClicked, this, [this](TLabelObject*) { ObjectPropertiesClick(); });
    connect(Design, &TDesignArea::HoverChanged, this, [this](TLabelObject* object) {
        // Leaving an object empties the field.
        if (!object) {
            SetStatusField(Stat_Object, QString());
            return;
        }
        if (const std::optional<QString> text = ObjectStatusText(*object))
            SetStatusField(Stat_Object, *text);
    });
    connect(Panel, &TPropertiesPanel::MorePropertiesRequested, this, &TFM_Main::ObjectPropertiesClick);
    const auto on = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };
    on(MI_ViewRuler, [this] {
        Design->HorizontalRuler()->setVisible(MI_ViewRuler->isChecked());
        Design->VerticalRuler()->setVisible(MI_ViewRuler->isChecked());
        Design->PlaceSurface();
    });
    on(MI_ViewToolbar, [this] { TB_File->setVisible(MI_ViewToolbar->isChecked()); });
    on(MI_ViewStatusBar, [this] { statusBar()->setVisible(MI_ViewStatusBar->isChecked()); });
    on(MI_ViewPanel, [this] { SetPanelExpanded(MI_ViewPanel->isChecked()); });
    connect(SBtn_PanelArrow, &QToolButton::clicked, this, [this] { SetPanelExpanded(!FPanelExpanded); });
    on(SBtn_Pointer, &TFM_Main::ReleaseTools);

    connect(Design, &TDesignArea::ObjectClicked, this,
            [this](TLabelObject* object, Qt::MouseButton button, QPoint) {
                if (button == Qt::RightButton && object && !object->ReadOnly) {
                    RefreshCommands();
                    PMenu_Object->popup(QCursor::pos());
                }
            });
    connect(FDocument.get(), &TLabelDocument::FileNameChanged, this, [this] { ShowTitle(); });
    connect(FDocument.get(), &TLabelDocument::Changed, this, [this] { RefreshCommands(); });
    connect(FDocument.get(), &TLabelDocument::SelectionChanged, this, [this] { RefreshCommands(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { RefreshCommands(); });
}

// ----- Title, commands, status ---------------------------------------------

void TFM_Main::ShowTitle()
{
    setWindowTitle(QStringLiteral("Tagmora ") + QStringLiteral(TAGMORA_VERSION) + QStringLiteral("  [ ") +
                   FDocument->CurrentFileName() + QStringLiteral(" ]"));
}

void TFM_Main::RefreshCommands()
{
    TLabelPlan& plan = FDocument->Plan();
    TLabelObject* current = plan.CurrentObject();
    TPlanLayer* layer = plan.Layers().Count() > 0 ? plan.Layers().Item(0) : nullptr;
    int selectedUnlocked = 0;
    bool anyLocked = false;
    const int count = layer ? layer->Count() : 0;
    for (int i = 0; i < count; ++i) {
        TLabelObject* object = layer->Item(i);
        anyLocked = anyLocked || object->ReadOnly;
        if (object->Selected() && !object->ReadOnly)
            ++selectedUnlocked;
    }
    TCommandState state;
    state.currentLocked = current && current->ReadOnly;
    state.anyLocked = anyLocked;
    state.copyCut = current || selectedUnlocked > 0;
    state.canPaste = Design->CanPaste();
    state.objectProperties = IsEditableKind(current) && bool(EditObject);
    state.align = selectedUnlocked > 1;
    state.arrange = count > 1 && current;
    state.zoomIn = Design->CanZoomIn();
    state.zoomOut = Design->CanZoomOut();
    for (const TCommand& command : FCommands) {
        const bool enabled = command.enabled(state);
        for (QAction* action : command.actions) {
            const bool button = FToolBarActions.contains(action);
            action->setEnabled(enabled && !(command.buttonNeedsUnlocked && button && state.currentLocked));
        }
    }
    MN_Recent->menuAction()->setVisible(!FRecentActions.isEmpty());
    RefreshStatus();
    Panel->Refresh();
}

void TFM_Main::RefreshStatus()
{
    const TLabelPlan& plan = FDocument->Plan();
    SetStatusField(Stat_Zoom, ZoomStatusText(plan));
    SetStatusField(Stat_Size, LabelSizeStatusText(plan, Options.Units));
}

void TFM_Main::SetStatusField(QLabel* field, const QString& text)
{
    // A screen reader speaks the value itself ("Zoom: 100%").
    field->setText(text);
    field->setAccessibleName(text.trimmed());
}

void TFM_Main::ApplyUnits()
{
    Design->SetUnits(Options.Units);
    Panel->SetUnits(Options.Units);
    RefreshStatus();
}

void TFM_Main::ReleaseTools()
{
    Design->CancelNewObject();
    SBtn_Pointer->setChecked(true);
}

TDesktopPrintSettings TFM_Main::PrintSettings() const
{
    TDesktopPrintSettings settings;
    settings.InvalidCodeProcess = Options.InvalidCodeProcess;
    settings.Units = Options.Units;
    settings.Profile = [store = SettingsStore](const QString& printerName) {
        const std::unique_ptr<QSettings> settings = store ? store() : nullptr;
        return settings ? LoadPrinterProfile(*settings, printerName) : TPrinterProfile();
    };
    settings.History = Options.PrintHistory;
    return settings;
}

std::function<bool()> TFM_Main::SetupHook()
{
    return [this] {
        if (!LabelSetup || !LabelSetup(*FDocument, Options.Units))
            return false;
        FDocument->MarkChanged();
        return true;
    };
}

void TFM_Main::SetPanelExpanded(bool expanded)
{
    FPanelExpanded = expanded;
    PNL_ProM->setFixedHeight(expanded ? kPanelExpanded : kPanelCollapsed);
    FPanelBody->setVisible(expanded);
    SBtn_PanelArrow->setArrowType(expanded ? Qt::DownArrow : Qt::UpArrow);
    MI_ViewPanel->setChecked(expanded);
}

bool TFM_Main::PanelExpanded() const
{
    return FPanelExpanded;
}

void TFM_Main::ChooseSymbology(int ordinal)
{
    FDocument->Plan().DefaultBarcodeType = ordinal;
    SBtn_Barcode->setChecked(true);
    Design->StartNewObject(TObjectTool::Barcode);
}

// ----- Lifecycle ------------------------------------------------------------

bool TFM_Main::ConfirmDiscard()
{
    if (!FDocument->Modified())
        return true;
    const int answer = Dialogs().MessageDlg(tr("Current file has been modified, Save it?"), TMsgDlgType::mtWarning,
                                            mbYes | mbNo | mbCancel);
    if (answer == mbNo)
        return true;
    if (answer == mbYes)
        return SaveClick();
    return false;
}

bool TFM_Main::NewClick()
{
    ReleaseTools();
    if (!ConfirmDiscard())
        return false;
    FDocument->NewLabel();
    ShowTitle();
    RefreshCommands();
    return true;
}

bool TFM_Main::OpenClick()
{
    ReleaseTools();
    if (!ConfirmDiscard())
        return false;
    const QString path = Dialogs().OpenFileName(tr("Open"), Options.DefSavePath, kFilter);
    if (path.isEmpty())
        return false;
    if (!ReadFile(path))
        return false;
    StoreSettings();
    LoadSettings();
    RefreshCommands();
    return true;
}

bool TFM_Main::OpenFile(const QString& path)
{
    ReleaseTools();
    if (!ConfirmDiscard())
        return false;
    if (!ReadFile(path))
        return false;
    StoreSettings();
    LoadSettings();
    RefreshCommands();
    return true;
}

bool TFM_Main::ReadFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        Dialogs().MessageDlg(tr("File %1 does not exist, Please check it! ").arg(path), TMsgDlgType::mtError, mbOK);
        return false;
    }
    // The document reads the file into a new design and keeps the open one
    // when the file fails half-way.
    try {
        bool opened = false;
        {
            TBusyCursor busy;
            opened = FDocument->Open(path);
        }
        if (!opened)
            throw ELabelFileError(tr("File %1 does not exist, Please check it! ").arg(path));
    } catch (const std::exception& error) {
        ShowTitle();
        RefreshCommands();
        Dialogs().MessageDlg(QString::fromStdString(error.what()), TMsgDlgType::mtError, mbOK);
        return false;
    }
    ShowTitle();
    return true;
}

bool TFM_Main::OpenAtStart(const QString& path)
{
    const bool read = ReadFile(path);
    RefreshCommands();
    return read;
}

bool TFM_Main::WriteFile(const QString& path)
{
    try {
        TBusyCursor busy;
        FDocument->Save(path);
    } catch (const std::exception& error) {
        FDocument->SetModified(true);
        Dialogs().MessageDlg(QString::fromStdString(error.what()), TMsgDlgType::mtError, mbOK);
        return false;
    }
    ShowTitle();
    return true;
}

QString TFM_Main::AskSaveName(const QString& folder)
{
    // The dialog layer's save dialog confirms overwriting.
    return Dialogs().SaveFileName(tr("Save As"), folder, kFilter, QStringLiteral("blf"));
}

bool TFM_Main::SaveClick()
{
    ReleaseTools();
    if (FDocument->HasFileName())
        return WriteFile(FDocument->CurrentFileName());
    const QString path = AskSaveName(Options.DefSavePath);
    return !path.isEmpty() && WriteFile(path);
}

bool TFM_Main::SaveAsClick()
{
    const QString folder =
        FDocument->HasFileName() ? QFileInfo(FDocument->CurrentFileName()).absolutePath() : QString();
    const QString path = AskSaveName(folder);
    return !path.isEmpty() && WriteFile(path);
}

bool TFM_Main::OpenRecent(int index)
{
    if (index < 0 || index >= FRecent.size())
        return false;
    const QString path = FRecent.at(index).trimmed();
    if (!QFileInfo(path).isFile()) {
        Dialogs().MessageDlg(tr("File %1 does not exist, Please check it! ").arg(path), TMsgDlgType::mtError, mbOK);
        return false;
    }
    if (FDocument->HasFileName() && path == FDocument->CurrentFileName())
        return false;
    return OpenFile(path);
}

void TFM_Main::ExitClick()
{
    close();
}

void TFM_Main::closeEvent(QCloseEvent* event)
{
    ReleaseTools();
    if (!ConfirmDiscard()) {
        event->ignore();
        return;
    }
    StoreSettings();
    if (THelpWindow* help = HelpWindowInstance())
        help->close();
    event->accept();
}

bool TFM_Main::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == SBox_Plan->viewport() || watched == SBox_Plan->widget()) &&
        event->type() == QEvent::MouseButtonDblClick) {
        // Not inside a dialog that opened meanwhile: the label it works on
        // must not be replaced under it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!QApplication::activeModalWidget())
                    OpenClick();
            },
            Qt::QueuedConnection);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFM_Main::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile() &&
        urls.first().toLocalFile().endsWith(QLatin1String(".blf"), Qt::CaseInsensitive))
        event->acceptProposedAction();
}

void TFM_Main::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    // Not inside the drag's own event loop: the prompt may need one.
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            if (!QApplication::activeModalWidget())
                OpenFile(path);
        },
        Qt::QueuedConnection);
}

// ----- Settings -------------------------------------------------------------

TWindowPlacement TFM_Main::Placement() const
{
    TWindowPlacement placement;
    placement.State = isMaximized() ? wsMaximized : isMinimized() ? wsMinimized : wsNormal;
    const QRect bounds = geometry();
    placement.Left = bounds.x();
    placement.Top = bounds.y();
    placement.Width = bounds.width();
    placement.Height = bounds.height();
    return placement;
}

void TFM_Main::ApplyPlacement(const TWindowPlacement& placement)
{
    if (placement.State == wsNormal) {
        QRect bounds = geometry();
        if (placement.Width)
            bounds.setWidth(std::max(200, *placement.Width));
        if (placement.Height)
            bounds.setHeight(std::max(150, *placement.Height));
        if (placement.Left)
            bounds.moveLeft(*placement.Left);
        if (placement.Top)
            bounds.moveTop(*placement.Top);
        setGeometry(bounds);
    }
    setWindowState(placement.State == wsMaximized   ? Qt::WindowMaximized
                   : placement.State == wsMinimized ? Qt::WindowMinimized
                                                    : Qt::WindowNoState);
}

void TFM_Main::LoadSettings()
{
    TWindowPlacement placement;
    placement.State = Placement().State;
    QStringList recent;
    if (std::unique_ptr<QSettings> store = SettingsStore()) {
        ::LoadSettings(*store, Options, placement, recent);
        ApplyPlacement(placement);
    }
    FRecent = recent;
    RebuildRecentMenu();
    ApplyUnits();
}

void TFM_Main::StoreSettings()
{
    if (std::unique_ptr<QSettings> store = SettingsStore())
        ::StoreSettings(*store, Options, Placement(), FDocument->HasFileName(), FDocument->CurrentFileName());
}

void TFM_Main::RebuildRecentMenu()
{
    qDeleteAll(FRecentActions);
    FRecentActions.clear();
    for (int i = 0; i < FRecent.size(); ++i) {
        // The caption is the path; "&" is shown, not taken as an accelerator.
        QString caption = FRecent.at(i);
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* entry = MN_Recent->addAction(caption);
        entry->setData(i);
        connect(entry, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        FRecentActions << entry;
    }
    MN_Recent->menuAction()->setVisible(!FRecentActions.isEmpty());
}

// ----- Other commands -------------------------------------------------------

void TFM_Main::DatasheetsClick()
{
    ReleaseTools();
    FDataWindow->DataFolder = Options.DefSavePath;
    const QStringList before = FDocument->Plan().PlanStrings();
    FDataWindow->Execute();
    FDocument->FillFromCurrentRow();
    // Only a real change marks the document: the datasheet's, or what the
    // design shows from another row or from a column that went away.
    if (FDataWindow->Changed() || FDocument->Plan().PlanStrings() != before)
        FDocument->MarkChanged();
    RefreshCommands();
}

void TFM_Main::OptionsClick()
{
    if (FOptions->Execute(Options)) {
        ApplyUnits();
        RefreshCommands();
    }
    ReleaseTools();
}

void TFM_Main::LabelSetupClick()
{
    ReleaseTools();
    SetupHook()();
    RefreshCommands();
}

void TFM_Main::PreviewClick()
{
    ReleaseTools();
    if (Preview)
        Preview();
    RefreshCommands();
}

void TFM_Main::PrintClick()
{
    ReleaseTools();
    PrintDocument(
        *FDocument, PrintSettings(), this, [this] { ReleaseTools(); }, SetupHook());
    RefreshCommands();
}

void TFM_Main::HelpClick()
{
    ReleaseTools();
    ShowHelp(QStringLiteral("tagmora.htm"));
}

void TFM_Main::AboutClick()
{
    TFM_About about(this);
    about.ExecAbout();
}

void TFM_Main::ObjectPropertiesClick()
{
    ReleaseTools();
    TLabelObject* current = FDocument->Plan().CurrentObject();
    if (IsEditableKind(current) && EditObject)
        EditObject(current);
    RefreshCommands();
}

void TFM_Main::LockClick()
{
    Design->LockSelected();
    RefreshCommands();
}

void TFM_Main::UnlockAllClick()
{
    Design->UnlockAll();
}

void TFM_Main::DeleteClick()
{
    Design->DeleteSelected();
    RefreshCommands();
}
