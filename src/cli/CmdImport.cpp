// tagmora-cli import FILE.blf DATA -o OUT.blf [--table NAME]: imports a data
// file into the label's datasheet as "Import Data ..." does and saves.
#include "engine/LabelDocument.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "engine/datasheet/Import.h"

#include <exception>

const cli::TOptions& ImportOptions()
{
    static const cli::TOptions options = {
        {"o", "output", "OUT.blf", "the label file to write (required; not one of the inputs)"},
        {nullptr, "table", "NAME",
         "the table of a workbook or database to import (default: the first); files without tables (.csv, .txt) "
         "refuse it"},
        {nullptr, "data-format", "csv|txt", "how to read DATA when it is \"-\" (standard input)"},
    };
    return options;
}

int CmdImport(const cli::TArguments& args)
{
    if (args.Positional.size() != 2)
        throw cli::UsageError(QStringLiteral("expects a label file and a data file"));
    const QString label = args.Positional.at(0);
    const QString data = args.Positional.at(1);
    const QString out = args.Value("output");
    if (out.isEmpty())
        throw cli::UsageError(QStringLiteral("-o OUT.blf is required"));
    if (out == QLatin1String("-"))
        throw cli::UsageError(QStringLiteral("a label file is written to a file, not to standard output"));
    if (args.IsSet("table") && !cli::HasTables(data))
        throw cli::UsageError(QStringLiteral("--table: '%1' has no tables to choose from").arg(data));
    cli::RequireDistinctOutput(out, {label, data});
    QTemporaryDir dir;
    const QString dataPath = cli::DataInput(data, args.Value("data-format"), dir);

    TLabelDocument document;
    cli::OpenLabel(document, label);
    const QString table = args.Value("table");
    const TTablePicker picker = table.isEmpty() ? TTablePicker() : TablePickerByName(table);
    cli::CheckImported(document.Data.ImportFile(dataPath, picker), data);
    for (const QString& warning : document.Data.ImportWarnings())
        cli::WriteErr(QStringLiteral("tagmora-cli import: %1: %2").arg(data, warning));
    // As after the datasheet window: a fresh print grid and the design showing
    // the current row. Bindings to columns the data lacks are kept: nobody saw
    // the new columns to rebind them.
    document.Data.BuildPrintGrid();
    document.FillFromCurrentRow();
    cli::SaveLabel(document, out);
    return cli::ExitOk;
}
