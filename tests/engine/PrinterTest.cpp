// The printer interface, the stand-in printer, and how documents and label
// files meet the printer.
#include "common/FullDisk.h"
#include "common/TestSupport.h"
#include "common/DocTestSupport.h"
#include "document/LabelFile.h"
#include "document/OpaqueDatasheetBlock.h"
#include "document/MGraph.h"
#include "document/OutputFile.h"
#include "document/CupsPrinter.h"
#include "engine/printing/PdfPrinter.h"

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Three printers: "Office" 600 x 300 dpi, "Labels" 203 dpi (default), "  Spaced  ".
class Printers : public ::testing::Test {
protected:
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    std::unique_ptr<TLabelPlan> plan;

    void SetUp() override
    {
        printer.AddPrinter(Info("Office", 600, 300));
        printer.AddPrinter(Info("Labels", 203, 203));
        printer.AddPrinter(Info("  Spaced  ", 0, 0));
        printer.SetDefault(1);
        plan = std::make_unique<TLabelPlan>();
        plan->NewLabel();
        printer.Log.clear();
    }
    static TStandInPrinterInfo Info(const char* name, int dpiX, int dpiY)
    {
        TStandInPrinterInfo info;
        info.Name = name;
        info.DpiX = dpiX;
        info.DpiY = dpiY;
        return info;
    }
    void Read(const QString& text) { plan->ReadPlan(text.split('\n')); }
};

}  // namespace

TEST_F(Printers, NewLabelTakesTheCurrentPrintersResolution)
{
    EXPECT_EQ(plan->PntDPI, 203);
    printer.SetPrinterIndex(2);
    plan->NewLabel();
    EXPECT_EQ(plan->PntDPI, 300);  // a printer reporting no resolution counts as 300
    TStandInPrinter none;
    TScopedPrinter noPrinter(none);
    plan->PntDPI = 72;
    plan->NewLabel();
    EXPECT_EQ(plan->PntDPI, 300);
}

TEST_F(Printers, ReadingReconcilesTheStoredPrinter)
{
    struct Case {
        const char* index;
        const char* name;
        int expectedIndex;
        int dpi;
    } cases[] = {
        {"0", "Office", 0, 600},   // valid index, same name: kept
        {"2", "Spaced", 2, 300},   // names compare trimmed
        {"0", "Labels", -1, 203},  // the index names another printer: default
        {"-1", "Office", -1, 203},
        {"7", "Office", -1, 203},  // past the list
    };
    for (const Case& c : cases) {
        printer.Log.clear();
        Read(QString("OutputPrinterName %1\nOutputPrinter %2").arg(c.name, c.index));
        EXPECT_EQ(plan->OutputPrinter, c.expectedIndex) << c.name << " " << c.index;
        EXPECT_EQ(plan->PntDPI, c.dpi) << c.name << " " << c.index;
        EXPECT_EQ(printer.Log, QStringList{QString("SetPrinterIndex %1").arg(c.expectedIndex)});
    }
    // The name written is the one of the printer now selected.
    Read("OutputPrinterName Spaced\nOutputPrinter 2");
    EXPECT_TRUE(plan->PlanStrings().contains("OutputPrinterName Spaced"));
    Read("OutputPrinter -1");
    EXPECT_TRUE(plan->PlanStrings().contains("OutputPrinterName Labels"));
}

TEST_F(Printers, WithoutPrintersTheStoredValuesStay)
{
    TStandInPrinter none;
    TScopedPrinter noPrinter(none);
    plan->PntDPI = 300;
    Read("OutputPrinterName Gone\nOutputPrinter 3");
    EXPECT_EQ(plan->OutputPrinter, 3);
    EXPECT_EQ(plan->OutputPrinterName, QString("Gone"));
    EXPECT_EQ(plan->PntDPI, 300);
    EXPECT_TRUE(plan->PlanStrings().contains("OutputPrinterName None"));
    ApplyPrinterSettings(*plan);
    ReadPrinterSettings(*plan);
    EXPECT_EQ(plan->OutputPrinter, 3);
    EXPECT_TRUE(none.Log.isEmpty());
}

TEST_F(Printers, ApplyPrinterSettings)
{
    plan->OutputPrinter = 9;
    plan->PaperSize = 256;
    plan->PaperWidth = 1000;
    plan->PaperLength = 1500;
    plan->PaperOrientation = false;
    ApplyPrinterSettings(*plan);
    EXPECT_EQ(plan->OutputPrinter, -1);
    EXPECT_EQ(printer.Log, (QStringList{"SetPrinterIndex -1", "SetDeviceSettings 256 1000x1500 landscape"}));
    EXPECT_EQ(printer.PrinterIndex(), 1);
    EXPECT_EQ(printer.PhysicalPageSize(), QSize(1199, 799));  // 150 x 100 mm at 203 dpi, landscape

    printer.Log.clear();
    plan->OutputPrinter = 0;
    plan->PaperSize = 1;  // Letter
    plan->PaperOrientation = true;
    ApplyPrinterSettings(*plan);
    EXPECT_EQ(printer.Log.at(0), QString("SetPrinterIndex 0"));
    EXPECT_TRUE(printer.Log.at(1).startsWith("SetDeviceSettings 1 "));
    EXPECT_EQ(printer.DeviceSettings().PaperWidth, 2159);
    EXPECT_EQ(printer.PhysicalPageSize(), QSize(5100, 3300));

    // A printer without device settings is selected only.
    printer.Info(2).HasDeviceSettings = false;
    printer.Log.clear();
    plan->OutputPrinter = 2;
    ApplyPrinterSettings(*plan);
    EXPECT_EQ(printer.Log, QStringList{"SetPrinterIndex 2"});
}

TEST_F(Printers, ReadPrinterSettingsFromA600x300Printer)
{
    printer.Info(0).PageSizeDots = QSize(4960, 3508);
    printer.SetPrinterIndex(0);
    ReadPrinterSettings(*plan);
    EXPECT_EQ(plan->OutputPrinter, 0);
    EXPECT_EQ(plan->PaperSize, 9);
    EXPECT_EQ(plan->PaperWidth, 2100);
    EXPECT_EQ(plan->PaperLength, 2970);
    EXPECT_TRUE(plan->PaperOrientation);

    TPrinterDeviceSettings landscape;
    landscape.Orientation = poLandscape;
    printer.SetDeviceSettings(landscape);
    ReadPrinterSettings(*plan);
    EXPECT_FALSE(plan->PaperOrientation);
    EXPECT_EQ(plan->PaperWidth, Round(3508 / 600.0 * 254));

    // No resolution reported: 300 dpi is assumed.
    printer.SetPrinterIndex(2);
    ReadPrinterSettings(*plan);
    EXPECT_EQ(plan->OutputPrinter, 2);
    EXPECT_EQ(plan->PaperWidth, 2100);
}

TEST_F(Printers, OpeningALabelSetsThePrinter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("landscape.blf");
    plan->PaperOrientation = false;
    plan->OutputPrinter = 0;
    TOpaqueDatasheetBlock data;
    SaveLabelFile(path, *plan, data);  // selected "Labels": the stored index 0 names another printer

    TLabelPlan other;
    other.NewLabel();
    printer.Log.clear();
    ASSERT_TRUE(OpenLabelFile(path, other, data));
    EXPECT_EQ(other.OutputPrinter, -1);
    EXPECT_FALSE(other.PaperOrientation);
    EXPECT_EQ(printer.DeviceSettings().Orientation, poLandscape);
    EXPECT_EQ(printer.Log.last(), QString("SetDeviceSettings 9 2100x2970 landscape"));
}

TEST_F(Printers, StandInRecordsPagesFromThePrintableCorner)
{
    printer.Info(1).MarginDots = 10;
    printer.SetCopies(3);
    printer.BeginDoc("Labels");
    ASSERT_TRUE(printer.Printing());
    QPainter* canvas = printer.Canvas();
    ASSERT_TRUE(canvas);
    canvas->fillRect(QRect(0, 0, 5, 5), Qt::black);
    printer.NewPage();
    printer.Canvas()->fillRect(QRect(100, 200, 1, 1), Qt::black);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.Canvas(), nullptr);
    ASSERT_EQ(printer.Pages.size(), 2);
    const QImage& page = printer.Pages.at(0);
    EXPECT_EQ(page.size(), QSize(1678, 2374));  // A4 at 203 dpi
    EXPECT_EQ(page.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(page.pixelColor(9, 9), QColor(Qt::white));
    EXPECT_EQ(printer.Pages.at(1).pixelColor(110, 210), QColor(Qt::black));
    EXPECT_EQ(printer.PrintableArea(), QRect(10, 10, 1658, 2354));
    EXPECT_EQ(printer.Copies(), 3);
    EXPECT_EQ(printer.Log.mid(1), (QStringList{"BeginDoc Labels", "NewPage", "EndDoc"}));

    TStandInPrinter none;
    EXPECT_THROW(none.BeginDoc("x"), EPrinterError);
    EXPECT_THROW(printer.SetPrinterIndex(3), std::out_of_range);
    EXPECT_THROW(printer.SetPrinterIndex(-2), std::out_of_range);
}

TEST(StandInPrinter, FromPrinterList)
{
    auto p = TStandInPrinter::FromPrinterList("Office@600x300; Label Printer@203* ;Plain");
    EXPECT_EQ(p->Printers(), (QStringList{"Office", "Label Printer", "Plain"}));
    EXPECT_EQ(p->PrinterIndex(), 1);
    EXPECT_EQ(p->ResolutionX(), 203);
    p->SetPrinterIndex(0);
    EXPECT_EQ(p->ResolutionX(), 600);
    EXPECT_EQ(p->ResolutionY(), 300);
    p->SetPrinterIndex(2);
    EXPECT_EQ(p->ResolutionX(), 300);
    EXPECT_TRUE(TStandInPrinter::FromPrinterList("")->Printers().isEmpty());
    EXPECT_EQ(TStandInPrinter::FromPrinterList("")->PrinterIndex(), -1);
}

TEST(CupsPrinter, ResolutionIsTakenPerAxis)
{
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(600 / 0.0254));
    device.setDotsPerMeterY(qRound(300 / 0.0254));
    EXPECT_EQ(TCupsPrinter::ResolutionOf(device), QSize(600, 300));
}

TEST(CupsPrinter, PaperCodes)
{
    EXPECT_EQ(TCupsPrinter::PageSizeOfCode(9, 0, 0).id(), QPageSize::A4);
    EXPECT_EQ(TCupsPrinter::PageSizeOfCode(1, 0, 0).id(), QPageSize::Letter);
    EXPECT_EQ(TCupsPrinter::PageSizeOfCode(8, 0, 0).id(), QPageSize::A3);
    EXPECT_EQ(TCupsPrinter::PageSizeOfCode(5, 0, 0).id(), QPageSize::Legal);
    const QPageSize custom = TCupsPrinter::PageSizeOfCode(256, 1000, 1500);
    EXPECT_EQ(custom.size(QPageSize::Millimeter), QSizeF(100, 150));
    EXPECT_FALSE(TCupsPrinter::PageSizeOfCode(256, 0, 1500).isValid());
    EXPECT_FALSE(TCupsPrinter::PageSizeOfCode(9999, 0, 0).isValid());
    EXPECT_EQ(TCupsPrinter::CodeOfPageSize(QPageSize(QPageSize::A4)), 9);
    EXPECT_EQ(TCupsPrinter::CodeOfPageSize(QPageSize(QPageSize::Letter)), 1);
    EXPECT_EQ(TCupsPrinter::CodeOfPageSize(custom), 256);
}

TEST(CupsPrinter, PrintsToAPdfFileWithoutAPrinter)
{
    TCupsPrinter printer;
    if (printer.HasPrinters())
        EXPECT_GE(printer.PrinterIndex(), 0);
    else
        EXPECT_EQ(printer.PrinterIndex(), -1);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.pdf");
    printer.SetOutputFileName(path);
    printer.BeginDoc("Test");
    ASSERT_NE(printer.Canvas(), nullptr);
    printer.Canvas()->drawLine(0, 0, 100, 100);
    printer.NewPage();
    printer.EndDoc();
    const QByteArray pdf = testsupport::ReadFile(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page>") +
                  pdf.count("/Type /Page "),
              2);
}

// A file printer on a full disk: EndDoc fails naming the file and the
// system's reason, the old file stays, nothing is left beside it.
TEST(FilePrinters, AFullDiskFailsAndKeepsTheOldFile)
{
    testsupport::TFullDisk disk;
    if (!disk.Unavailable().isEmpty())
        GTEST_SKIP() << disk.Unavailable().toStdString();
    const QString target = disk.FilePath("sheet.pdf");
    ASSERT_TRUE(testsupport::WriteFile(target, "old"));
    disk.Fill();
    TPdfPrinter pdf(300);
    TCupsPrinter qt;
    for (TPrinter* printer : std::initializer_list<TPrinter*>{&pdf, &qt}) {
        printer->SetOutputFileName(target);
        QString reason;
        disk.WhileFull([&] {
            printer->BeginDoc("Full");
            printer->Canvas()->fillRect(0, 0, 500, 500, Qt::black);
            try {
                printer->EndDoc();
            } catch (const EOutputFileError& e) {
                EXPECT_EQ(e.Path, target);
                reason = e.Reason;
            }
        });
        EXPECT_EQ(reason, disk.Reason());
        EXPECT_FALSE(printer->Printing());
        EXPECT_EQ(testsupport::ReadFile(target), "old");
        EXPECT_EQ(disk.Entries(), QStringList{"sheet.pdf"});
    }
}
