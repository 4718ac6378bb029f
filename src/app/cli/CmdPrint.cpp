// tagmora-cli print FILE.blf (-o OUT.pdf | --printer NAME) [--data DATA [--table NAME]]
//   [--pages FROM-TO] [--copies N] [--dpi N] [--on-invalid skip|abort] [--strict]
// Runs the print job without dialogs: into a PDF file, or onto an installed
// printer. Messages the job shows go to stderr, and so does a warning for
// each picture that cannot be read (an error with --strict).
#include "app/LabelDocument.h"
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "datasheet/Import.h"
#include "document/PictureObject.h"
#include "printing/PdfPrinter.h"
#include "printing/PrintJob.h"

#include <QFileInfo>

#include <memory>
#include <optional>

namespace {

struct TPrintArgs {
    QString file;
    QString out;
    QString printer;
    QString data;
    QString table;
    std::optional<QString> pages;
    int copies = 1;
    int dpi = 600;
    bool dpiGiven = false;
    int invalidCodeProcess = 1;
    bool strict = false;  // unreadable pictures are an error
};

int IntValue(const QString& option, const QString& text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < low || v > high)
        throw cli::UsageError(QStringLiteral("%1 takes a whole number from %2 to %3").arg(option).arg(low).arg(high));
    return v;
}

TPrintArgs ParseArgs(const QStringList& args)
{
    TPrintArgs a;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString& opt = args.at(i);
        static const QStringList withValue = {"-o", "--printer", "--data", "--table", "--pages",
                                              "--copies", "--dpi", "--on-invalid"};
        if (withValue.contains(opt)) {
            if (i + 1 >= args.size())
                throw cli::UsageError(QStringLiteral("%1 needs a value").arg(opt));
            const QString value = args.at(++i);
            if (opt == QLatin1String("-o"))
                a.out = value;
            else if (opt == QLatin1String("--printer"))
                a.printer = value;
            else if (opt == QLatin1String("--data"))
                a.data = value;
            else if (opt == QLatin1String("--table"))
                a.table = value;
            else if (opt == QLatin1String("--pages"))
                a.pages = value;
            else if (opt == QLatin1String("--copies"))
                a.copies = IntValue(opt, value, 1, 10000);
            else if (opt == QLatin1String("--dpi")) {
                a.dpi = IntValue(opt, value, 72, 4800);
                a.dpiGiven = true;
            } else if (value == QLatin1String("skip"))
                a.invalidCodeProcess = 0;
            else if (value == QLatin1String("abort"))
                a.invalidCodeProcess = 1;
            else
                throw cli::UsageError(QStringLiteral("--on-invalid takes skip or abort"));
        } else if (opt == QLatin1String("--strict")) {
            a.strict = true;
        } else if (opt.startsWith(QLatin1Char('-')) && opt.size() > 1) {
            throw cli::UsageError(QStringLiteral("unknown option %1").arg(opt));
        } else {
            positional << opt;
        }
    }
    if (positional.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one label file"));
    a.file = positional.front();
    if (a.out.isEmpty() == a.printer.isEmpty())
        throw cli::UsageError(QStringLiteral("give either -o OUT.pdf or --printer NAME"));
    if (a.dpiGiven && a.out.isEmpty())
        throw cli::UsageError(QStringLiteral("--dpi sets the resolution of a PDF file (-o)"));
    if (!a.table.isEmpty() && a.data.isEmpty())
        throw cli::UsageError(QStringLiteral("--table needs --data"));
    if (a.pages && !a.pages->contains(QLatin1Char('-')))
        throw cli::UsageError(QStringLiteral("--pages takes FROM-TO"));
    return a;
}

// A message of the job on stderr; a line break written as a lone CR becomes
// a newline so it does not overwrite the line.
void ReportToConsole(const QString& text, bool error)
{
    QString lines = QLatin1String(error ? "error: " : "warning: ") + text.trimmed();
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    cli::WriteErr(lines);
}

QString Plural(int n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

}  // namespace

int CmdPrint(const QStringList& args)
{
    const TPrintArgs a = ParseArgs(args);
    for (const QString& path : {a.file, a.data}) {
        if (!path.isEmpty() && !QFileInfo::exists(path)) {
            cli::WriteErr(QStringLiteral("tagmora-cli print: %1: no such file").arg(path));
            return cli::ExitError;
        }
    }

    // The PDF printer is in place before the label opens, so the label takes
    // its resolution and paper from it as from any printer.
    std::unique_ptr<TPdfPrinter> pdf;
    std::unique_ptr<TScopedPrinter> pdfGuard;
    if (!a.out.isEmpty()) {
        pdf = std::make_unique<TPdfPrinter>(a.dpi);
        pdf->SetOutputFileName(a.out);
        pdfGuard = std::make_unique<TScopedPrinter>(*pdf);
    } else if (!Printer().Printers().contains(a.printer)) {
        const QStringList names = Printer().Printers();
        cli::WriteErr(QStringLiteral("tagmora-cli print: no printer named %1 (%2)")
                          .arg(a.printer, names.isEmpty() ? QStringLiteral("no printers installed")
                                                          : QStringLiteral("printers: ") + names.join(", ")));
        return cli::ExitError;
    }

    TLabelDocument document;
    document.Open(a.file);
    if (!a.data.isEmpty()) {
        const TTablePicker picker = a.table.isEmpty() ? TTablePicker() : TablePickerByName(a.table);
        if (!document.Data.ImportFile(a.data, picker)) {
            cli::WriteErr(QStringLiteral("tagmora-cli print: %1: nothing to import (unknown file type or no table)")
                              .arg(a.data));
            return cli::ExitError;
        }
        document.Data.BuildPrintGrid();
        document.FillFromCurrentRow();
    }

    const QStringList unreadable = UnreadablePictures(document.Plan);
    for (const QString& warning : unreadable)
        cli::WriteErr(QStringLiteral("tagmora-cli print: ") + warning);
    if (a.strict && !unreadable.isEmpty())
        return cli::ExitError;

    TPrintRequest request;
    if (a.pages) {
        request.AllPages = false;
        const qsizetype dash = a.pages->indexOf(QLatin1Char('-'), 1);
        request.FromPage = a.pages->left(dash);
        request.ToPage = dash < 0 ? QString() : a.pages->mid(dash + 1);
    }
    request.Copies = a.copies;
    request.PrinterName = a.printer;
    request.InvalidCodeProcess = a.invalidCodeProcess;
    request.Title = QFileInfo(a.file).completeBaseName();
    request.Report = ReportToConsole;

    const TPrintOutcome outcome = PrintLabels(document.Plan, document.Data, request);
    QString summary = Plural(outcome.Painted, "label", "labels") + QStringLiteral(" on ") +
                      Plural(outcome.Pages, "page", "pages");
    if (outcome.Copies > 1)
        summary += QStringLiteral(", %1 copies").arg(outcome.Copies);
    if (outcome.Skipped > 0)
        summary += QStringLiteral(", %1 left empty (invalid code)").arg(outcome.Skipped);
    switch (outcome.Status) {
    case TPrintStatus::Printed:
        cli::WriteErr(QStringLiteral("tagmora-cli print: ") + summary);
        return cli::ExitOk;
    case TPrintStatus::Aborted:
        cli::WriteErr(QStringLiteral("tagmora-cli print: aborted at label %1 (invalid code); ").arg(outcome.AbortedAt) +
                      summary);
        return cli::ExitError;
    default:
        cli::WriteErr(QStringLiteral("tagmora-cli print: nothing printed"));
        return cli::ExitError;
    }
}
