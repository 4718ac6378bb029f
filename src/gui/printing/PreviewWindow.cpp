#include "gui/printing/PreviewWindow.h"

#include "engine/LabelDocument.h"
#include "gui/UserDialogs.h"
#include "document/MGraph.h"
#include "engine/printing/SheetLayout.h"
#include "gui/properties/PropertyUnits.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {

const char* const kZoomEntries[pzEntryCount] = {"Actual Size", "Fill in Window", "Fit Width", "75%", "50%", "20%"};

// The page: the recorded sheet stretched over the widget.
class TPageView : public QWidget {
public:
    TPageView(const TPreviewPage& page, QWidget* parent) : QWidget(parent), FPage(page) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const QSize paper = FPage.PaperSize;
        if (!FPage.Rendered || paper.isEmpty())
            return;
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(double(width()) / paper.width(), double(height()) / paper.height());
        FPage.Picture.Play(p);
    }

private:
    const TPreviewPage& FPage;
};

QString Plain(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

}  // namespace

int PreviewZoom(int entry, QSize window, QSize paper)
{
    switch (entry) {
    case pzFillInWindow:
        return paper.height() > 0 ? Round((window.height() - 100) / double(paper.height()) * 100) : 100;
    case pzFitWidth:
        return paper.width() > 0 ? Round((window.width() - 60) / double(paper.width()) * 100) : 100;
    case pz75: return 75;
    case pz50: return 50;
    case pz20: return 20;
    default: return 100;
    }
}

QRect PreviewPicturePlacement(QSize window, QSize paper, int zoom)
{
    const int w = Round(paper.width() * zoom / 100.0);
    const int h = Round(paper.height() * zoom / 100.0);
    // A page wider than the window starts at the left edge so it can be
    // scrolled to as a whole.
    const int left = std::max(0, Round((window.width() - (w + 20)) / 2.0));
    const int top = window.height() - h - 100 < 1 ? 0 : Round((window.height() - h - 100) / 2.0);
    return QRect(left, top, w, h);
}

TFM_Preview::TFM_Preview(TLabelDocument& doc, int invalidCodeProcess, QWidget* parent)
    : QDialog(parent), FDoc(doc), FInvalidCodeProcess(invalidCodeProcess)
{
    setWindowTitle(tr("Tagmora - Preview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint);

    Btn_Print = new QPushButton(tr("&Print ..."), this);
    Btn_Setting = new QPushButton(tr("&Setting ..."), this);
    Lab_View = new QLabel(tr("View:"), this);
    CBX_View = new QComboBox(this);
    for (const char* entry : kZoomEntries)
        CBX_View->addItem(tr(entry));
    Lab_View->setBuddy(CBX_View);
    Lab_Page = new QLabel(tr("Page:"), this);
    SEdt_Page = new TIntSpinBox(this);
    SEdt_Page->setRange(1, 1);
    Lab_Page->setBuddy(SEdt_Page);
    Btn_Close = new QPushButton(tr("&Close"), this);
    Btn_Print->setAccessibleName(Plain(Btn_Print->text()));
    Btn_Setting->setAccessibleName(Plain(Btn_Setting->text()));
    CBX_View->setAccessibleName(tr("View"));
    SEdt_Page->setAccessibleName(tr("Page"));
    Btn_Close->setAccessibleName(Plain(Btn_Close->text()));
    for (QPushButton* b : {Btn_Print, Btn_Setting, Btn_Close})
        b->setAutoDefault(false);

    SCB_Picture = new QScrollArea(this);
    SCB_Picture->setAccessibleName(tr("Page picture"));
    SCB_Picture->setBackgroundRole(QPalette::Dark);
    SCB_Picture->setFrameShape(QFrame::NoFrame);
    auto* sheet = new QWidget;
    sheet->setBackgroundRole(QPalette::Dark);
    SHP_Shadow = new QWidget(sheet);
    SHP_Shadow->setAutoFillBackground(true);
    SHP_Shadow->setBackgroundRole(QPalette::Window);
    QPalette black = SHP_Shadow->palette();
    black.setColor(QPalette::Window, Qt::black);
    SHP_Shadow->setPalette(black);
    IMG_Page = new TPageView(FPage, sheet);
    IMG_Page->setAccessibleName(tr("Page"));
    SCB_Picture->setWidget(sheet);
    SCB_Picture->viewport()->installEventFilter(this);

    MainMenu = new QMenuBar(this);
    QMenu* file = MainMenu->addMenu(tr("&File"));
    MI_Print = file->addAction(tr("Print ..."), this, &QDialog::accept);
    MI_Setting = file->addAction(tr("Setting ..."), this, &TFM_Preview::Btn_SettingClick);
    file->addSeparator();
    MI_Close = file->addAction(tr("Close"), this, &QDialog::reject);
    QMenu* view = MainMenu->addMenu(tr("&View"));
    for (int i = 0; i < pzEntryCount; ++i)
        MI_View[i] = view->addAction(tr(kZoomEntries[i]), this, [this, i] { CBX_View->setCurrentIndex(i); });
    MI_NextPage = new QAction(tr("Next Page"), this);
    MI_NextPage->setShortcut(QKeySequence(Qt::Key_PageDown));
    MI_PreviousPage = new QAction(tr("Previous Page"), this);
    MI_PreviousPage->setShortcut(QKeySequence(Qt::Key_PageUp));
    for (QAction* a : {MI_NextPage, MI_PreviousPage}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(MI_NextPage, &QAction::triggered, this, [this] { SEdt_Page->stepUp(); });
    connect(MI_PreviousPage, &QAction::triggered, this, [this] { SEdt_Page->stepDown(); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(Btn_Print);
    bar->addWidget(Btn_Setting);
    bar->addSpacing(16);
    bar->addWidget(Lab_View);
    bar->addWidget(CBX_View);
    bar->addSpacing(16);
    bar->addWidget(Lab_Page);
    bar->addWidget(SEdt_Page);
    bar->addStretch(1);
    bar->addWidget(Btn_Close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu);
    auto* barHolder = new QWidget(this);
    barHolder->setLayout(bar);
    layout->addWidget(barHolder);
    layout->addWidget(SCB_Picture, 1);

    connect(Btn_Print, &QPushButton::clicked, this, &QDialog::accept);
    connect(Btn_Setting, &QPushButton::clicked, this, &TFM_Preview::Btn_SettingClick);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(CBX_View, &QComboBox::currentIndexChanged, this, &TFM_Preview::ZoomChanged);
    connect(SEdt_Page, &QSpinBox::valueChanged, this, [this](int page) {
        if (!FStarting)
            RenderPage(page);
    });

    SetLabelSetup({});
    resize(800, 600);
}

void TFM_Preview::SetLabelSetup(const std::function<bool()>& labelSetup)
{
    FLabelSetup = labelSetup;
    Btn_Setting->setVisible(bool(FLabelSetup));
    MI_Setting->setVisible(bool(FLabelSetup));
}

void TFM_Preview::Start(int pages)
{
    FStarting = true;
    SEdt_Page->setRange(1, std::max(1, pages));
    SEdt_Page->setValue(1);
    FStarting = false;
    FShownPage = 0;
    FPage = TPreviewPage();
}

int TFM_Preview::ZoomEntry() const
{
    return CBX_View->currentIndex();
}

void TFM_Preview::SetZoomEntry(int entry)
{
    if (entry >= 0 && entry < pzEntryCount)
        CBX_View->setCurrentIndex(entry);
}

void TFM_Preview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShownPage == 0)
        RenderPage(SEdt_Page->value());
}

void TFM_Preview::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ZoomChanged();
}

bool TFM_Preview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SCB_Picture->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                StepZoom(delta > 0 ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Ctrl with the mouse wheel: the list entry with the next larger (or smaller)
// zoom.
void TFM_Preview::StepZoom(int direction)
{
    const QSize paper = FPage.Rendered ? FPage.PaperSize : PreviewPaperSize(FDoc.Plan());
    int best = -1;
    int bestZoom = 0;
    for (int entry = 0; entry < pzEntryCount; ++entry) {
        const int z = PreviewZoom(entry, size(), paper);
        const bool further = direction > 0 ? z > FZoom : z < FZoom;
        if (further && (best < 0 || (direction > 0 ? z < bestZoom : z > bestZoom))) {
            best = entry;
            bestZoom = z;
        }
    }
    if (best >= 0)
        CBX_View->setCurrentIndex(best);
}

void TFM_Preview::ZoomChanged()
{
    const QSize paper = FPage.Rendered ? FPage.PaperSize : PreviewPaperSize(FDoc.Plan());
    // Fill and fit never shrink the page to nothing in a tiny window.
    FZoom = std::max(5, PreviewZoom(ZoomEntry(), size(), paper));
    Place();
}

QRect TFM_Preview::PicturePlacement() const
{
    return IMG_Page->geometry();
}

void TFM_Preview::Place()
{
    const QSize paper = FPage.Rendered ? FPage.PaperSize : PreviewPaperSize(FDoc.Plan());
    const QRect picture = PreviewPicturePlacement(size(), paper, FZoom);
    IMG_Page->setGeometry(picture);
    SHP_Shadow->setGeometry(picture.translated(4, 4));
    // The sheet holds the page and its shadow; around it the area shows its
    // own background, and scroll bars come only for a page that needs them.
    SCB_Picture->widget()->resize(picture.right() + 1 + 4, picture.bottom() + 1 + 4);
    IMG_Page->update();
}

void TFM_Preview::RenderPage(int page)
{
    if (page < 1 || page > SEdt_Page->maximum())
        return;
    const auto reportError = [](const QString& text) {
        Dialogs().MessageDlg(text, TMsgDlgType::mtError, mbOK);
    };
    const auto render = [&](const std::function<bool(int64_t, int64_t)>& progress) {
        return RenderPreviewPage(FDoc.Plan(), FDoc.Data, page, FInvalidCodeProcess, reportError, progress,
                                 Profile ? Profile() : TPrinterProfile());
    };
    const TSheetCounts counts = SheetCounts(FDoc.Plan(), FDoc.Data);
    const int64_t labels =
        counts.PerPage < 1 ? 0 : std::clamp<int64_t>(counts.Total - counts.PerPage * (page - 1), 0, counts.PerPage);
    FPage = RenderGuard ? RenderGuard(labels, render) : render({});
    FShownPage = page;
    SCB_Picture->horizontalScrollBar()->setValue(0);
    SCB_Picture->verticalScrollBar()->setValue(0);
    ZoomChanged();
}

void TFM_Preview::Btn_SettingClick()
{
    if (FLabelSetup)
        FLabelSetup();
    // The layout may now give another number of pages.
    FStarting = true;
    SEdt_Page->setMaximum(PreviewPageCount(FDoc.Plan(), FDoc.Data));
    FStarting = false;
    RenderPage(SEdt_Page->value());
}
