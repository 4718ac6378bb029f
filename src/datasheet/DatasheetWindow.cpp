#include "datasheet/DatasheetWindow.h"

#include "datasheet/GetTable.h"

#include "app/UserDialogs.h"
#include "datasheet/DatasheetModel.h"
#include "datasheet/SequenceDialog.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

constexpr int kRowHeight = 21;

class TBusyCursor {
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Without the table picker window: an input box asks for one of the names.
bool AskTableName(const QStringList& tables, QString& chosen)
{
    if (tables.isEmpty())
        return false;
    QString name = tables.front();
    if (!Dialogs().InputQuery(QStringLiteral("Select Tabel from Access Database"),
                              QStringLiteral("Please Select a Table to Import:"), name))
        return false;
    for (const QString& t : tables) {
        if (t.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            chosen = t;
            return true;
        }
    }
    return false;
}

}  // namespace

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
    setWindowTitle(QStringLiteral("Datasheet"));
    setModal(true);
    resize(680, 440);

    FModel = new TDatasheetModel(FData.StrGrid_Data, this);
    FSdata = new TFM_Sdata(this);

    StrGrid_Data = new QTableView(this);
    StrGrid_Data->setObjectName(QStringLiteral("StrGrid_Data"));
    StrGrid_Data->setVerticalHeader(new TRowNumberHeader(StrGrid_Data));
    StrGrid_Data->setModel(FModel);
    StrGrid_Data->setToolTip(QStringLiteral("Right Click to Pop up Menu"));
    StrGrid_Data->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StrGrid_Data->setSelectionBehavior(QAbstractItemView::SelectItems);
    StrGrid_Data->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                  QAbstractItemView::AnyKeyPressed);
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
    MI_ImportData = MakeAction(QStringLiteral("Import Data ..."), &TFM_Data::ImportDataClick);
    MI_Close = new QAction(QStringLiteral("Close"), this);
    connect(MI_Close, &QAction::triggered, this, &TFM_Data::reject);
    MI_Search = MakeAction(QStringLiteral("Search ..."), &TFM_Data::SearchClick);
    MI_FillSequence = MakeAction(QStringLiteral("Fill Sequence Data ..."), &TFM_Data::FillSequenceClick,
                                 QKeySequence(Qt::CTRL | Qt::Key_F));
    MI_ClearSelected = MakeAction(QStringLiteral("Clear Selected Cells Data"), &TFM_Data::ClearSelectedClick);
    MI_ClearSelectedPopup = MakeAction(QStringLiteral("Clear Selectd Cells Data"), &TFM_Data::ClearSelectedClick);
    MI_ClearAll = MakeAction(QStringLiteral("Clear All Data"), &TFM_Data::ClearAllClick);
    MI_InsertRow = MakeAction(QStringLiteral("Insert Blank Row"), &TFM_Data::InsertRowClick, QKeySequence(Qt::Key_F2));
    MI_ClearRow = MakeAction(QStringLiteral("Clear Current Row Data"), &TFM_Data::ClearRowClick);
    MI_DeleteRow = MakeAction(QStringLiteral("Delete Current Row"), &TFM_Data::DeleteRowClick, QKeySequence(Qt::Key_F3));
    MI_DeleteAllRows = MakeAction(QStringLiteral("Delete All Rows"), &TFM_Data::DeleteAllRowsClick);
    MI_AddColumn = MakeAction(QStringLiteral("Add a New Column"), &TFM_Data::AddColumnClick, QKeySequence(Qt::Key_F5));
    MI_RenameColumn = MakeAction(QStringLiteral("Rename Column"), &TFM_Data::RenameColumnClick);
    MI_ClearColumn = MakeAction(QStringLiteral("Clear Current Column Data"), &TFM_Data::ClearColumnClick);
    MI_DeleteColumn =
        MakeAction(QStringLiteral("Delete Current Column"), &TFM_Data::DeleteColumnClick, QKeySequence(Qt::Key_F6));
    MI_DeleteAllColumns = MakeAction(QStringLiteral("Delete All Columns (and Rows)"), &TFM_Data::DeleteAllColumnsClick);
    MI_AddTagColumn = MakeAction(QStringLiteral("Add Tag Quantities Column"), &TFM_Data::AddTagColumnClick);
    MI_RemoveTagColumn = MakeAction(QStringLiteral("Remove Tag Quantities Column"), &TFM_Data::RemoveTagColumnClick);
    MI_PrintCurrentRow = MakeAction(QStringLiteral("Print Current Row Directly"), &TFM_Data::PrintCurrentRowClick);
    MI_InsertPicture = MakeAction(QStringLiteral("Insert a Picture Path Name ..."), &TFM_Data::InsertPictureClick,
                                  QKeySequence(Qt::CTRL | Qt::Key_P));
    MI_Help = MakeAction(QStringLiteral("&Help"), &TFM_Data::HelpClick);

    // Menu bar.
    MainMenu = new QMenuBar(this);
    QMenu* file = MainMenu->addMenu(QStringLiteral("&File"));
    file->addAction(MI_ImportData);
    file->addSeparator();
    file->addAction(MI_Close);
    QMenu* edit = MainMenu->addMenu(QStringLiteral("&Edit"));
    edit->addAction(MI_Search);
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
    };
    addRowEntries(MainMenu->addMenu(QStringLiteral("&Rows")));
    addColumnEntries(MainMenu->addMenu(QStringLiteral("&Columns")));
    QMenu* others = MainMenu->addMenu(QStringLiteral("Others"));
    QMenu* tag = others->addMenu(QStringLiteral("Tag Control"));
    tag->addAction(MI_AddTagColumn);
    tag->addAction(MI_RemoveTagColumn);
    others->addAction(MI_PrintCurrentRow);
    MainMenu->addAction(MI_Help);

    // Popup menu of the grid.
    PMenu_Data = new QMenu(this);
    PMenu_Data->setObjectName(QStringLiteral("PMenu_Data"));
    addRowEntries(PMenu_Data->addMenu(QStringLiteral("Rows")));
    addColumnEntries(PMenu_Data->addMenu(QStringLiteral("Columns")));
    PMenu_Data->addSeparator();
    PMenu_Data->addAction(MI_FillSequence);
    PMenu_Data->addAction(MI_InsertPicture);
    PMenu_Data->addAction(MI_ImportData);
    PMenu_Data->addSeparator();
    PMenu_Data->addAction(MI_ClearAll);
    PMenu_Data->addAction(MI_ClearSelectedPopup);
    connect(StrGrid_Data, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PMenu_Data->popup(StrGrid_Data->viewport()->mapToGlobal(pos)); });

    // Buttons and layout.
    Btn_OK = new QPushButton(QStringLiteral("&OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setAutoDefault(false);
    Btn_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setAutoDefault(false);
    connect(Btn_OK, &QPushButton::clicked, this, &TFM_Data::accept);
    connect(Btn_Cancel, &QPushButton::clicked, this, &TFM_Data::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
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

TFM_Data::~TFM_Data() = default;

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
    return Dialogs().MessageDlg(text, TMsgDlgType::mtWarning, mbYes | mbCancel) == mbYes;
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
    if (!FUpdating)
        FData.StrGrid_Data.SetColWidth(logical + 1, newSize);
}

void TFM_Data::OnColumnMoved(int oldVisual, int newVisual)
{
    CommitEditor();
    // The header only moved the section on screen: put it back and move the
    // column itself, so that column order, widths and names stay in the grid.
    FUpdating = true;
    StrGrid_Data->horizontalHeader()->moveSection(newVisual, oldVisual);
    FUpdating = false;
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
    RefreshView();
}

void TFM_Data::OnRowMoved(int oldVisual, int newVisual)
{
    CommitEditor();
    FUpdating = true;
    StrGrid_Data->verticalHeader()->moveSection(newVisual, oldVisual);
    FUpdating = false;
    TAdvStringGrid& g = FData.StrGrid_Data;
    g.MoveRow(oldVisual + 1, newVisual + 1);
    g.SetRow(newVisual + 1);
    g.SetSelection({g.Col(), g.Row(), g.Col(), g.Row()});
    ClearSortMark();
    RefreshView();
}

void TFM_Data::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    RefreshView();
    StrGrid_Data->setEnabled(true);
    StrGrid_Data->setFocus();
}

void TFM_Data::done(int result)
{
    CommitEditor();
    FData.BuildPrintGrid();
    FData.ClearStaleBindings();
    if (FData.PrintGridTruncated()) {
        Dialogs().MessageDlg(QStringLiteral("The tag quantities ask for more than %1 labels; only the first %1 "
                                            "will be printed.")
                                 .arg(TAdvStringGrid::kMaxRowCount - 1),
                             TMsgDlgType::mtWarning, mbOK);
    }
    QDialog::done(result);
}

// ---------------------------------------------------------------------------
// Commands

void TFM_Data::ImportDataClick()
{
    CommitEditor();
    const QString path = Dialogs().OpenFileName(QStringLiteral("Import Data"), DataFolder, ImportFileFilter());
    if (path.isEmpty())
        return;
    const TTablePicker picker = TablePicker ? TablePicker : TTablePicker(AskTableName);
    QString error;
    bool imported = false;
    {
        TBusyCursor busy;
        try {
            imported = FData.ImportFile(path, picker, ImportLoader ? ImportLoader : TImportLoader(ImportDataFile));
        } catch (const std::exception& e) {
            error = QString::fromStdString(e.what());
        }
    }
    if (!error.isEmpty()) {
        Dialogs().MessageDlg(error, TMsgDlgType::mtError, mbOK);
        return;
    }
    if (imported) {
        DataFolder = QFileInfo(path).absolutePath();
        ClearSortMark();
        RefreshView();
    }
}

void TFM_Data::SearchClick()
{
    CommitEditor();
    QString value;
    if (!Dialogs().InputQuery(QStringLiteral("Search"), QStringLiteral("Please input the value you want to search:"),
                              value))
        return;
    TBusyCursor busy;
    if (FData.Search(value).x() >= 0)
        ShowCurrentCell();
}

void TFM_Data::FillSequenceClick()
{
    CommitEditor();
    if (!FSdata->Execute())
        return;
    const int rows = FData.StrGrid_Data.RowCount();
    FData.FillSequence(FSdata->SequenceValues);
    if (FData.StrGrid_Data.RowCount() != rows)
        RefreshView();
    else
        CellsChanged();
}

void TFM_Data::ClearSelectedClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure clear all selected data?")))
        return;
    FData.ClearSelectedCells();
    CellsChanged();
}

void TFM_Data::ClearAllClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure clear all data?")))
        return;
    FData.ClearAllData();
    CellsChanged();
}

void TFM_Data::InsertRowClick()
{
    CommitEditor();
    FData.InsertBlankRow();
    RefreshView();
}

void TFM_Data::ClearRowClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure clear data in this row?")))
        return;
    FData.ClearCurrentRow();
    CellsChanged();
}

void TFM_Data::DeleteRowClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure delete this row?")))
        return;
    FData.DeleteCurrentRow();
    RefreshView();
}

void TFM_Data::DeleteAllRowsClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure delete all rows?")))
        return;
    FData.DeleteAllRows();
    RefreshView();
}

void TFM_Data::AddColumnClick()
{
    CommitEditor();
    QString name;  // cancelling leaves it empty: the blank-name error follows
    Dialogs().InputQuery(QStringLiteral("Inset a Column"), QStringLiteral("Please input the column name:"), name);
    const QString error = FData.AddColumn(name);
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
    QString name = g.Cells(g.Col(), 0);  // cancelling keeps it: nothing changes
    Dialogs().InputQuery(QStringLiteral("Change Column Name"), QStringLiteral("Please input the column name:"), name);
    const QString error = FData.RenameColumn(name);
    if (!error.isEmpty()) {
        Dialogs().MessageDlg(error, TMsgDlgType::mtError, mbOK);
        return;
    }
    CellsChanged();
}

void TFM_Data::ClearColumnClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure clear data in this column?")))
        return;
    FData.ClearCurrentColumn();
    CellsChanged();
}

void TFM_Data::DeleteColumnClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure delete this column?")))
        return;
    const int col = FData.StrGrid_Data.Col();
    FData.DeleteCurrentColumn();
    if (FSortCol == col)
        ClearSortMark();
    else if (FSortCol > col)
        --FSortCol;
    RefreshView();
}

void TFM_Data::DeleteAllColumnsClick()
{
    CommitEditor();
    if (!Confirm(QStringLiteral("Are you sure delete all columns?")))
        return;
    FData.DeleteAllColumns();
    ClearSortMark();
    RefreshView();
}

void TFM_Data::AddTagColumnClick()
{
    CommitEditor();
    if (FData.AddTagColumn())
        RefreshView();
}

void TFM_Data::RemoveTagColumnClick()
{
    CommitEditor();
    const int tag = FData.TagQtyColumn();
    if (tag == -1) {
        Dialogs().MessageDlg(QStringLiteral("No tag control column be found!"), TMsgDlgType::mtInformation, mbOK);
        return;
    }
    if (!Confirm(QStringLiteral("Are you sure delete tag control column?")))
        return;
    FData.RemoveTagColumn();
    if (FSortCol == tag)
        ClearSortMark();
    else if (FSortCol > tag)
        --FSortCol;
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
        QStringLiteral("Open Picture"), DataFolder,
        QStringLiteral("All Pictures (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;"
                       "Metafiles (*.emf *.wmf);;JPEG Images (*.jpg *.jpeg);;All Files (*)"));
    if (path.isEmpty())
        return;
    FData.SetCurrentCellText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
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
    {
        TBusyCursor busy;
        FData.SortByColumn(col, ascending);
    }
    FSortCol = col;
    FSortAscending = ascending;
    RefreshView();
}
