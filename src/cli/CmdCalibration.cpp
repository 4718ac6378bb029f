// tagmora-cli calibration-sheet [-o OUT.pdf] [--dpi N] [--paper PAPER]: the
// calibration sheet as a PDF page, drawn for a printer of the given
// resolution, to print on it and measure.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "engine/printing/CalibrationSheet.h"
#include "engine/printing/PdfPrinter.h"

#include <QDate>
#include <QRegularExpression>

namespace {

// "A4", "Letter" or "WIDTHxLENGTHmm" (portrait, 10 to 2000 mm each way).
TPrinterDeviceSettings PaperValue(const QString& value)
{
    TPrinterDeviceSettings paper;
    const QString v = value.trimmed();
    if (v.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
        return paper;
    if (v.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
        paper.PaperSize = 1;
        paper.PaperWidth = 2159;
        paper.PaperLength = 2794;
        return paper;
    }
    static const QRegularExpression size(QStringLiteral("^(\\d+(?:\\.\\d+)?)[xX](\\d+(?:\\.\\d+)?)mm$"));
    const QRegularExpressionMatch m = size.match(v);
    const double w = m.hasMatch() ? m.captured(1).toDouble() : 0, h = m.hasMatch() ? m.captured(2).toDouble() : 0;
    if (w < 10 || h < 10 || w > 2000 || h > 2000)
        throw cli::UsageError(
            QStringLiteral("--paper takes A4, Letter or WIDTHxLENGTHmm (10 to 2000 mm), not '%1'").arg(value));
    paper.PaperSize = kPaperCustom;
    paper.PaperWidth = int(w * 10 + 0.5);
    paper.PaperLength = int(h * 10 + 0.5);
    return paper;
}

}  // namespace

const cli::TOptions& CalibrationOptions()
{
    static const cli::TOptions options = {
        {"o", "output", "FILE", "write the PDF into FILE (default calibration-sheet.pdf; \"-\" standard output)"},
        {nullptr, "dpi", "N", "draw for a printer of N dots per inch, 72 to 2400 (default 300)"},
        {nullptr, "paper", "PAPER", "A4 (default), Letter or WIDTHxLENGTHmm, for example 100x150mm"},
    };
    return options;
}

int CmdCalibration(const cli::TArguments& args)
{
    if (!args.Positional.isEmpty())
        throw cli::UsageError(QStringLiteral("takes no file"));
    const int dpi = args.IsSet("dpi") ? cli::IntValue("dpi", args.Value("dpi"), 72, 2400) : 300;
    const TPrinterDeviceSettings paper = PaperValue(args.Value("paper", QStringLiteral("A4")));
    TPdfPrinter pdf(dpi, QStringLiteral("PDF"));
    pdf.SetDeviceSettings(paper);
    pdf.SetOutputFileName(args.Value("output", QStringLiteral("calibration-sheet.pdf")));
    TScopedPrinter use(pdf);
    PrintCalibrationSheet(QDate::currentDate());
    return cli::ExitOk;
}
