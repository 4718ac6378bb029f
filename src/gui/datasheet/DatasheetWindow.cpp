#include "gui/datasheet/DatasheetWindow.h"

#include "document/BusyCursor.h"
#include "gui/datasheet/GetTable.h"

#include "gui/UserDialogs.h"
#include "engine/datasheet/DatasheetModel.h"
#include "gui/datasheet/SequenceDialog.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

constexpr int kRowHeight = 21;
constexpr int kUndoLimit = 100;

// Without the table picker window: an input box asks for one of the names.
bool AskTableName(const QStringList& tables, QString& chosen)
{
    if (tables.isEmpty())
        return false;
    QString name = tables.front();
    if (!Dialogs().InputQuery(TFM_Data::tr("Select Tabel from Access Database"),
                              TFM_Data::tr("Please Select a Table to Import:"), name))
        return false;
    for (const QString& t : tables) {
        if (t.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            chosen = t;
            return true;
        }
    }
    return false;
}

bool SameCells(const TAdvStringGrid& a, const TAdvStringGrid& b)
{
    if (a.ColCount() != b.ColCount() || a.RowCount() != b.RowCount() || a.ColWidths() != b.ColWidths())
        return false;
    for (int c = 0; c < a.ColCount(); ++c)
        for (int r = 0; r < a.RowCount(); ++r)
            if (a.CellUtf8(c, r) != b.CellUtf8(c, r))
                return false;
    return true;
}

int LongestLine(const QFontMetrics& fm, const QString& text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return fm.horizontalAdvance(text);
    int widest = 0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return widest;
}

// The grid's cells: Enter ends editing and moves down a row, and a cell's
// tooltip is its whole text when the column cuts it off (nothing otherwise,
// so the grid's menu hint stays off the data).
class TCellDelegate : public QStyledItemDelegate {
public:
    TCellDelegate(TFM_Data* window, QObject* parent)
        : QStyledItemDelegate(parent),
          FWindow(window)
    {
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = index.data(Qt::DisplayRole).toString();
        const QWidget* widget = view;
        const QRect textRect = view->style()->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const bool cutOff = text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                            opt.fontMetrics.horizontalAdvance(text) > textRect.width() - 2 * margin;
        if (cutOff && !text.isEmpty())
            QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
        else
            QToolTip::hideText();
        return true;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                !(key->modifiers() & ~Qt::KeypadModifier)) {
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
                FWindow->MoveAfterEnter();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TFM_Data* FWindow;
};

// The grid's keys beyond a plain table view's: Enter starts editing, Delete
// and Backspace clear the selection, Ctrl+Tab leaves the grid, Shift+F10 opens
// the popup menu.
class TDatasheetView : public QTableView {
public:
    TDatasheetView(TFM_Data* window, QWidget* parent)
        : QTableView(parent),
          FWindow(window)
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
        const int key = event->key();
        if (state() != EditingState) {
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier &&
                currentIndex().isValid()) {
                edit(currentIndex());
                return;
            }
            if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && mods == Qt::NoModifier) {
                FWindow->ClearCellsKey();
                return;
            }
        }
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (mods & Qt::ControlModifier)) {
            QWidget::focusNextPrevChild(key == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
            return;
        }
        if (key == Qt::Key_F10 && mods == Qt::ShiftModifier) {
            FWindow->ShowPopupMenu(visualRect(currentIndex()).center());
            return;
        }
        QTableView::keyPressEvent(event);
    }

private:
    TFM_Data* FWindow;
};

}  // namespace

// ---------------------------------------------------------------------------
// Undo steps

// A change of the datasheet kept as the whole grid before and after it (the
// copies share their cells with the datasheet until one side changes).
class TSheetStep : public QUndoCommand {
public:
    TSheetStep(TFM_Data* window, const QString& text, TFM_Data::TSheetState before, TFM_Data::TSheetState after)
        : QUndoCommand(text),
          FWindow(window),
          FBefore(std::move(before)),
          FAfter(std::move(after)),
          FKeepWidths(FBefore.grid.ColWidths() == FAfter.grid.ColWidths())
    {
    }
    void undo() override { FWindow->RestoreState(FBefore, FKeepWidths); }
    void redo() override
    {
        if (FDone)  // pushed after the change was made
            FWindow->RestoreState(FAfter, FKeepWidths);
        FDone = true;
    }

private:
    TFM_Data* FWindow;
    TFM_Data::TSheetState FBefore;
    TFM_Data::TSheetState FAfter;
    bool FKeepWidths;  // widths dragged later survive undoing a step that kept them
    bool FDone = false;
};

// A cell typed into.
class TCellEditStep : public QUndoCommand {
public:
    TCellEditStep(TFM_Data* window, int col, int row, QString before, QString after)
        : QUndoCommand(QObject::tr("Typing")),
          FWindow(window),
          FCol(col),
          FRow(row),
          FBefore(std::move(before)),
          FAfter(std::move(after))
    {
    }
    void undo() override { FWindow->RestoreCell(FCol, FRow, FBefore); }
    void redo() override
    {
        if (FDone)
            FWindow->RestoreCell(FCol, FRow, FAfter);
        FDone = true;
    }

private:
    TFM_Data* FWindow;
    int FCol;
    int FRow;
    QString FBefore;
    QString FAfter;
    bool FDone = false;
};

// ---------------------------------------------------------------------------
// Row-number header

TRowNumberHeader::TRowNumberHeader(QWidget* parent)
    : QHeaderView(Qt::Vertical, parent)
{
}

void TRowNumberHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader opt;
    initStyleOptionForIndex(&opt, logicalIndex);
    opt.rect = rect;
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    QStyleOptionHeader label = opt;
    label.rect = rect.adjusted(0, 0, -fontMetrics().horizontalAdvance(QLatin1Char('2')), 0);
    label.text = QString::number(logicalIndex + 1);
    label.textAlignment = Qt::AlignRight | Qt::AlignVCenter;
    label.icon = QIcon();
    style()->drawControl(QStyle::CE_HeaderLabel, &label, painter, this);
    painter->restore();
}

// ---------------------------------------------------------------------------
// Window

TFM_Data::TFM_Data(TDatasheet& datasheet, QWidget* parent)
    : QDialog(parent),
      TablePicker(DialogTablePicker(this)),
      ImportLoader(ImportDataFile),
      FData(datasheet)
{
    setObjectName(QStringLiteral("FM_Data"));
    setWindowTitle(tr("Datasheet"));
    setModal(true);
    resize(680, 440);

    FModel = new TDatasheetModel(FData.StrGrid_Data, this);
    FSdata = new TFM_Sdata(this);
    FUndo = new QUndoStack(this);
    FUndo->setUndoLimit(kUndoLimit);
    connect(FUndo, &QUndoStack::indexChanged, this, [this] {
        if (!FForgetting)
            NoteChange();
    });
    connect(FModel, &TDatasheetModel::CellEdited, this,
            [this](int col, int row, const QString& before, const QString& after) {
                FUndo->push(new TCellEditStep(this, col, row, before, after));
            });

    StrGrid_Data = new TDatasheetView(this, this);
    StrGrid_Data->setObjectName(QStringLiteral("StrGrid_Data"));
    StrGrid_Data->setAccessibleName(tr("Datasheet"));
    StrGrid_Data->setVerticalHeader(new TRowNumberHeader(StrGrid_Data));
    StrGrid_Data->setModel(FModel);
    StrGrid_Data->setItemDelegate(new TCellDelegate(this, StrGrid_Data));
    // Shown over the headers and the empty part of the grid; a cell shows its
    // whole text instead when the column cuts it off.
    StrGrid_Data->setToolTip(tr("Right Click to Pop up Menu"));
    StrGrid_Data->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StrGrid_Data->setSelectionBehavior(QAbstractItemView::SelectItems);
    // A click on the current cell only selects it; typing or a double click edits.
    StrGrid_Data->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed);
    StrGrid_Data->setWordWrap(false);
    StrGrid_Data->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* hh = StrGrid_Data->horizontalHeader();
    hh->setSectionsClickable(true);
    hh->setSectionsMovable(true);
    hh->setHighlightSections(false);
    hh->setSectionResizeMode(QHeaderView::Interactive);
    hh->setDefaultSectionSize(TAdvStringGrid::kDefaultColWidth);
    hh->setMinimumSectionSize(8);
    QHeaderView* vh = StrGrid_Data->verticalHeader();
    vh->setSectionsClickable(true);
    vh->setSectionsMovable(true);
    vh->setHighlightSections(false);
    vh->setMinimumSectionSize(kRowHeight);
    vh->setDefaultSectionSize(kRowHeight);
    vh->setSectionResizeMode(QHeaderView::Fixed);

    // Commands.
    MI_ImportData = MakeAction(tr("Import Data ..."), &TFM_Data::ImportDataClick);
    MI_Close = new QAction(tr("Close"), this);
    // "Close" keeps the edits, as OK does; Cancel and Esc throw them away.
    connect(MI_Close, &QAction::triggered, this, &TFM_Data::accept);
    MI_Search = MakeAction(tr("Search ..."), &TFM_Data::SearchClick);
    MI_FillSequence =
        MakeAction(tr("Fill Sequence Data ..."), &TFM_Data::FillSequenceClick, QKeySequence(Qt::CTRL | Qt::Key_F));
    MI_ClearSelected = MakeAction(tr("Clear Selected Cells Data"), &TFM_Data::ClearSelectedClick);
    MI_ClearSelectedPopup = MakeAction(tr("Clear Selectd Cells Data"), &TFM_Data::ClearSelectedClick);
    MI_ClearAll = MakeAction(tr("Clear All Data"), &TFM_Data::ClearAllClick);
    MI_InsertRow = MakeAction(tr("Insert Blank Row"), &TFM_Data::InsertRowClick, QKeySequence(Qt::Key_F2));
    MI_ClearRow = MakeAction(tr("Clear Current Row Data"), &TFM_Data::ClearRowClick);
    MI_DeleteRow = MakeAction(tr("Delete Current Row"), &TFM_Data::DeleteRowClick, QKeySequence(Qt::Key_F3));
    MI_DeleteAllRows = MakeAction(tr("Delete All Rows"), &TFM_Data::DeleteAllRowsClick);
    MI_AddColumn = MakeAction(tr("Add a New Column"), &TFM_Data::AddColumnClick, QKeySequence(Qt::Key_F5));
    MI_RenameColumn = MakeAction(tr("Rename Column"), &TFM_Data::RenameColumnClick);
    MI_ClearColumn = MakeAction(tr("Clear Current Column Data"), &TFM_Data::ClearColumnClick);
    MI_DeleteColumn = MakeAction(tr("Delete Current Column"), &TFM_Data::DeleteColumnClick, QKeySequence(Qt::Key_F6));
    MI_DeleteAllColumns = MakeAction(tr("Delete All Columns (and Rows)"), &TFM_Data::DeleteAllColumnsClick);
    MI_AddTagColumn = MakeAction(tr("Add Tag Quantities Column"), &TFM_Data::AddTagColumnClick);
    MI_RemoveTagColumn = MakeAction(tr("Remove Tag Quantities Column"), &TFM_Data::RemoveTagColumnClick);
    MI_PrintCurrentRow = MakeAction(tr("Print Current Row Directly"), &TFM_Data::PrintCurrentRowClick);
    MI_InsertPicture = MakeAction(tr("Insert a Picture Path Name ..."), &TFM_Data::InsertPictureClick,
                                  QKeySequence(Qt::CTRL | Qt::Key_P));
    MI_Help = MakeAction(tr("&Help"), &TFM_Data::HelpClick);
    MI_Undo = MakeAction(tr("&Undo"), &TFM_Data::UndoClick, QKeySequence(Qt::CTRL | Qt::Key_Z));
    MI_Redo = MakeAction(tr("&Redo"), &TFM_Data::RedoClick, QKeySequence(Qt::CTRL | Qt::Key_Y));
    MI_Redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    MI_Undo->setEnabled(false);
    MI_Redo->setEnabled(false);
    connect(FUndo, &QUndoStack::canUndoChanged, MI_Undo, &QAction::setEnabled);
    connect(FUndo, &QUndoStack::canRedoChanged, MI_Redo, &QAction::setEnabled);
    connect(FUndo, &QUndoStack::undoTextChanged, MI_Undo,
            [this](const QString& text) { MI_Undo->setText(text.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(text)); });
    connect(FUndo, &QUndoStack::redoTextChanged, MI_Redo,
            [this](const QString& text) { MI_Redo->setText(text.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(text)); });
    MI_Copy = MakeAction(tr("&Copy"), &TFM_Data::CopyClick, QKeySequence(Qt::CTRL | Qt::Key_C));
    MI_Paste = MakeAction(tr("&Paste"), &TFM_Data::PasteClick, QKeySequence(Qt::CTRL | Qt::Key_V));
    MI_FindNext = MakeAction(tr("Find Next"), &TFM_Data::FindNextClick, QKeySequence(Qt::CTRL | Qt::Key_G));
    MI_FitColumns = MakeAction(tr("Fit Column Widths"), &TFM_Data::FitColumnsClick);

    // Menu bar.
    MainMenu = new QMenuBar(this);
    QMenu* file = MainMenu->addMenu(tr("&File"));
    file->addAction(MI_ImportData);
    file->addSeparator();
    file->addAction(MI_Close);
    QMenu* edit = MainMenu->addMenu(tr("&Edit"));
    edit->addAction(MI_Undo);
    edit->addAction(MI_Redo);
    edit->addSeparator();
    edit->addAction(MI_Copy);
    edit->addAction(MI_Paste);
    edit->addSeparator();
    edit->addAction(MI_Search);
    edit->addAction(MI_FindNext);
    edit->addAction(MI_FillSequence);
    edit->addSeparator();
    edit->addAction(MI_ClearSelected);
    edit->addAction(MI_ClearAll);
    auto addRowEntries = [this](QMenu* m) {
        m->addAction(MI_InsertRow);
        m->addAction(MI_ClearRow);
        m->addAction(MI_DeleteRow);
        m->addAction(MI_DeleteAllRows);
    };
    auto addColumnEntries = [this](QMenu* m) {
        m->addAction(MI_AddColumn);
        m->addAction(MI_RenameColumn);
        m->addAction(MI_ClearColumn);
        m->addAction(MI_DeleteColumn);
        m->addAction(MI_DeleteAllColumns);
        m->addSeparator();
        m->addAction(MI_FitColumns);
    };
    addRowEntries(MainMenu->addMenu(tr("&Rows")));
    addColumnEntries(MainMenu->addMenu(tr("&Columns")));
    QMenu* others = MainMenu->addMenu(tr("Others"));
    QMenu* tag = others->addMenu(tr("Tag Control"));
    tag->addAction(MI_AddTagColumn);
    tag->addAction(MI_RemoveTagColumn);
    others->addAction(MI_PrintCurrentRow);
    MainMenu->addAction(MI_Help);

    // Popup menu of the grid.
    PMenu_Data = new QMenu(this);
    PMenu_Data->setObjectName(QStringLiteral("PMenu_Data"));
    addRowEntries(PMenu_Data->addMenu(tr("Rows")));
    addColumnEntries(PMenu_Data->addMenu(tr("Columns")));
    PMenu_Data->addSeparator();
    PMenu_Data->addAction(MI_FillSequence);
    PMenu_Data->addAction(MI_InsertPicture);
    PMenu_Data->addAction(MI_ImportData);
    PMenu_Data->addSeparator();
    PMenu_Data->addAction(MI_ClearAll);
    PMenu_Data->addAction(MI_ClearSelectedPopup);
    connect(StrGrid_Data, &QWidget::customContextMenuRequested, this, &TFM_Data::ShowPopupMenu);

    // Buttons and layout.
    Btn_OK = new QPushButton(tr("&OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setAutoDefault(false);
    Btn_OK->setAccessibleName(tr("OK"));
    Btn_Cancel = new QPushButton(tr("&Cancel"), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setAutoDefault(false);
    Btn_Cancel->setAccessibleName(tr("Cancel"));
    connect(Btn_OK, &QPushButton::clicked, this, &TFM_Data::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFM_Data::reject);
    Lab_Status = new QLabel(this);
    Lab_Status->setObjectName(QStringLiteral("Lab_Status"));
    Lab_Status->setTextFormat(Qt::PlainText);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Lab_Status, 1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    layout->addWidget(StrGrid_Data, 1);
    layout->addLayout(buttons);

    // Keep the grid's current cell, selection and widths in step with the view.
    connect(StrGrid_Data->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFM_Data::OnCurrentChanged);
    connect(StrGrid_Data->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFM_Data::OnSelectionChanged);
    connect(hh, &QHeaderView::sectionResized, this, &TFM_Data::OnSectionResized);
    connect(hh, &QHeaderView::sectionClicked, this, [this](int section) {
        try {
            HeaderClick(section);
        } catch (const std::exception& e) {
            Dialogs().MessageDlg(QString::fromStdString(e.what()), TMsgDlgType::mtError, mbOK);
            RefreshView();
        }
    });
    connect(hh, &QHeaderView::sectionMoved, this, [this](int, int oldVisual, int newVisual) {
        if (!FUpdating)
            QMetaObject::invokeMethod(
                this, [this, oldVisual, newVisual] { OnColumnMoved(oldVisual, newVisual); }, Qt::QueuedConnection);
    });
    connect(vh, &QHeaderView::sectionMoved, this, [this](int, int oldVisual, int newVisual) {
        if (!FUpdating)
            QMetaObject::invokeMethod(
                this, [this, oldVisual, newVisual] { OnRowMoved(oldVisual, newVisual); }, Qt::QueuedConnection);
    });

    RefreshView();
}

TFM_Data::~TFM_Data()
{
    // The steps call back into the window: let them go while it is whole.
    FForgetting = true;
    FUndo->clear();
}

QAction* TFM_Data::MakeAction(const QString& text, void (TFM_Data::*handler)(), const QKeySequence& key)
{
    auto* a = new QAction(text, this);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);  // the shortcut works while the window is active, menus open or not
    }
    connect(a, &QAction::triggered, this, [this, handler] { RunCommand(handler); });
    return a;
}

void TFM_Data::RunCommand(void (TFM_Data::*handler)())
{
    // A command that runs into a limit (rows, columns, memory) reports it and
    // leaves the datasheet as far as it got; nothing escapes into the event loop.
    try {
        (this->*handler)();
    } catch (const std::exception& e) {
        Dialogs().MessageDlg(QString::fromStdString(e.what()), TMsgDlgType::mtError, mbOK);
        RefreshView();
    }
}

int TFM_Data::Execute()
{
    return exec();
}

bool TFM_Data::Confirm(const QString& text)
{
    return Dialogs().MessageDlg(text, TMsgDlgType::mtWarning, mbYes | mbCancel, mbCancel) == mbYes;
}

// ---------------------------------------------------------------------------
// Undo

TFM_Data::TSheetState TFM_Data::State() const
{
    return TSheetState{FData.StrGrid_Data, FSortCol, FSortAscending};
}

void TFM_Data::RestoreState(const TSheetState& state, bool keepWidths)
{
    TAdvStringGrid& g = FData.StrGrid_Data;
    const std::vector<int> widths = g.ColWidths();
    g = state.grid;
    if (keepWidths && int(widths.size()) == g.ColCount())
        for (int c = 0; c < g.ColCount(); ++c)
            g.SetColWidth(c, widths[std::size_t(c)]);
    FSortCol = state.sortCol;
    FSortAscending = state.sortAscending;
    RefreshView();
}

void TFM_Data::RestoreCell(int col, int row, const QString& text)
{
    TAdvStringGrid& g = FData.StrGrid_Data;
    g.SetCell(col, row, text);
    g.SetCurrent(col, row);
    g.SetSelection({col, row, col, row});
    const QModelIndex index = FModel->index(row - 1, col - 1);
    Q_EMIT FModel->dataChanged(index, index);
    ShowCurrentCell();
}

void TFM_Data::PushStep(const QString& what, TSheetState before)
{
    FUndo->push(new TSheetStep(this, what, std::move(before), State()));
}

template <typename F>
bool TFM_Data::Step(const QString& what, F change)
{
    TSheetState before = State();
    bool changed = false;
    try {
        changed = change();
    } catch (...) {
        if (!SameCells(before.grid, FData.StrGrid_Data))  // stopped part way: that part can be undone
            PushStep(what, std::move(before));
        throw;
    }
    if (changed)
        PushStep(what, std::move(before));
    return changed;
}

void TFM_Data::NoteChange()
{
    FChanged = true;
    Q_EMIT DataChanged();
}

void TFM_Data::ForgetHistory()
{
    FForgetting = true;
    FUndo->clear();
    FForgetting = false;
}

void TFM_Data::UndoClick()
{
    CommitEditor();
    if (FUndo->canUndo()) {
        TBusyCursor busy;
        FUndo->undo();
    }
}

void TFM_Data::RedoClick()
{
    CommitEditor();
    if (FUndo->canRedo()) {
        TBusyCursor busy;
        FUndo->redo();
    }
}

void TFM_Data::CommitEditor()
{
    const QModelIndex current = StrGrid_Data->currentIndex();
    if (!current.isValid())
        return;
    if (QWidget* editor = StrGrid_Data->indexWidget(current)) {
        QAbstractItemDelegate* delegate = StrGrid_Data->itemDelegateForIndex(current);
        Q_EMIT delegate->commitData(editor);
        Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

// ---------------------------------------------------------------------------
// View synchronisation

void TFM_Data::RefreshView()
{
    const bool wasUpdating = FUpdating;
    FUpdating = true;
    const TAdvStringGrid& g = FData.StrGrid_Data;
    FModel->Reset();
    QHeaderView* hh = StrGrid_Data->horizontalHeader();
    for (int c = 1; c < g.ColCount(); ++c)
        if (hh->sectionSize(c - 1) != g.ColWidth(c))
            hh->resizeSection(c - 1, g.ColWidth(c));
    StrGrid_Data->verticalHeader()->setMinimumWidth(g.ColWidth(0));
    if (FSortCol >= 1 && FSortCol < g.ColCount()) {
        hh->setSortIndicatorShown(true);
        hh->setSortIndicator(FSortCol - 1, FSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    } else {
        FSortCol = -1;
        hh->setSortIndicatorShown(false);
        hh->setSortIndicator(-1, Qt::AscendingOrder);
    }
    ShowCurrentCell();
    FUpdating = wasUpdating;
}

void TFM_Data::UpdateStatus()
{
    const TAdvStringGrid& g = FData.StrGrid_Data;
    const int rows = g.RowCount() - 1;
    const int row = rows > 0 ? std::clamp(g.Row(), 1, rows) : 0;
    const int col = std::clamp(g.Col(), 1, std::max(g.ColCount() - 1, 1));
    QString name = g.Cells(col, 0).trimmed();
    if (name.isEmpty())
        name = QString::number(col);
    Lab_Status->setText(tr("Row %1 of %2 \u00B7 Column %3").arg(row).arg(rows).arg(name));
}

void TFM_Data::ShowCurrentCell()
{
    const bool wasUpdating = FUpdating;
    FUpdating = true;
    const TAdvStringGrid& g = FData.StrGrid_Data;
    const int rows = FModel->rowCount();
    const int cols = FModel->columnCount();
    QItemSelectionModel* sm = StrGrid_Data->selectionModel();
    if (rows > 0 && cols > 0) {
        const int row = std::clamp(g.Row() - 1, 0, rows - 1);
        const int col = std::clamp(g.Col() - 1, 0, cols - 1);
        const QModelIndex current = FModel->index(row, col);
        TGridRect sel = g.Selection();
        if (sel.IsEmpty() || sel.Left < 1 || sel.Top < 1)
            sel = {col + 1, row + 1, col + 1, row + 1};
        const QModelIndex tl = FModel->index(std::clamp(sel.Top - 1, 0, rows - 1), std::clamp(sel.Left - 1, 0, cols - 1));
        const QModelIndex br =
            FModel->index(std::clamp(sel.Bottom - 1, 0, rows - 1), std::clamp(sel.Right - 1, 0, cols - 1));
        sm->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        sm->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
        StrGrid_Data->scrollTo(current);
    } else {
        sm->clear();
    }
    UpdateStatus();
    FUpdating = wasUpdating;
}

void TFM_Data::CellsChanged()
{
    FModel->CellsChanged();
    ShowCurrentCell();
}

void TFM_Data::ClearSortMark()
{
    FSortCol = -1;
}

void TFM_Data::OnCurrentChanged()
{
    if (FUpdating)
        return;
    const QModelIndex idx = StrGrid_Data->currentIndex();
    if (idx.isValid())
        FData.StrGrid_Data.SetCurrent(idx.column() + 1, idx.row() + 1);
    UpdateStatus();
}

void TFM_Data::OnSelectionChanged()
{
    if (FUpdating)
        return;
    const QItemSelection selection = StrGrid_Data->selectionModel()->selection();
    TAdvStringGrid& g = FData.StrGrid_Data;
    if (selection.isEmpty()) {
        g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
        return;
    }
    TGridRect r{INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& range : selection) {
        r.Left = std::min(r.Left, range.left() + 1);
        r.Top = std::min(r.Top, range.top() + 1);
        r.Right = std::max(r.Right, range.right() + 1);
        r.Bottom = std::max(r.Bottom, range.bottom() + 1);
    }
    g.SetSelection(r);
}

void TFM_Data::OnSectionResized(int logical, int, int newSize)
{
    if (FUpdating || FData.StrGrid_Data.ColWidth(logical + 1) == newSize)
        return;
    FData.StrGrid_Data.SetColWidth(logical + 1, newSize);
    NoteChange();  // widths are kept in the label file
}

void TFM_Data::OnColumnMoved(int oldVisual, int newVisual)
{
    CommitEditor();
    // The header only moved the section on screen: put it back and move the
    // column itself, so that column order, widths and names stay in the grid.
    FUpdating = true;
    StrGrid_Data->horizontalHeader()->moveSection(newVisual, oldVisual);
    FUpdating = false;
    Step(tr("Move Column"), [&] {
        TAdvStringGrid& g = FData.StrGrid_Data;
        const int from = oldVisual + 1;
        const int to = newVisual + 1;
        const int col = g.Col();
        g.MoveColumn(from, to);
        if (col == from)
            g.SetCol(to);
        else if (from < to && col > from && col <= to)
            g.SetCol(col - 1);
        else if (from > to && col >= to && col < from)
            g.SetCol(col + 1);
        g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
        if (FSortCol == from)
            FSortCol = to;
        else
            ClearSortMark();
        return true;
    });
    RefreshView();
}

void TFM_Data::OnRowMoved(int oldVisual, int newVisual)
{
    CommitEditor();
    FUpdating = true;
    StrGrid_Data->verticalHeader()->moveSection(newVisual, oldVisual);
    FUpdating = false;
    Step(tr("Move Row"), [&] {
        TAdvStringGrid& g = FData.StrGrid_Data;
        g.MoveRow(oldVisual + 1, newVisual + 1);
        g.SetRow(newVisual + 1);
        g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
        ClearSortMark();
        return true;
    });
    RefreshView();
}

void TFM_Data::showEvent(QShowEvent* event)
{
    // A datasheet replaced while the window was closed (a new or opened label)
    // makes the old steps meaningless.
    if (FHasLeft && !SameCells(FLeft, FData.StrGrid_Data))
        ForgetHistory();
    // Cancel goes back to this.
    FOpened = State();
    FChanged = false;
    QDialog::showEvent(event);
    RefreshView();
    StrGrid_Data->setEnabled(true);
    StrGrid_Data->setFocus();
}

void TFM_Data::done(int result)
{
    if (result == Accepted) {
        CommitEditor();
    } else {
        // Cancel, Esc and the window's close button throw away what was done
        // here: the cell being typed, and every change since the window opened.
        if (QWidget* editor = StrGrid_Data->indexWidget(StrGrid_Data->currentIndex()))
            Q_EMIT StrGrid_Data->itemDelegateForIndex(StrGrid_Data->currentIndex())
                ->closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (!SameCells(FOpened.grid, FData.StrGrid_Data))
            ForgetHistory();
        RestoreState(FOpened, false);
    }
    FChanged = !SameCells(FOpened.grid, FData.StrGrid_Data);
    FLeft = FData.StrGrid_Data;
    FHasLeft = true;
    FData.BuildPrintGrid();
    FData.ClearStaleBindings();
    if (FData.PrintGridTruncated()) {
        Dialogs().MessageDlg(tr("The tag quantities ask for more than %1 labels; only the first %1 "
                                "will be printed.")
                                 .arg(TAdvStringGrid::kMaxRowCount - 1),
                             TMsgDlgType::mtWarning, mbOK);
    }
    QDialog::done(result);
}

void TFM_Data::ShowPopupMenu(const QPoint& pos)
{
    PMenu_Data->popup(StrGrid_Data->viewport()->mapToGlobal(pos));
}

void TFM_Data::MoveAfterEnter()
{
    const QModelIndex current = StrGrid_Data->currentIndex();
    if (current.isValid() && current.row() + 1 < FModel->rowCount())
        StrGrid_Data->setCurrentIndex(FModel->index(current.row() + 1, current.column()));
}

// ---------------------------------------------------------------------------
// Column widths

int TFM_Data::FitColumnWidth(int col) const
{
    const TAdvStringGrid& g = FData.StrGrid_Data;
    const QHeaderView* hh = StrGrid_Data->horizontalHeader();
    const int cellPadding = 2 * (StrGrid_Data->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 6;
    // The name leaves room for the sort mark.
    const int headerPadding = 2 * hh->style()->pixelMetric(QStyle::PM_HeaderMargin) + 16;
    int width = LongestLine(hh->fontMetrics(), g.Cells(col, 0)) + headerPadding;
    const QFontMetrics fm = StrGrid_Data->fontMetrics();
    const int lastRow = std::min(g.RowCount() - 1, kFitSampleRows);
    for (int r = 1; r <= lastRow && width < kMaxFitWidth; ++r)
        if (!g.IsCellEmpty(col, r))
            width = std::max(width, LongestLine(fm, g.Cells(col, r)) + cellPadding);
    return std::clamp(width, kMinFitWidth, kMaxFitWidth);
}

void TFM_Data::FitColumns(bool all)
{
    TAdvStringGrid& g = FData.StrGrid_Data;
    for (int c = 1; c < g.ColCount(); ++c) {
        const int width = FitColumnWidth(c);
        if (all || width > g.ColWidth(c))
            g.SetColWidth(c, width);
    }
}

void TFM_Data::FitColumnsClick()
{
    CommitEditor();
    Step(tr("Fit Column Widths"), [this] {
        const std::vector<int> before = FData.StrGrid_Data.ColWidths();
        FitColumns(true);
        return FData.StrGrid_Data.ColWidths() != before;
    });
    RefreshView();
}

// ---------------------------------------------------------------------------
// Commands

bool TFM_Data::HoldsData() const
{
    const TAdvStringGrid& g = FData.StrGrid_Data;
    for (int c = 1; c < g.ColCount(); ++c)
        for (int r = 1; r < g.RowCount(); ++r)
            if (!g.IsCellEmpty(c, r))
                return true;
    return false;
}

void TFM_Data::ImportDataClick()
{
    CommitEditor();
    const QString path = Dialogs().OpenFileName(tr("Import Data"), DataFolder, ImportFileFilter());
    if (path.isEmpty())
        return;
    if (HoldsData() && !Confirm(tr("The imported data replaces all data of the datasheet. Continue?")))
        return;
    const TTablePicker picker = TablePicker ? TablePicker : TTablePicker(AskTableName);
    TSheetState before = State();
    TDone imported;
    {
        TBusyCursor busy;
        imported = FData.ImportFile(path, picker, ImportLoader ? ImportLoader : TImportLoader(ImportDataFile));
        if (imported)
            FitColumns(true);
    }
    if (!imported.Message().isEmpty()) {
        Dialogs().MessageDlg(imported.Message(), TMsgDlgType::mtError, mbOK);
        return;
    }
    if (imported) {
        DataFolder = QFileInfo(path).absolutePath();
        ClearSortMark();
        PushStep(tr("Import Data"), std::move(before));
        RefreshView();
        if (!FData.ImportWarnings().isEmpty())
            Dialogs().MessageDlg(FData.ImportWarnings().join(u'\n'), TMsgDlgType::mtWarning, mbOK);
    }
}

void TFM_Data::ShowFound(QPoint cell, const QString& input)
{
    if (cell.x() < 0) {
        Dialogs().MessageDlg(tr("\"%1\" was not found in the datasheet.").arg(input), TMsgDlgType::mtInformation,
                             mbOK);
        return;
    }
    TAdvStringGrid& g = FData.StrGrid_Data;
    g.SetCurrent(cell.x(), cell.y());
    g.SetSelection({cell.x(), cell.y(), cell.x(), cell.y()});
    ShowCurrentCell();
}

void TFM_Data::SearchClick()
{
    CommitEditor();
    QString value;
    if (!Dialogs().InputQuery(tr("Search"), tr("Please input the value you want to search:"), value))
        return;
    if (value.trimmed().isEmpty())
        return;
    FLastSearch = value;
    TBusyCursor busy;
    ShowFound(FData.Search(value), value);
}

void TFM_Data::FindNextClick()
{
    CommitEditor();
    if (FLastSearch.isEmpty()) {
        SearchClick();
        return;
    }
    const TAdvStringGrid& g = FData.StrGrid_Data;
    QPoint found;
    {
        TBusyCursor busy;
        found = TDatasheetModel::FindNext(g, FLastSearch, g.Col(), g.Row());
    }
    ShowFound(found, FLastSearch);
}

void TFM_Data::CopyClick()
{
    CommitEditor();
    const TAdvStringGrid& g = FData.StrGrid_Data;
    TGridRect rect = g.Selection();
    if (rect.IsEmpty() || rect.Left < 1 || rect.Top < 1)
        rect = {g.Col(), g.Row(), g.Col(), g.Row()};
    if (rect.Left < 1 || rect.Top < 1)
        return;
    QGuiApplication::clipboard()->setText(TDatasheetModel::CopyText(g, rect));
}

void TFM_Data::PasteClick()
{
    CommitEditor();
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    Step(tr("Paste"), [&] {
        TAdvStringGrid& g = FData.StrGrid_Data;
        const TGridRect rect = TDatasheetModel::PasteText(g, g.Col(), g.Row(), text);
        if (rect.IsEmpty())
            return false;
        g.SetSelection(rect);
        FitColumns(false);  // new columns and longer values show whole
        return true;
    });
    RefreshView();
}

void TFM_Data::ClearCellsKey()
{
    Step(tr("Clear Cells"), [this] {
        FData.ClearSelectedCells();
        return true;
    });
    CellsChanged();
}

void TFM_Data::FillSequenceClick()
{
    CommitEditor();
    if (!FSdata->Execute())
        return;
    const int rows = FData.StrGrid_Data.RowCount();
    Step(MI_FillSequence->text(), [this] {
        FData.FillSequence(FSdata->SequenceValues);
        return !FSdata->SequenceValues.isEmpty();
    });
    if (FData.StrGrid_Data.RowCount() != rows)
        RefreshView();
    else
        CellsChanged();
}

void TFM_Data::ClearSelectedClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure clear all selected data?")))
        return;
    Step(MI_ClearSelected->text(), [this] {
        FData.ClearSelectedCells();
        return true;
    });
    CellsChanged();
}

void TFM_Data::ClearAllClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure clear all data?")))
        return;
    Step(MI_ClearAll->text(), [this] {
        FData.ClearAllData();
        return true;
    });
    CellsChanged();
}

void TFM_Data::InsertRowClick()
{
    CommitEditor();
    Step(MI_InsertRow->text(), [this] {
        FData.InsertBlankRow();
        return true;
    });
    RefreshView();
}

void TFM_Data::ClearRowClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure clear data in this row?")))
        return;
    Step(MI_ClearRow->text(), [this] {
        FData.ClearCurrentRow();
        return true;
    });
    CellsChanged();
}

void TFM_Data::DeleteRowClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure delete this row?")))
        return;
    Step(MI_DeleteRow->text(), [this] {
        FData.DeleteCurrentRow();
        return true;
    });
    RefreshView();
}

void TFM_Data::DeleteAllRowsClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure delete all rows?")))
        return;
    Step(MI_DeleteAllRows->text(), [this] {
        FData.DeleteAllRows();
        return true;
    });
    RefreshView();
}

void TFM_Data::AddColumnClick()
{
    CommitEditor();
    QString name;  // cancelling leaves it empty: the blank-name error follows
    Dialogs().InputQuery(tr("Inset a Column"), tr("Please input the column name:"), name);
    QString error;
    Step(MI_AddColumn->text(), [&] {
        error = FData.AddColumn(name);
        return error.isEmpty();
    });
    if (!error.isEmpty()) {
        Dialogs().MessageDlg(error, TMsgDlgType::mtError, mbOK);
        return;
    }
    RefreshView();
}

void TFM_Data::RenameColumnClick()
{
    CommitEditor();
    const TAdvStringGrid& g = FData.StrGrid_Data;
    if (g.Col() < 1)
        return;
    const QString old = g.Cells(g.Col(), 0);
    QString name = old;  // cancelling keeps it: nothing changes
    Dialogs().InputQuery(tr("Change Column Name"), tr("Please input the column name:"), name);
    QString error;
    Step(MI_RenameColumn->text(), [&] {
        error = FData.RenameColumn(name);
        return error.isEmpty() && g.Cells(g.Col(), 0) != old;
    });
    if (!error.isEmpty()) {
        Dialogs().MessageDlg(error, TMsgDlgType::mtError, mbOK);
        return;
    }
    CellsChanged();
}

void TFM_Data::ClearColumnClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure clear data in this column?")))
        return;
    Step(MI_ClearColumn->text(), [this] {
        FData.ClearCurrentColumn();
        return true;
    });
    CellsChanged();
}

void TFM_Data::DeleteColumnClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure delete this column?")))
        return;
    Step(MI_DeleteColumn->text(), [this] {
        const int col = FData.StrGrid_Data.Col();
        FData.DeleteCurrentColumn();
        if (FSortCol == col)
            ClearSortMark();
        else if (FSortCol > col)
            --FSortCol;
        return true;
    });
    RefreshView();
}

void TFM_Data::DeleteAllColumnsClick()
{
    CommitEditor();
    if (!Confirm(tr("Are you sure delete all columns?")))
        return;
    Step(MI_DeleteAllColumns->text(), [this] {
        FData.DeleteAllColumns();
        ClearSortMark();
        return true;
    });
    RefreshView();
}

void TFM_Data::AddTagColumnClick()
{
    CommitEditor();
    if (Step(MI_AddTagColumn->text(), [this] { return FData.AddTagColumn(); }))
        RefreshView();
}

void TFM_Data::RemoveTagColumnClick()
{
    CommitEditor();
    const int tag = FData.TagQtyColumn();
    if (tag == -1) {
        Dialogs().MessageDlg(tr("No tag control column be found!"), TMsgDlgType::mtInformation, mbOK);
        return;
    }
    if (!Confirm(tr("Are you sure delete tag control column?")))
        return;
    Step(MI_RemoveTagColumn->text(), [&] {
        FData.RemoveTagColumn();
        if (FSortCol == tag)
            ClearSortMark();
        else if (FSortCol > tag)
            --FSortCol;
        return true;
    });
    RefreshView();
}

void TFM_Data::PrintCurrentRowClick()
{
    CommitEditor();
    FData.BuildPrintGridCurrentRow();
    if (OnPrintCurrentRow)
        OnPrintCurrentRow();
}

void TFM_Data::InsertPictureClick()
{
    CommitEditor();
    const QString path = Dialogs().OpenFileName(
        tr("Open Picture"), DataFolder,
        tr("All Pictures (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;"
           "Metafiles (*.emf *.wmf);;JPEG Images (*.jpg *.jpeg);;All Files (*)"));
    if (path.isEmpty())
        return;
    Step(MI_InsertPicture->text(), [&] {
        FData.SetCurrentCellText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
        return true;
    });
    CellsChanged();
}

void TFM_Data::HelpClick()
{
    if (OnHelp)
        OnHelp(QStringLiteral("datasheet.htm"));
}

void TFM_Data::HeaderClick(int section)
{
    CommitEditor();
    const int col = section + 1;
    FData.StrGrid_Data.SetCol(col);  // the clicked column becomes the current one
    if (FData.StrGrid_Data.RowCount() - 1 < 2) {
        RefreshView();  // puts the sort mark back where it was
        return;
    }
    const bool ascending = col == FSortCol ? !FSortAscending : true;
    Step(tr("Sort"), [&] {
        TBusyCursor busy;
        FData.SortByColumn(col, ascending);
        FSortCol = col;
        FSortAscending = ascending;
        return true;
    });
    RefreshView();
}
