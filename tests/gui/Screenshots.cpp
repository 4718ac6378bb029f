// Pictures of the windows for the README and for looking them over:
// TAGMORA_SCREENSHOTS=DIR build/tests/test_gui --gtest_filter=Screenshots.*
// (under xvfb-run for the desktop's style). Skipped without the variable.
#include "gui/AboutWindow.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/OptionsDialog.h"
#include "common/DialogSupport.h"
#include "common/PdfSupport.h"
#include "common/TestSupport.h"
#include "common/ZplDecode.h"
#include "engine/LabelDocument.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/PrintJob.h"
#include "engine/printing/ZplPrinter.h"
#include "gui/datasheet/DatasheetWindow.h"
#include "document/StandInPrinter.h"
#include "engine/printing/CalibrationSheet.h"
#include "gui/printing/HistoryWindow.h"
#include "engine/history/PrintRecord.h"

#include "gui/properties/LabelSetup.h"
#include "gui/properties/ObjectProperties.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QPainter>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

TEST(Screenshots, Capture)
{
    const QString out = qEnvironmentVariable("TAGMORA_SCREENSHOTS");
    if (out.isEmpty())
        GTEST_SKIP() << "set TAGMORA_SCREENSHOTS to a folder to take the pictures";
    QDir().mkpath(out);
    QTemporaryDir config;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    testsupport::ScopedDialogs guard;
    const auto save = [&](QWidget* w, const QString& name) {
        QTest::qWait(50);
        EXPECT_TRUE(w->grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png")));
    };

    TFM_Main window;
    window.resize(1000, 720);
    window.OpenAtStart(testsupport::SourcePath(QStringLiteral("examples/shipping.blf")));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    save(&window, QStringLiteral("main"));
    const QList<QMenu*> menus = {window.MN_File,      window.MN_Edit,     window.MN_Object, window.MN_Position,
                                 window.MN_Arrange,   window.MN_Data,     window.MN_View,   window.MN_Help,
                                 window.MN_Symbology, window.PMenu_Object};
    for (QMenu* menu : menus) {
        menu->popup(window.mapToGlobal(QPoint(40, 40)));
        QTest::qWait(50);
        QString name = menu->title().remove(QLatin1Char('&')).toLower();
        save(menu, QStringLiteral("menu-") +
                       (name.isEmpty() ? menu->objectName() + QString::number(menus.indexOf(menu)) : name));
        menu->hide();
    }
    {
        // With an office printer and a thermal one, the thermal one shown.
        auto printers = TStandInPrinter::FromPrinterList(QStringLiteral("Office@600;Zebra ZD420@203"));
        TScopedPrinter use(*printers);
        TFM_options* options = window.OptionsDialog();
        options->Fill(window.Options);
        options->CBX_Printer->setCurrentIndex(1);
        options->CHK_Zpl->setChecked(true);
        options->show();
        save(options, QStringLiteral("options"));
        save(options->GRP_Printers, QStringLiteral("options-printers"));
        options->hide();
    }
    {
        // The calibration sheet as a 203 dpi printer prints it on A4.
        const QSize page(1678, 2375);
        QImage sheet(page, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter canvas(&sheet);
        DrawCalibrationSheet(canvas, page, 203, {QStringLiteral("Zebra ZD420"), QDate(2026, 12, 10)});
        canvas.end();
        EXPECT_TRUE(sheet.save(out + QStringLiteral("/calibration-sheet.png")));
    }

    // Label Setup with a label product chosen.
    TFM_ObjPro::ExecHook = [&](QDialog& d) {
        TLabelSetupPage& page = *static_cast<TFM_ObjPro&>(d).LabelSetup();
        page.Edt_Template->setText(QStringLiteral("avery 5163"));
        if (page.LST_Template->count() > 0)
            page.LST_Template->setCurrentRow(0);
        d.show();
        save(&d, QStringLiteral("label-setup"));
        // Roll paper: one label a page, the paper's size following the label.
        page.CBX_Paper->setCurrentIndex(page.CBX_Paper->findData(TLabelSetupPage::kPaperRollEntry));
        Q_EMIT page.CBX_Paper->activated(page.CBX_Paper->currentIndex());
        save(&d, QStringLiteral("label-setup-roll"));
        d.reject();
        return int(QDialog::Rejected);
    };
    TLabelSetupPage::EditLabelSetup(window.Document(), 0, &window);
    TFM_ObjPro::ExecHook = nullptr;

    QTimer::singleShot(300, window.DatasheetWindow(), [&] {
        save(window.DatasheetWindow(), QStringLiteral("datasheet"));
        window.DatasheetWindow()->reject();
    });
    window.DatasheetsClick();

    // The print history with a few runs of the example.
    {
        TDesktopPrintSettings settings;
        settings.History = config.filePath(QStringLiteral("history.sqlite"));
        const THistoryCapture capture = CaptureRun(window.Document(), window.Document().CurrentFileName(),
                                                   QStringLiteral("datasheet of the label"));
        const struct {
            TPrintStatus status;
            int painted;
            const char* output;
            const char* message;
        } runs[] = {{TPrintStatus::Printed, 3, "Zebra-ZD421", ""},
                    {TPrintStatus::Aborted, 1, "/home/clerk/labels.pdf", "A value in line 2 is a invalid code"},
                    {TPrintStatus::Printed, 3, "Zebra-ZD421", ""}};
        for (const auto& r : runs) {
            TPrintOutcome outcome;
            outcome.Status = r.status;
            outcome.Painted = r.painted;
            outcome.Pages = 1;
            outcome.Span = {1, 3};
            outcome.LastPlaced = r.painted;
            THistoryRun run = HistoryEntry(capture, outcome, QLatin1String(r.output), QLatin1String(r.message));
            QString warning;
            EXPECT_NE(RecordRun(settings.History, run, capture, warning), 0) << warning.toStdString();
        }
        TFM_History history(settings, &window);
        history.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&history));
        save(&history, QStringLiteral("print-history"));
    }

    const QString qch = QFileInfo(QStringLiteral(TAGMORA_GUI_PATH)).absolutePath() + QStringLiteral("/tagmora.qch");
    THelpWindow help(qch);
    help.ShowTopic(QStringLiteral("tagmora.htm"));
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    save(&help, QStringLiteral("help"));

    TFM_About about;
    QTimer::singleShot(300, &about, [&] {
        save(&about, QStringLiteral("about"));
        about.accept();
    });
    about.ExecAbout();
    TFM_About splash;
    splash.ShowSplash(100000);
    save(&splash, QStringLiteral("splash"));
    splash.close();
}

// The shipping label on 4 x 3 inch roll media, printed for a 203-dpi thermal
// printer as ZPL and as PDF: the ZPL's graphic field read back (left) beside
// the PDF rendered at the same resolution (right).
TEST(Screenshots, ZplBesidePdf)
{
    const QString out = qEnvironmentVariable("TAGMORA_SCREENSHOTS");
    if (out.isEmpty())
        GTEST_SKIP() << "set TAGMORA_SCREENSHOTS to a folder to take the pictures";
    QDir().mkpath(out);
    QTemporaryDir dir;
    const auto print = [&](TPrinter& printer, const QString& file) {
        TScopedPrinter guard(printer);
        printer.SetOutputFileName(dir.filePath(file));
        TLabelDocument doc;
        EXPECT_TRUE(doc.Open(testsupport::SourcePath(QStringLiteral("examples/shipping.blf"))));
        TLabelPlan& plan = doc.Plan();
        plan.LayoutRows = plan.LayoutCols = 1;
        plan.MarginLeft = plan.MarginTop = plan.MarginRight = plan.MarginBottom = 0;
        plan.CutMark = false;
        plan.PaperSize = kPaperCustom;
        plan.PaperWidth = int(std::lround(plan.ScaleX / 72.0 * 254));
        plan.PaperLength = int(std::lround(plan.ScaleY / 72.0 * 254));
        plan.PaperOrientation = true;
        TPrintRequest request;
        request.AllPages = false;
        request.FromPage = request.ToPage = QStringLiteral("1");
        EXPECT_EQ(PrintLabels(plan, doc.Data, request).Painted, 1);
        return dir.filePath(file);
    };
    TZplPrinter zpl(TZplSettings{});
    QFile zplFile(print(zpl, QStringLiteral("label.zpl")));
    ASSERT_TRUE(zplFile.open(QIODevice::ReadOnly));
    const testsupport::ZplJob job = testsupport::DecodeZpl(zplFile.readAll());
    ASSERT_FALSE(job.labels.isEmpty()) << job.error.constData();
    TPdfPrinter pdf(203);
    const QList<QImage> pages = printtest::RenderPdfPages(print(pdf, QStringLiteral("label.pdf")), 203);
    ASSERT_FALSE(pages.isEmpty());
    const QImage left = job.labels.front().image;
    QImage both(left.width() + 20 + pages.front().width(), std::max(left.height(), pages.front().height()),
                QImage::Format_RGB32);
    both.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&both);
    p.drawImage(0, 0, left);
    p.drawImage(left.width() + 20, 0, pages.front());
    p.end();
    EXPECT_TRUE(both.save(out + QStringLiteral("/zpl-beside-pdf.png")));
}
