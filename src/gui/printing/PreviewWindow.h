// TFM_Preview ("Tagmora - Preview"): one sheet of the run at a time, drawn
// from its recorded page at the chosen zoom in a scrolling area, with a
// shadow. "&Print ..." closes it with OK (the caller then prints), "&Close"
// with Cancel.
#pragma once

#include "engine/printing/PreviewPage.h"

#include <QDialog>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class TLabelDocument;

// The entries of the "View:" list, in list order.
enum TPreviewZoomEntry { pzActualSize, pzFillInWindow, pzFitWidth, pz75, pz50, pz20, pzEntryCount };

// The zoom in percent an entry gives for a window of the given size showing
// paper of the given size in points.
int PreviewZoom(int entry, QSize window, QSize paper);
// Where the page picture goes in a window of the given size: centred across,
// centred down when it fits with room to spare, else at the top.
QRect PreviewPicturePlacement(QSize window, QSize paper, int zoom);

class TFM_Preview : public QDialog {
    Q_OBJECT
public:
    TFM_Preview(TLabelDocument& doc, int invalidCodeProcess, QWidget* parent = nullptr);

    // Offers pages 1 to pages (at least 1) and shows page 1 when the window
    // is shown.
    void Start(int pages);
    // Renders page p when it lies within the page count, and shows it.
    void RenderPage(int page);

    // "&Setting ...": the label setup; true when it changed anything. Empty:
    // hidden.
    void SetLabelSetup(const std::function<bool()>& labelSetup);
    // Wraps the rendering of a page with many labels (a progress dialog): it
    // gets the label count and the page's render call, which takes a
    // progress callback.
    using TRenderGuard = std::function<TPreviewPage(
        int64_t labels, const std::function<TPreviewPage(const std::function<bool(int64_t, int64_t)>&)>& render)>;
    TRenderGuard RenderGuard;
    // The profile of the printer the sheets go to, asked at every page: the
    // labels sit where its calibration puts them. Empty: as designed.
    std::function<TPrinterProfile()> Profile;

    int ZoomEntry() const;
    void SetZoomEntry(int entry);
    int Zoom() const { return FZoom; }
    const TPreviewPage& Page() const { return FPage; }
    int ShownPage() const { return FShownPage; }
    QRect PicturePlacement() const;

    QMenuBar* MainMenu;
    QPushButton* Btn_Print;
    QPushButton* Btn_Setting;
    QLabel* Lab_View;
    QComboBox* CBX_View;
    QLabel* Lab_Page;
    QSpinBox* SEdt_Page;
    QPushButton* Btn_Close;
    QScrollArea* SCB_Picture;
    QWidget* IMG_Page;
    QWidget* SHP_Shadow;

    QAction* MI_Print;
    QAction* MI_Setting;
    QAction* MI_Close;
    QAction* MI_View[pzEntryCount];
    QAction* MI_NextPage;
    QAction* MI_PreviousPage;

    void Btn_SettingClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ZoomChanged();
    void Place();
    void StepZoom(int direction);

    TLabelDocument& FDoc;
    int FInvalidCodeProcess;
    std::function<bool()> FLabelSetup;
    TPreviewPage FPage;
    int FShownPage = 0;
    int FZoom = 100;
    bool FStarting = false;
};
