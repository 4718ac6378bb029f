// The print dialog, the preview window and the desktop print commands on
// stand-in printers: page boxes, the dialog's three results, pages, zoom and
// placement of the preview, cancelling a long run, printing the current row.
#include "engine/LabelDocument.h"
#include "ModalSupport.h"
#include "common/PdfSupport.h"
#include "common/DialogSupport.h"
#include "common/RawPort.h"
#include "common/ZplDecode.h"
#include "common/TestSupport.h"
#include "document/PlanObjects.h"
#include "gui/printing/DesktopPrint.h"
#include "engine/printing/PdfPrinter.h"
#include "gui/printing/PreviewWindow.h"
#include "gui/printing/PrintDialog.h"
#include "engine/history/PrintHistory.h"
#include "document/StandInPrinter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <optional>

using printtest::WhenModal;

namespace {

// Labels 144 x 108 points, 6 x 3 per A4 sheet; a text bound to "Name" and an
// EAN-13 bound to "Code".
class PrintWindows : public ::testing::Test {
protected:
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    testsupport::ScopedDialogs dialogs;
    TLabelDocument doc;
    TPlanText* name = nullptr;
    QWidget window;

    void SetUp() override
    {
        printer.AddPrinter(TStandInPrinter::FromPrinterList("Labels@100")->Info(0));
        doc.Plan().ReadPlan(QStringList{
            "LabelSize 144,108", "LayoutRows 6", "LayoutCols 3", "MarginLeft 1", "MarginTop 1", "MarginRight 1",
            "MarginBottom 1", "HorizontalSpace 0.5", "VerticalSpace 0.5", "LabelCount -1", "PaperSize 9",
            "PaperOrientation -1",
            "Object Text", "  X1=4", "  Y1=4", "  X2=140", "  Y2=30", "  DataOrigin=1", "  DataExpression=Name",
            "End",
            "Object Barcode", "  X1=4", "  Y1=34", "  X2=140", "  Y2=104", "  BarType=14", "  DataOrigin=1",
            "  DataExpression=Code", "  Modul=4", "  ModulDPI=300", "End"});
        name = dynamic_cast<TPlanText*>(doc.Plan().Layers().Item(0)->Item(0));
        ASSERT_TRUE(name);
        doc.Plan().PntDPI = 100;
    }

    void SetRows(int n, std::initializer_list<int> invalid = {}) { printtest::FillNameCodeRows(doc.Data, n, invalid); }

    // The print dialog answered: pages "all" or from..to, then the button.
    static void AnswerPrintDialog(const QString& from, const QString& to, QPushButton* TFM_Print::*button)
    {
        WhenModal<TFM_Print>([=](TFM_Print* d) {
            (from.isEmpty() ? d->Rdio_All : d->Rdio_Pages)->setChecked(true);
            d->Edt_From->setText(from);
            d->Edt_To->setText(to);
            d->SEdt_Copies->setValue(1);
            (d->*button)->click();
        });
    }
};

}  // namespace

TEST_F(PrintWindows, PageBoxesKeepDigitsAndWarnOncePerOtherCharacter)
{
    TFM_Print dialog;
    EXPECT_FALSE(dialog.Edt_From->isEnabled());
    EXPECT_FALSE(dialog.Lab_To->isEnabled());
    dialog.Rdio_Pages->setChecked(true);
    EXPECT_TRUE(dialog.Edt_From->isEnabled() && dialog.Edt_To->isEnabled() && dialog.Lab_To->isEnabled());

    // Typed key by key, a blank is trimmed off as it comes; pasted, it is
    // inside the text and refused.
    struct Case {
        const char* text;
        bool pasted;
        const char* kept;
        int warnings;
    } cases[] = {{"1a", false, "1", 1}, {"a1b", false, "1", 2}, {" 12 ", false, "12", 0},
                 {"3 4", false, "34", 0}, {" 3 4x ", true, "34", 2}};
    for (const Case& c : cases) {
        dialog.Edt_To->clear();
        dialogs.dialogs.messages.clear();
        if (c.pasted)
            dialog.Edt_To->setText(QString::fromLatin1(c.text));
        else
            QTest::keyClicks(dialog.Edt_To, QString::fromLatin1(c.text));
        EXPECT_EQ(dialog.Edt_To->text(), QString::fromLatin1(c.kept)) << c.text;
        EXPECT_EQ(dialogs.dialogs.messages.size(), c.warnings) << c.text;
        for (const auto& m : dialogs.dialogs.messages) {
            EXPECT_EQ(m.text, QString("Value must be numeric!"));
            EXPECT_EQ(m.type, TMsgDlgType::mtWarning);
        }
    }
}

TEST_F(PrintWindows, DialogClosesWithPrintCancelOrPreview)
{
    const TPrintDialogInfo info{QStringLiteral("Labels"), 100, 2};
    struct Case {
        QPushButton* TFM_Print::*button;
        TPrintChoice choice;
        bool takesRange;
    } cases[] = {{&TFM_Print::Btn_OK, TPrintChoice::Print, true},
                 {&TFM_Print::Btn_Cancel, TPrintChoice::Cancel, false},
                 {&TFM_Print::Btn_Preview, TPrintChoice::Preview, true}};
    for (const Case& c : cases) {
        TFM_Print dialog;
        QString shown;
        WhenModal<TFM_Print>([&](TFM_Print* d) {
            shown = d->Lab_PrinterName->text() + '|' + d->Lab_Quality->text() + '|' + d->Lab_Pages->text();
            d->Rdio_Pages->setChecked(true);
            d->Edt_From->setText("2");
            d->Edt_To->setText("2");
            d->SEdt_Copies->setValue(3);
            (d->*c.button)->click();
        });
        TPrintRequest request;
        EXPECT_EQ(dialog.Execute(info, request), c.choice);
        EXPECT_EQ(shown, QString("Name:           Labels|Print Quality:  100 DPI|[ 2 Pages ]"));
        EXPECT_EQ(request.AllPages, !c.takesRange);
        EXPECT_EQ(request.ToPage, c.takesRange ? QString("2") : QString());
        EXPECT_EQ(request.Copies, c.takesRange ? 3 : 1);
    }
    // Without a label setup there is no "&Setting ..." button.
    TFM_Print dialog;
    EXPECT_TRUE(dialog.Btn_Setting->isHidden());
}

TEST_F(PrintWindows, PrintCommandPrintsTheChosenPagesAndGoesThroughThePreview)
{
    SetRows(20);
    AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
    EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Printed);
    EXPECT_EQ(printer.Pages.size(), 2);

    // "&Setting ..." changes the layout: the dialog shows the new page count
    // and the run prints it.
    printer.Pages.clear();
    const auto setup = [this] {
        doc.Plan().LayoutRows = 2;
        return true;
    };
    QString pagesShown;
    WhenModal<TFM_Print>([&](TFM_Print* d) {
        d->Rdio_All->setChecked(true);
        d->Btn_Setting->click();
        pagesShown = d->Lab_Pages->text();
        d->Btn_OK->click();
    });
    EXPECT_EQ(PrintDocument(doc, {}, &window, {}, setup), TPrintStatus::Printed);
    EXPECT_EQ(pagesShown, QString("[ 4 Pages ]"));
    EXPECT_EQ(printer.Pages.size(), 4);
    doc.Plan().LayoutRows = 6;

    printer.Pages.clear();
    AnswerPrintDialog("2", "2", &TFM_Print::Btn_OK);
    EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Printed);
    EXPECT_EQ(printer.Pages.size(), 1);

    // Preview from the dialog, "&Print ..." in the preview shows the dialog
    // again, which is cancelled.
    printer.Pages.clear();
    int releases = 0;
    AnswerPrintDialog("", "", &TFM_Print::Btn_Preview);
    WhenModal<TFM_Preview>([](TFM_Preview* p) {
        EXPECT_EQ(p->SEdt_Page->maximum(), 2);
        EXPECT_EQ(p->Page().Painted, 18);
        AnswerPrintDialog("", "", &TFM_Print::Btn_Cancel);
        p->Btn_Print->click();
    });
    EXPECT_EQ(PrintDocument(doc, {}, &window, [&] { ++releases; }), TPrintStatus::Cancelled);
    EXPECT_TRUE(printer.Pages.isEmpty());
    EXPECT_EQ(releases, 1);  // the preview released the tools; nothing printed
    EXPECT_TRUE(dialogs.dialogs.messages.isEmpty());
}

// The run goes out with the calibration of the printer it is printed on.
TEST_F(PrintWindows, PrintCarriesThePrintersCalibration)
{
    printer.AddPrinter(TStandInPrinter::FromPrinterList("Thermal@100")->Info(0));
    SetRows(1);
    QStringList asked;
    TDesktopPrintSettings settings;
    settings.Profile = [&](const QString& printerName) {
        asked << printerName;
        TPrinterProfile p;
        if (printerName == "Thermal")
            p.OffsetMm = QPointF(2.54, -5.08);  // 10 dots right, 20 up at 100 dpi
        return p;
    };
    QList<QPoint> corners;
    for (const int out : {0, 1}) {
        doc.Plan().OutputPrinter = out;
        printer.Pages.clear();
        AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
        EXPECT_EQ(PrintDocument(doc, settings, &window), TPrintStatus::Printed);
        ASSERT_EQ(printer.Pages.size(), 1);
        const QImage& page = printer.Pages[0];
        QPoint corner(page.width(), page.height());
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < std::min(corner.x(), page.width()); ++x)
                if (qGray(page.pixel(x, y)) < 128) {
                    corner = QPoint(x, std::min(corner.y(), y));
                    break;
                }
        corners << corner;
    }
    EXPECT_EQ(asked, QStringList({"Labels", "Thermal"}));
    EXPECT_EQ(corners[1] - corners[0], QPoint(10, -20));
}

// A printer the options mark as a ZPL printer gets ZPL II straight from the
// print dialog, with the pages and copies chosen there; the PDF file does too.
TEST_F(PrintWindows, ThermalPrinterGetsZplWithTheDialogsChoices)
{
    testsupport::RawPort zebra(0);
    ASSERT_TRUE(zebra.Listening());
    const QString name = QStringLiteral("socket://127.0.0.1:%1").arg(zebra.Port);
    printer.AddPrinter(TStandInPrinter::FromPrinterList(name + "@203")->Info(0));
    doc.Plan().OutputPrinter = 1;
    SetRows(20);
    TDesktopPrintSettings settings;
    settings.Profile = [&](const QString& printerName) {
        TPrinterProfile p;
        p.Zpl = printerName == name;
        p.ZplSettings.Dpi = 300;
        return p;
    };
    // Page 2, three copies, then the button.
    const auto answer = [](QPushButton* TFM_Print::*button) {
        WhenModal<TFM_Print>([button](TFM_Print* d) {
            d->Rdio_Pages->setChecked(true);
            d->Edt_From->setText("2");
            d->Edt_To->setText("2");
            d->SEdt_Copies->setValue(3);
            (d->*button)->click();
        });
    };
    answer(&TFM_Print::Btn_OK);
    EXPECT_EQ(PrintDocument(doc, settings, &window), TPrintStatus::Printed);
    EXPECT_TRUE(printer.Pages.isEmpty()) << "the stand-in printer's driver was passed by";
    const testsupport::ZplJob job = testsupport::DecodeZpl(zebra.Received(10000));
    ASSERT_TRUE(job.error.isEmpty()) << job.error.constData();
    ASSERT_EQ(job.labels.size(), 1) << "page 2 only";
    EXPECT_EQ(job.labels[0].copies, 3);
    EXPECT_EQ(job.labels[0].printWidth, 2479) << "A4 at the print head's 300 dpi";
    EXPECT_EQ(doc.Plan().OutputPrinter, 1);

    // Print to PDF file with a printer present keeps the range and copies too.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("range.pdf"));
    dialogs.dialogs.fileAnswers = {path};
    answer(&TFM_Print::Btn_PdfFile);
    EXPECT_EQ(PrintDocument(doc, settings, &window), TPrintStatus::Printed);
    EXPECT_EQ(printtest::PdfPageCount(path), 3);
}

TEST_F(PrintWindows, PreviewOffersThePagesOfTheRun)
{
    struct Case {
        int rows, pages, paintedOnLast;
    } cases[] = {{20, 2, 2}, {18, 1, 18}, {0, 1, 0}};
    for (const Case& c : cases) {
        SetRows(c.rows);
        TFM_Preview preview(doc, 1);
        preview.Start(PreviewPageCount(doc.Plan(), doc.Data));
        preview.show();
        QApplication::setActiveWindow(&preview);
        EXPECT_EQ(preview.SEdt_Page->maximum(), c.pages) << c.rows;
        EXPECT_EQ(preview.ShownPage(), 1);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        EXPECT_EQ(preview.ShownPage(), c.pages) << c.rows;
        EXPECT_TRUE(preview.Page().Rendered);
        EXPECT_EQ(preview.Page().Painted, c.paintedOnLast) << c.rows;
        QTest::keyClick(&preview, Qt::Key_PageUp);
        EXPECT_EQ(preview.ShownPage(), 1);
    }
    // With LabelCount every label shows the datasheet's current row: the rows
    // with invalid codes are never used.
    SetRows(4, {1, 2, 4});
    doc.Data.StrGrid_Data.SetRow(3);
    doc.Plan().LabelCount = 4;
    TFM_Preview preview(doc, 1);
    preview.Start(PreviewPageCount(doc.Plan(), doc.Data));
    preview.show();
    EXPECT_EQ(preview.Page().Painted, 4);
    EXPECT_TRUE(dialogs.dialogs.messages.isEmpty());
    EXPECT_EQ(name->DataValue, QString("Name 3"));
}

TEST_F(PrintWindows, PreviewZoomAndPlacement)
{
    const QSize a4(595, 842), window(1000, 942);
    const int zooms[pzEntryCount] = {100, 100, 158, 75, 50, 20};  // Fit Width: 940 / 595
    for (int entry = 0; entry < pzEntryCount; ++entry)
        EXPECT_EQ(PreviewZoom(entry, window, a4), zooms[entry]) << entry;
    // Centred across ((1000 - 615) / 2, ties to even), at the top when it
    // leaves less than 100 pixels below; centred down when it fits.
    EXPECT_EQ(PreviewPicturePlacement(window, a4, 100), QRect(192, 0, 595, 842));
    EXPECT_EQ(PreviewPicturePlacement(window, a4, 50), QRect(341, 210, 298, 421));
    EXPECT_EQ(PreviewPicturePlacement(QSize(300, 300), a4, 100).left(), 0);

    SetRows(20);
    TFM_Preview preview(doc, 1);
    preview.Start(2);
    preview.resize(window);
    preview.show();
    preview.MI_View[pzFillInWindow]->trigger();
    EXPECT_EQ(preview.CBX_View->currentText(), QString("Fill in Window"));
    EXPECT_EQ(preview.Zoom(), 100);
    EXPECT_EQ(preview.PicturePlacement(), QRect(192, 0, 595, 842));
    EXPECT_EQ(preview.SHP_Shadow->geometry(), QRect(196, 4, 595, 842));
    const QImage shown = preview.SCB_Picture->widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(192 + 595 + 2, 400), QColor(Qt::black));  // the shadow
    EXPECT_EQ(shown.pixelColor(192 + 300, 2), QColor(Qt::white));         // the sheet

    // Ctrl with the wheel steps to the entry of the next zoom.
    const auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview.SCB_Picture->viewport(), &e);
    };
    wheel(120);
    EXPECT_EQ(preview.ZoomEntry(), pzFitWidth);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(preview.ZoomEntry(), pz75);
}

TEST_F(PrintWindows, CancelInTheProgressDialogEndsTheRunCleanly)
{
    SetRows(3000);
    doc.Data.StrGrid_Data.SetRow(7);
    doc.FillFromCurrentRow();
    const QSize surface = doc.Plan().ViewSize();
    QTemporaryDir dir;
    TPdfPrinter pdf(100);
    pdf.SetOutputFileName(dir.filePath("run.pdf"));

    for (TPrinter* device : {static_cast<TPrinter*>(&printer), static_cast<TPrinter*>(&pdf)}) {
        TScopedPrinter use(*device);
        QString said;
        auto* timer = new QTimer(&window);
        QObject::connect(timer, &QTimer::timeout, [&] {
            auto* progress = window.findChild<QProgressDialog*>("PrintProgress");
            if (progress && progress->value() > 0) {
                said = progress->labelText();
                progress->cancel();
            }
        });
        timer->start(5);
        AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
        EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Stopped);
        delete timer;
        EXPECT_FALSE(device->Printing());
        EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
        if (device == &pdf) {
            EXPECT_TRUE(said.contains("no PDF file")) << said.toStdString();
            EXPECT_FALSE(QFile::exists(pdf.OutputFileName()));
        } else {
            EXPECT_TRUE(said.contains("the pages printed so far")) << said.toStdString();
            EXPECT_TRUE(printer.Log.contains("EndDoc"));
            EXPECT_GE(printer.Pages.size(), 1);
            EXPECT_LT(printer.Pages.size(), 167);
        }
        // The design surface is back as it was.
        EXPECT_FALSE(doc.Plan().Printing);
        EXPECT_EQ(doc.Plan().ViewSize(), surface);
        EXPECT_EQ(name->DataValue, QString("Name 7"));
    }
}

TEST_F(PrintWindows, CancelStopsRenderingALongPreviewPage)
{
    SetRows(500);
    doc.Plan().LayoutRows = 25;
    doc.Plan().LayoutCols = 20;  // all 500 labels on one sheet
    bool stopped = false;
    int painted = -1;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (progress && progress->value() > 0)
                progress->cancel();
            auto* preview = qobject_cast<TFM_Preview*>(w);
            if (preview && preview->ShownPage() == 1 && QApplication::activeModalWidget() == preview) {
                stopped = preview->Page().Stopped;
                painted = preview->Page().Painted;
                preview->Btn_Close->click();
            }
        }
    });
    timer.start(5);
    EXPECT_EQ(OpenPreview(doc, {}, &window), TPrintStatus::Previewed);
    EXPECT_TRUE(stopped);
    EXPECT_GT(painted, 0);
    EXPECT_LT(painted, 500);
    EXPECT_FALSE(doc.Plan().Printing || doc.Plan().RenderingOutput);
}

TEST_F(PrintWindows, PrintCurrentRowPrintsThatRowAndRestoresThePrintGrid)
{
    // Every other row holds an invalid code, which would abort the run.
    SetRows(6, {1, 2, 3, 4, 6});
    doc.Data.StrGrid_Data.SetRow(5);
    AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
    EXPECT_EQ(PrintCurrentRow(doc, {}, &window), TPrintStatus::Printed);
    EXPECT_EQ(printer.Pages.size(), 1);
    EXPECT_TRUE(dialogs.dialogs.messages.isEmpty());
    EXPECT_EQ(doc.Data.StrGrid_Print.RowCount(), 7);
}

// A label bound to a column the data lacks asks first; Cancel prints nothing,
// Yes prints the run.
TEST_F(PrintWindows, MissingBoundColumnsAreAskedAbout)
{
    SetRows(3);
    doc.Data.StrGrid_Data.SetCell(1, 0, QStringLiteral("Title"));  // "Name" is gone
    doc.Data.BuildPrintGrid();
    for (const int answer : {int(mbCancel), int(mbYes)}) {
        SCOPED_TRACE(answer);
        dialogs.dialogs.messages.clear();
        dialogs.dialogs.buttonAnswers = {answer};
        AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
        const TPrintStatus status = PrintDocument(doc, {}, &window);
        ASSERT_EQ(dialogs.dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.dialogs.messages[0].text.contains(QStringLiteral("Name")));
        EXPECT_EQ(status, answer == mbYes ? TPrintStatus::Printed : TPrintStatus::Cancelled);
        EXPECT_EQ(printer.Pages.isEmpty(), answer != mbYes);
    }
}

// "Print to PDF file…" prints the run into a PDF file with or without a
// printer (without one after the usual warning, with OK disabled); the
// document keeps its printer and resolution, a file that cannot be written
// is told and leaves nothing behind. The printers are looked up anew each
// time: one added meanwhile is offered.
TEST_F(PrintWindows, PrintToPdfFileWithOrWithoutAPrinter)
{
    struct TCountingPrinter : TStandInPrinter {
        int refreshes = 0;
        void Refresh() override { ++refreshes; }
    } none;
    SetRows(20);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.pdf"));
    ASSERT_TRUE(testsupport::WriteFile(path, "previous"));
    doc.Plan().OutputPrinter = 0;
    for (const bool printers : {true, false}) {
        std::optional<TScopedPrinter> noPrinter;
        if (!printers)
            noPrinter.emplace(none);
        dialogs.dialogs.messages.clear();
        dialogs.dialogs.fileAnswers = {path};
        bool okEnabled = !printers;
        WhenModal<TFM_Print>([&](TFM_Print* d) {
            okEnabled = d->Btn_OK->isEnabled();
            d->Rdio_All->setChecked(true);
            d->SEdt_Copies->setValue(1);
            d->Btn_PdfFile->click();
        });
        EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Printed) << printers;
        EXPECT_EQ(okEnabled, printers);
        EXPECT_EQ(printtest::PdfPageCount(path), 2) << printers;
        EXPECT_TRUE(printer.Pages.isEmpty());
        EXPECT_EQ(doc.Plan().PntDPI, 100);
        EXPECT_EQ(doc.Plan().OutputPrinter, 0);
        const QStringList expected = printers ? QStringList() : QStringList{QStringLiteral("No printr device exist! ")};
        QStringList told;
        for (const auto& m : dialogs.dialogs.messages)
            told << m.text;
        EXPECT_EQ(told, expected) << printers;
        QFile::remove(path);
    }
    EXPECT_EQ(none.refreshes, 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());

    // Not writable: told, nothing left.
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/x.pdf"));
    dialogs.dialogs.fileAnswers = {unwritable};
    AnswerPrintDialog("", "", &TFM_Print::Btn_PdfFile);
    EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Failed);
    ASSERT_FALSE(dialogs.dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.dialogs.messages.back().text.contains(unwritable));

    // A printer added while the program runs: the next dialog offers it.
    TScopedPrinter noPrinter(none);
    none.AddPrinter(TStandInPrinter::FromPrinterList("Added@300")->Info(0));
    QString shown;
    WhenModal<TFM_Print>([&](TFM_Print* d) {
        shown = d->Lab_PrinterName->text();
        d->Btn_Cancel->click();
    });
    EXPECT_EQ(PrintDocument(doc, {}, &window), TPrintStatus::Cancelled);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("Added")));
    EXPECT_EQ(none.refreshes, 2);
}

TEST_F(PrintWindows, EveryRunThatPrintsIsRecordedOnce)
{
    QTemporaryDir dir;
    TDesktopPrintSettings settings;
    settings.History = dir.filePath("history.sqlite");
    SetRows(40);
    auto runs = [&] { return THistoryStore(settings.History).Runs(); };

    // A dialog cancelled records nothing.
    AnswerPrintDialog("", "", &TFM_Print::Btn_Cancel);
    EXPECT_EQ(PrintDocument(doc, settings, &window), TPrintStatus::Cancelled);
    EXPECT_THROW(THistoryStore(settings.History, 0).Runs(), EHistoryError);

    AnswerPrintDialog("2", "2", &TFM_Print::Btn_OK);
    EXPECT_EQ(PrintDocument(doc, settings, &window), TPrintStatus::Printed);
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_EQ(runs().front().LabelRangesText(), QStringLiteral("19-36"));
    EXPECT_EQ(runs().front().Output, QStringLiteral("Labels"));

    // The current row alone, repeated by nothing: one label of that row.
    doc.Data.StrGrid_Data.SetRow(5);
    AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
    EXPECT_EQ(PrintCurrentRow(doc, settings, &window), TPrintStatus::Printed);
    ASSERT_EQ(runs().size(), 2u);
    EXPECT_EQ(runs().front().DataRows, 1);

    // A reprint of labels 20-21 of the first run, through the dialog.
    AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
    EXPECT_EQ(ReprintRun(1, 20, 21, settings, &window), TPrintStatus::Printed);
    ASSERT_EQ(runs().size(), 3u);
    EXPECT_EQ(runs().front().ReprintOf, 1);
    EXPECT_EQ(runs().front().LabelRangesText(), QStringLiteral("20-21"));
    EXPECT_EQ(runs().front().LabelCount, 2);

    // A run stopped with Cancel in its progress dialog is recorded as cancelled.
    SetRows(3000);
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, [&] {
        auto* progress = window.findChild<QProgressDialog*>("PrintProgress");
        if (progress && progress->value() > 0)
            progress->cancel();
    });
    timer->start(5);
    AnswerPrintDialog("", "", &TFM_Print::Btn_OK);
    EXPECT_EQ(PrintDocument(doc, settings, &window), TPrintStatus::Stopped);
    delete timer;
    ASSERT_EQ(runs().size(), 4u);
    EXPECT_EQ(runs().front().Result, THistoryResult::Cancelled);
    EXPECT_GT(runs().front().Labels.front().second, 0);
}
