// tagmora-cli print: arguments, PDF output, ranges, copies, data import,
// invalid codes and stand-in printers.
#include "common/PdfSupport.h"
#include "engine/LabelDocument.h"
#include "barcode/bcchksum.h"
#include "common/TestSupport.h"
#include "common/ZplDecode.h"
#include "engine/printing/PdfPrinter.h"
#include "engine/printing/SheetLayout.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testsupport::RunCli;

// A label file with n rows: 3 x 6 labels per A4 sheet, margins 1 cm, cut
// marks, a text bound to "Name" and an EAN-13 bound to "Code"; the rows
// listed hold the invalid code "12A45".
class PrintCli : public ::testing::Test {
protected:
    QTemporaryDir dir;

    // The plan, with more keys for the barcode.
    static QStringList Plan(const QStringList& barcodeKeys = {})
    {
        return QStringList{
                   "LabelSize 144,108", "LayoutRows 6", "LayoutCols 3", "MarginLeft 1", "MarginTop 1",
                   "MarginRight 1", "MarginBottom 1", "HorizontalSpace 0.5", "VerticalSpace 0.5", "CutMark -1",
                   "LabelCount -1", "PaperSize 9", "PaperOrientation -1",
                   "Object Text", "  X1=4", "  Y1=4", "  X2=140", "  Y2=30", "  DataOrigin=1",
                   "  DataExpression=Name", "End",
                   "Object Barcode", "  X1=4", "  Y1=34", "  X2=140", "  Y2=104", "  BarType=14", "  DataOrigin=1",
                   "  DataExpression=Code"} +
               barcodeKeys + QStringList{"End"};
    }
    QString MakeLabel(int n, std::initializer_list<int> invalid = {}, const QString& name = "label.blf",
                      const QStringList& barcodeKeys = {})
    {
        TLabelDocument doc;
        doc.Plan().ReadPlan(Plan(barcodeKeys));
        printtest::FillNameCodeRows(doc.Data, n, invalid);
        const QString path = dir.filePath(name);
        doc.Save(path);
        return path;
    }
    QString Out(const char* name = "out.pdf") const { return dir.filePath(name); }
};

// Sets an environment variable for the guard's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : FName(name) { qputenv(name, value); }
    ~ScopedEnv() { qunsetenv(FName); }

private:
    const char* FName;
};

}  // namespace

TEST_F(PrintCli, WrongArgumentsAreUsageErrors)
{
    const QString label = MakeLabel(2);
    const QList<QStringList> cases = {
        {"print", label},                                              // no output
        {"print", label, "-o", Out(), "--printer", "X"},               // two outputs
        {"print", "-o", Out()},                                        // no label
        {"print", label, "-o", Out(), "--pages", "x"},
        {"print", label, "-o", Out(), "--pages", "0-2"},
        {"print", label, "-o", Out(), "--copies", "0"},
        {"print", label, "-o", Out(), "--copies", "many"},
        {"print", label, "-o", Out(), "--dpi", "10"},
        {"print", label, "--printer", "X", "--dpi", "300"},            // resolution of a PDF or ZPL only
        {"print", label, "-o", Out(), "--darkness", "10"},             // ZPL settings on a PDF
        {"print", label, "-o", Out("x.zpl"), "--dpi", "250"},           // no print head has 250 dpi
        {"print", label, "-o", Out("x.zpl"), "--darkness", "31"},
        {"print", label, "-o", Out("x.zpl"), "--media", "roll"},
        {"print", label, "-o", Out(), "--table", "T"},                 // --table without --data
        {"print", label, "-o", Out(), "--on-invalid", "ignore"},
        {"print", label, "-o", Out(), "--data", "-"},                   // standard input needs its format
        {"print", label, "-o", Out(), "--data", label, "--data-format", "csv"},
        {"print", label, "-o", label},                                 // would replace the label file
        {"print", label, "-o", Out(), "--bogus"},
        {"print", label, "-o"},
    };
    for (const QStringList& args : cases) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString() << "\n" << r.err.constData();
        EXPECT_TRUE(r.err.contains("(try 'tagmora-cli print --help')")) << r.err.constData();
    }
    // A reversed range names both numbers.
    const auto reversed = RunCli({"print", label, "-o", Out(), "--pages", "5-2"});
    EXPECT_EQ(reversed.exitCode, 2);
    EXPECT_TRUE(reversed.err.contains("the first page, 5, comes after the last, 2")) << reversed.err.constData();
    const auto missing = RunCli({"print", dir.filePath("none.blf"), "-o", Out()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("no such file"));
}

TEST_F(PrintCli, PrintsSheetsIntoAPdf)
{
    const QString label = MakeLabel(20);
    auto r = RunCli({"print", label, "-o", Out()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 20 labels on 2 pages\n"));
    EXPECT_EQ(printtest::PdfPageCount(Out()), 2);

    // The range, and copies one after the other in the file.
    r = RunCli({"print", label, "-o", Out("range.pdf"), "--pages", "2-2", "--copies", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 2 labels on 1 page, 3 copies\n"));
    EXPECT_EQ(printtest::PdfPageCount(Out("range.pdf")), 3);

    // Page ranges: N, N- and a range past the end, which stops at the last page.
    struct Case {
        const char* pages;
        int exitCode;
        const char* message;
        int pdfPages;
    };
    const Case cases[] = {
        {"2", 0, "tagmora-cli print: 2 labels on 1 page\n", 1},
        {"1-", 0, "tagmora-cli print: 20 labels on 2 pages\n", 2},
        {"1-999999", 0, "pages 1-999999 of 2: printing pages 1-2\ntagmora-cli print: 20 labels on 2 pages\n", 2},
        {"3-", 1, "pages 3- of 2: no such pages\n", -1},
    };
    for (const Case& c : cases) {
        const QString out = Out("pages.pdf");
        QFile::remove(out);
        r = RunCli({"print", label, "-o", out, "--pages", c.pages});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.pages << r.err.constData();
        EXPECT_TRUE(r.err.endsWith(c.message)) << r.err.constData();
        EXPECT_EQ(printtest::PdfPageCount(out), c.pdfPages) << c.pages;
    }

    // To standard output.
    r = RunCli({"print", label, "-o", "-"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("%PDF-")) << r.err.constData();
}

TEST_F(PrintCli, ZplForThermalPrinters)
{
    // A sheet of 3 x 6 labels is one format a page, with the job's settings.
    const QString label = MakeLabel(20);
    const auto r = RunCli({"print", label, "-o", Out("sheet.zpl"), "--dpi", "300", "--darkness", "12", "--speed",
                           "6", "--media", "mark", "--copies", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 20 labels on 2 pages, 3 copies\n"));
    QFile file(Out("sheet.zpl"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const testsupport::ZplJob job = testsupport::DecodeZpl(file.readAll());
    ASSERT_TRUE(job.error.isEmpty()) << job.error.constData();
    EXPECT_EQ(job.darkness, 12);
    ASSERT_EQ(job.labels.size(), 2);
    for (const testsupport::ZplLabel& page : job.labels) {
        EXPECT_EQ(page.printWidth, 2479);  // A4 at 300 dpi, as every output sizes it
        EXPECT_EQ(page.labelLength, 3508);
        EXPECT_EQ(page.copies, 3);
        EXPECT_EQ(page.speed, 6);
        EXPECT_EQ(page.media, "M");
    }
    // On roll media every label is a format of its own, the label's size.
    const auto roll = RunCli({"print", label, "-o", Out("roll.zpl"), "--roll", "--copies", "2"});
    ASSERT_EQ(roll.exitCode, 0) << roll.err.constData();
    EXPECT_EQ(roll.err, QByteArray("tagmora-cli print: 20 labels on 20 pages, 2 copies\n"));
    QFile rollFile(Out("roll.zpl"));
    ASSERT_TRUE(rollFile.open(QIODevice::ReadOnly));
    const testsupport::ZplJob rolled = testsupport::DecodeZpl(rollFile.readAll());
    ASSERT_EQ(rolled.labels.size(), 20);
    // 144 x 108 pt plus 1 cm margins on each side, at 203 dpi (the paper in
    // whole tenths of a millimetre, sized as every output sizes it).
    EXPECT_NEAR(rolled.labels[0].printWidth, 406 + 160, 1);
    EXPECT_NEAR(rolled.labels[0].labelLength, 305 + 160, 1);
    // A printer that is not there leaves the run failed, naming it.
    const auto refused = RunCli({"print", label, "--printer", "socket://127.0.0.1:1"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("socket://127.0.0.1:1 did not take the job")) << refused.err.constData();
}

TEST_F(PrintCli, ResolutionPlacesTheCutMarksToTheDot)
{
    const QString label = MakeLabel(1);
    for (int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        const QString out = Out(dpi == 300 ? "300.pdf" : "600.pdf");
        QStringList args{"print", label, "-o", out};
        if (dpi != 600)
            args << "--dpi" << QString::number(dpi);
        ASSERT_EQ(RunCli(args).exitCode, 0);
        const QList<QImage> pages = printtest::RenderPdfPages(out, dpi);
        ASSERT_EQ(pages.size(), 1);
        const QImage& page = pages[0];
        const int m = CentimetresToPixels(1, dpi);
        // The top mark of the label's left edge: rows m - 8 .. m - 5.
        for (int y = m - 10; y < m - 2; ++y)
            EXPECT_EQ(qGray(page.pixel(m, y)) < 128, y >= m - 8 && y <= m - 5) << y;
    }
}

TEST_F(PrintCli, InvalidCodesAbortByDefaultOrAreSkipped)
{
    const QString label = MakeLabel(20, {5});
    // An aborted run leaves the file that was there.
    ASSERT_TRUE(testsupport::WriteFile(Out(), "previous"));
    auto r = RunCli({"print", label, "-o", Out()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tagmora-cli print: " + label.toUtf8() +
                         ": A value in line 5 is a invalid code for selected bar code format! Abort printing! "
                         "(The value \"12A45\" in row 5, column \"Code\" is not a valid EAN13 code) - " +
                         Out().toUtf8() + " not written\n");
    EXPECT_EQ(testsupport::ReadFile(Out()), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary file left

    r = RunCli({"print", label, "-o", Out(), "--on-invalid", "skip"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 19 labels on 2 pages, 1 left empty (invalid code)\n"));
}

TEST_F(PrintCli, SymbolsKeepTheirWidthAndAreNeverCutOff)
{
    // Set for a 1200 dpi printer (Modul 16, 0.34 mm) and printed at the 600 dpi
    // default: 0.34 mm modules still, and every label scans.
    const QString fine = MakeLabel(18, {}, "fine.blf", {"  Modul=16", "  ModulDPI=1200"});
    auto r = RunCli({"print", fine, "-o", Out()});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QList<QImage> pages = printtest::RenderPdfPages(Out(), 600);
    ASSERT_EQ(pages.size(), 1);
    TLabelDocument doc;
    doc.Plan().ReadPlan(Plan());
    printtest::FillNameCodeRows(doc.Data, 18);
    QStringList codes;
    for (int row = 1; row <= 18; ++row)
        codes << doc.Data.StrGrid_Data.Cells(2, row);
    const TSheetLayout layout = SheetLayoutOf(doc.Plan(), 600, pages[0].size());
    EXPECT_EQ(printtest::DecodeLabelPlaces(pages[0], layout, 1, 18), codes);

    // Set for 300 dpi the same Modul is four times as wide, more than the
    // label holds: never printed cut off.
    const QString wide = MakeLabel(18, {}, "wide.blf", {"  Modul=16", "  ModulDPI=300"});
    r = RunCli({"print", wide, "-o", Out("wide.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tagmora-cli print: " + wide.toUtf8() +
                         ": The bar code of label 1 does not fit on the label! Abort printing! - " +
                         Out("wide.pdf").toUtf8() + " not written\n");
    EXPECT_FALSE(QFile::exists(Out("wide.pdf")));
    r = RunCli({"print", wide, "-o", Out("wide.pdf"), "--on-invalid", "skip"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "tagmora-cli print: 0 labels on 1 page, 18 left empty (barcode does not fit on the label)\n");
}

TEST_F(PrintCli, DataIsImportedForTheRunOnly)
{
    const QString label = MakeLabel(2);
    const QByteArray before = testsupport::ReadFile(label);
    QByteArray csv = "Name;Code\r\n";
    for (int i = 1; i <= 25; ++i) {
        const std::string code = "5901234" + std::to_string(10000 + i);
        csv +=
            "Item " + QByteArray::number(i) + ";" + QByteArray::fromStdString(code) + Modulo10CheckDigit(code) + "\r\n";
    }
    ASSERT_TRUE(testsupport::WriteFile(dir.filePath("rows.csv"), csv));

    const auto r = RunCli({"print", label, "-o", Out(), "--data", dir.filePath("rows.csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 25 labels on 2 pages\n"));
    EXPECT_EQ(testsupport::ReadFile(label), before);
    const auto in = RunCli({"print", label, "-o", Out(), "--data", "-", "--data-format", "csv"}, csv);
    EXPECT_EQ(in.err, QByteArray("tagmora-cli print: 25 labels on 2 pages\n"));

    // Neither input may be the output.
    EXPECT_EQ(RunCli({"print", label, "-o", dir.filePath("rows.csv"), "--data", dir.filePath("rows.csv")}).exitCode, 2);
    // A CSV has no tables to pick.
    EXPECT_EQ(RunCli({"print", label, "-o", Out(), "--data", dir.filePath("rows.csv"), "--table", "T"}).exitCode, 2);

    EXPECT_EQ(RunCli({"print", label, "-o", Out(), "--data", dir.filePath("none.csv")}).exitCode, 1);
    ASSERT_TRUE(testsupport::WriteFile(dir.filePath("rows.unknown"), csv));
    EXPECT_EQ(RunCli({"print", label, "-o", Out(), "--data", dir.filePath("rows.unknown")}).exitCode, 1);
}

TEST_F(PrintCli, MissingColumnsAndEmptyRunsPrintNothing)
{
    const QString label = MakeLabel(3);
    ASSERT_TRUE(testsupport::WriteFile(dir.filePath("other.csv"), "Sku;Title\r\n1;One\r\n2;Two\r\n"));
    auto r = RunCli({"print", label, "-o", Out(), "--data", dir.filePath("other.csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("other.csv: the data has no column 'Name', 'Code'")) << r.err.constData();
    EXPECT_FALSE(QFile::exists(Out()));

    // Allowed, the empty barcode cells are invalid codes, not EAN-13s of zeros.
    r = RunCli({"print", label, "-o", Out(), "--data", dir.filePath("other.csv"), "--allow-missing-columns"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("A value in line 1 is a invalid code")) << r.err.constData();
    r = RunCli({"print", label, "-o", Out(), "--data", dir.filePath("other.csv"), "--allow-missing-columns",
                "--on-invalid", "skip"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 0 labels on 1 page, 2 left empty (invalid code)\n"));

    const QString empty = MakeLabel(0, {}, "empty.blf");
    r = RunCli({"print", empty, "-o", Out("empty.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tagmora-cli print: " + empty.toUtf8() + ": nothing to print (no labels)\n");
    EXPECT_FALSE(QFile::exists(Out("empty.pdf")));
}

TEST_F(PrintCli, PrintsOnANamedPrinter)
{
    const QString label = MakeLabel(7);
    {
        ScopedEnv printers("TAGMORA_PRINTERS", "Office@600;Shop@300*");
        auto r = RunCli({"print", label, "--printer", "Office", "--copies", "2"});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 7 labels on 1 page, 2 copies\n"));

        r = RunCli({"print", label, "--printer", "Elsewhere"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("no printer named Elsewhere (printers: Office, Shop)")) << r.err.constData();
    }
    ScopedEnv none("TAGMORA_PRINTERS", "");
    const auto r = RunCli({"print", label, "--printer", "Office"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("no printers installed")) << r.err.constData();
    // A PDF needs no installed printer.
    EXPECT_EQ(RunCli({"print", label, "-o", Out()}).exitCode, 0);
}

TEST(PdfPrinter, KeepsPaperAndWritesOnlyWhenAsked)
{
    TPdfPrinter pdf(1200);
    EXPECT_EQ(pdf.Printers(), QStringList{"PDF"});
    EXPECT_EQ(pdf.ResolutionX(), 1200);
    EXPECT_FALSE(pdf.RepeatsCopies());
    TPrinterDeviceSettings s;
    s.PaperSize = kPaperCustom;
    s.PaperWidth = 1000;  // 100 x 50 mm
    s.PaperLength = 500;
    pdf.SetDeviceSettings(s);
    EXPECT_EQ(pdf.PhysicalPageSize(), QSize(4717, 2367));  // 283 x 142 points
    s.PaperSize = 12345;  // a code without a paper: the paper stays
    pdf.SetDeviceSettings(s);
    EXPECT_EQ(pdf.DeviceSettings().PaperWidth, 1000);
    s.PaperSize = kPaperA4;
    s.Orientation = poLandscape;
    pdf.SetDeviceSettings(s);
    EXPECT_EQ(pdf.DeviceSettings().PaperWidth, 2100);
    EXPECT_EQ(pdf.PhysicalPageSize(), QSize(14033, 9917));  // 842 x 595 points
    EXPECT_THROW(pdf.BeginDoc("x"), std::runtime_error);    // no file named

    QTemporaryDir dir;
    pdf.SetOutputFileName(dir.filePath("gone.pdf"));
    pdf.BeginDoc("x");
    ASSERT_NE(pdf.Canvas(), nullptr);
    pdf.Abort();
    EXPECT_FALSE(QFile::exists(dir.filePath("gone.pdf")));

    pdf.SetOutputFileName(dir.filePath("missing-folder/x.pdf"));
    EXPECT_THROW(pdf.BeginDoc("x"), std::runtime_error);
}

TEST_F(PrintCli, AnUnreachablePrintSystemIsNamed)
{
    qunsetenv("TAGMORA_PRINTERS");
    ScopedEnv nowhere("CUPS_SERVER", "127.0.0.1:1");
    const auto r = RunCli({"print", MakeLabel(2), "--printer", "Office"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: Office: cannot reach the print system at 127.0.0.1:1\n"));
}

// A label whose pen mode combines with what lies beneath reaches the PDF as
// a raster: stored losslessly, one bit per pixel when black and white, pixel
// for pixel what the label paints.
TEST_F(PrintCli, CombiningPenModesReachThePdfLosslessly)
{
    const QString pdfimages = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    if (pdfimages.isEmpty())
        GTEST_SKIP() << "pdfimages (poppler-utils) is not installed";
    struct Case {
        const char* brush;
        QByteArray colour, bits;  // as pdfimages -list shows the image
    };
    for (const Case& c : {Case{"Black", "gray", "1"}, Case{"Red", "rgb", "8"}}) {
        TLabelDocument doc;
        doc.Plan().ReadPlan(QStringList{
            "LabelSize 144,72", "LayoutRows 1", "LayoutCols 1", "LabelCount 1", "Object Barcode", "  X1=8",
            "  Y1=8", "  X2=136", "  Y2=64", "  BarType=14", "  ShowText=0", "  DataValue=4006381333931", "End",
            "Object Rectangle", "  X1=4", "  Y1=30", "  X2=140", "  Y2=50", "  PenMode=7",
            QStringLiteral("  BrushColor=%1").arg(c.brush), "  BrushStyle=0", "End"});
        const QString label = dir.filePath(QStringLiteral("%1.blf").arg(c.brush));
        doc.Save(label);
        const QString png = dir.filePath("label.png"), pdf = Out();
        ASSERT_EQ(RunCli({"render", label, "-o", png, "--dpi", "300"}).exitCode, 0);
        ASSERT_EQ(RunCli({"print", label, "-o", pdf, "--dpi", "300"}).exitCode, 0);

        QProcess list;
        list.start(pdfimages, {"-list", pdf});
        ASSERT_TRUE(list.waitForFinished(60000));
        const QList<QByteArray> lines = list.readAllStandardOutput().trimmed().split('\n');
        ASSERT_EQ(lines.size(), 3) << "one image";
        const QList<QByteArray> fields = lines.last().simplified().split(' ');
        EXPECT_EQ(fields.value(5), c.colour) << c.brush;
        EXPECT_EQ(fields.value(7), c.bits) << c.brush;
        EXPECT_EQ(fields.value(8), "image") << c.brush;  // not "jpeg"

        QProcess extract;
        extract.start(pdfimages, {"-png", pdf, dir.filePath("embedded")});
        ASSERT_TRUE(extract.waitForFinished(60000));
        const QImage embedded(dir.filePath("embedded-000.png"));
        const QImage painted = QImage(png).convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(embedded.convertToFormat(QImage::Format_RGB32) == painted) << c.brush;
    }
}

TEST_F(PrintCli, LabelProductsAreListedAndPrintedOn)
{
    if (!QFile::exists(QStringLiteral("/usr/share/libglabels-3.0/templates/avery-us-templates.xml")))
        GTEST_SKIP() << "glabels-data is not installed";
    const auto list = RunCli({"templates", "avery", "5163"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_TRUE(list.out.contains("Avery 5163") && list.out.contains("101.6 x 50.8 mm, 2 x 5 on US-Letter"))
        << list.out.constData();
    EXPECT_TRUE(RunCli({"templates", "cd"}).out.contains("(approximated: CD labels printed in their square"));

    // 20 labels on a 10-label sheet instead of the file's 18: two pages.
    const QString label = MakeLabel(20);
    auto r = RunCli({"print", label, "-o", Out(), "--template", "avery 5163"});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(r.err, QByteArray("tagmora-cli print: 20 labels on 2 pages\n"));
    r = RunCli({"print", label, "-o", Out(), "--template", "Avery 99999"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("no label product 'Avery 99999'")) << r.err.constData();
}
