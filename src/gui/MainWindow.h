// TFM_Main: the program's one document window. It owns the open label
// (TLabelDocument), offers every command through the menu bar, the tool bars,
// the object popup menu and the shortcuts, and runs the document lifecycle:
// New, Open, Save, Save As, recent files, the modified prompt, the title,
// the settings and closing. Every question goes through Dialogs().
#pragma once

#include "engine/LabelDocument.h"
#include "gui/Settings.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QSettings;
class QToolBar;
class QToolButton;
class TFM_About;
class TFM_Data;
class TFM_options;
class TDesignArea;
class TPropertiesPanel;
struct TDesktopPrintSettings;

class TFM_Main : public QMainWindow {
    Q_OBJECT
public:
    // Start-up of the window: a new label, untitled and unmodified, then the
    // settings are loaded (placement, options, recent list) and the commands
    // refreshed.
    explicit TFM_Main(QWidget* parent = nullptr);
    ~TFM_Main() override;

    TLabelDocument& Document() { return *FDocument; }
    TAppOptions Options;

    // ----- Lifecycle (true when the command went through) ------------------
    bool NewClick();
    bool OpenClick();  // asks for the file
    // Opens path after the modified prompt. A missing or unreadable file is
    // reported and leaves the document, its name and flags untouched.
    bool OpenFile(const QString& path);
    bool SaveClick();
    bool SaveAsClick();
    // A recent entry by its index in the submenu.
    bool OpenRecent(int index);
    // The file named on the command line; true when it was read.
    bool OpenAtStart(const QString& path);
    // The modified prompt: true to go on (No, or Yes and a successful save),
    // false to abandon the command.
    bool ConfirmDiscard();
    void ExitClick();

    void ShowTitle();
    void RefreshCommands();
    void LoadSettings();
    void StoreSettings();
    // The recent paths as shown in the submenu.
    QStringList RecentFiles() const { return FRecent; }

    // ----- Other commands --------------------------------------------------
    void DatasheetsClick();
    void OptionsClick();
    void LabelSetupClick();
    void PreviewClick();
    void PrintClick();
    void HelpClick();
    void AboutClick();
    void ObjectPropertiesClick();
    void LockClick();
    void UnlockAllClick();
    void DeleteClick();
    void ApplyUnits();
    void SetPanelExpanded(bool expanded);
    bool PanelExpanded() const;
    // Cancels an object under construction and presses the pointer tool.
    void ReleaseTools();

    // Hooks for the dialogs that other parts provide (replaceable by tests).
    // Label setup: true when confirmed (the document is then modified).
    std::function<bool(TLabelDocument&, int units)> LabelSetup;
    std::function<void()> Preview;
    std::function<void(TLabelObject*)> EditObject;
    // The help viewer (topic file name such as "tagmora.htm").
    std::function<bool(const QString& topic)> ShowHelp;
    // Where settings are kept (the per-user INI file unless replaced).
    std::function<std::unique_ptr<QSettings>()> SettingsStore;

    TFM_Data* DatasheetWindow() const { return FDataWindow; }
    TFM_options* OptionsDialog() const { return FOptions; }
    TDesktopPrintSettings PrintSettings() const;

    // ----- Controls ---------------------------------------------------------
    QMenu* MN_File;
    QMenu* MN_Recent;
    QMenu* MN_Edit;
    QMenu* MN_Object;
    QMenu* MN_Position;
    QMenu* MN_Arrange;
    QMenu* MN_Data;
    QMenu* MN_View;
    QMenu* MN_Help;
    QMenu* MN_Symbology;
    QMenu* PMenu_Object;
    QToolBar* TB_File;
    QToolBar* TB_Tools;
    QToolBar* TB_Align;
    TDesignArea* Design;
    TPropertiesPanel* Panel;
    QScrollArea* SBox_Plan;
    QFrame* PNL_ProM;
    QToolButton* SBtn_PanelArrow;
    QLabel* Stat_Zoom;
    QLabel* Stat_Size;
    QLabel* Stat_Object;

    // Menu entries.
    QAction *MI_New, *MI_Open, *MI_Save, *MI_SaveAs, *MI_LabelSetup, *MI_Preview, *MI_Print, *MI_Exit;
    QAction* MI_PrintHistory;
    QAction *MI_Undo, *MI_Redo, *MI_Copy, *MI_Cut, *MI_Paste, *MI_SelectAll, *MI_UnlockAll, *MI_Delete, *MI_Options;
    QAction *MI_InsBarcode, *MI_InsText, *MI_InsLine, *MI_InsRect, *MI_InsEllipse, *MI_InsPicture, *MI_ObjProps;
    QAction *MI_AlignLeft, *MI_AlignRight, *MI_AlignTop, *MI_AlignBottom, *MI_AlignHorz, *MI_AlignVert;
    QAction *MI_SendBackward, *MI_BringForward, *MI_SendToBottom, *MI_BringToTop;
    QAction* MI_Datasheets;
    QAction *MI_ViewToolbar, *MI_ViewRuler, *MI_ViewStatusBar, *MI_ViewZoomActual, *MI_ViewZoomIn, *MI_ViewZoomOut,
        *MI_ViewPanel;
    QAction *MI_Help, *MI_HomePage, *MI_SupportMail, *MI_About;
    // Tool bar buttons (their own actions where their enabling is stricter).
    QAction *SBtn_New, *SBtn_Open, *SBtn_Save, *SBtn_Copy, *SBtn_Cut, *SBtn_Paste, *SBtn_Datasheets, *SBtn_Options,
        *SBtn_LabelSetup, *SBtn_Preview, *SBtn_Print, *SBtn_Help;
    QAction *SBtn_Pointer, *SBtn_Barcode, *SBtn_Text, *SBtn_Line, *SBtn_Rect, *SBtn_Ellipse, *SBtn_Picture;
    QToolButton* SBtn_Symbology;
    QAction *SBtn_ObjPro, *SBtn_UnlockAll, *SBtn_Delete, *SBtn_ZoomIn, *SBtn_ZoomOut, *SBtn_ActualSize;
    QAction *SBtn_AlignLeft, *SBtn_AlignRight, *SBtn_AlignTop, *SBtn_AlignBottom, *SBtn_AlignHorz, *SBtn_AlignVert,
        *SBtn_BringForward, *SBtn_SendBackward, *SBtn_BringToTop, *SBtn_SendToBottom;
    QActionGroup* ToolGroup;
    QActionGroup* SymbologyGroup;
    // Popup menu entries.
    QAction *PM_Copy, *PM_Cut, *PM_Paste, *PM_Delete, *PM_Lock, *PM_UnlockAll, *PM_ObjProps;
    QList<QAction*> PM_Align, PM_Arrange;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What the enable rules of the commands read.
    struct TCommandState {
        bool currentLocked = false, anyLocked = false, copyCut = false, canPaste = false, objectProperties = false,
             align = false, arrange = false, zoomIn = false, zoomOut = false;
    };
    // One command: its actions (menu entry, tool bar button, popup entry), what
    // it does and when it is enabled. Its tool bar button may also need the
    // current object unlocked.
    struct TCommand {
        QList<QAction*> actions;
        std::function<void()> run;
        std::function<bool(const TCommandState&)> enabled;
        bool buttonNeedsUnlocked = false;
    };
    void BuildCommandTable();
    // A menu entry with its keys: the platform's standard keys where there
    // are such, else the program's own.
    QAction* MakeAction(QMenu* menu, const QString& text, const QKeySequence& key = QKeySequence());
    QAction* MakeAction(QMenu* menu, const QString& text, QKeySequence::StandardKey key);
    QAction* MakeAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys);
    QAction* MakeButton(QToolBar* bar, const QString& hint, const QString& icon);
    void BuildMenus();
    void BuildToolBars();
    void BuildCentre();
    void BuildPopup();
    void ConnectCommands();
    void RebuildRecentMenu();
    void ChooseSymbology(int ordinal);
    bool ReadFile(const QString& path);
    bool WriteFile(const QString& path);
    QString AskSaveName(const QString& folder);
    void RefreshStatus();
    void SetStatusField(QLabel* field, const QString& text);
    TWindowPlacement Placement() const;
    void ApplyPlacement(const TWindowPlacement& placement);
    // The print dialogs' "Setting ..." (the label setup; true when confirmed).
    std::function<bool()> SetupHook();

    std::unique_ptr<TLabelDocument> FDocument;
    QList<TCommand> FCommands;
    QSet<QAction*> FToolBarActions;  // the buttons, for their stricter rule
    TFM_Data* FDataWindow = nullptr;
    TFM_options* FOptions = nullptr;
    QStringList FRecent;
    QList<QAction*> FRecentActions;
    bool FPanelExpanded = true;
    QWidget* FPanelBody = nullptr;
};
