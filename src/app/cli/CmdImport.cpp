// tagmora-cli import FILE.blf DATA -o OUT.blf [--table NAME]: imports a data
// file into the label's datasheet as "Import Data ..." does and saves.
#include "app/LabelDocument.h"
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "datasheet/Import.h"

#include <QFileInfo>

int CmdImport(const QStringList& args)
{
    QStringList positional;
    QString out;
    QString table;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("-o") || a == QLatin1String("--table")) {
            if (i + 1 >= args.size())
                throw cli::UsageError(QStringLiteral("%1 needs a value").arg(a));
            (a == QLatin1String("-o") ? out : table) = args.at(++i);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            throw cli::UsageError(QStringLiteral("unknown option %1").arg(a));
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2)
        throw cli::UsageError(QStringLiteral("expects a label file and a data file"));
    if (out.isEmpty())
        throw cli::UsageError(QStringLiteral("-o OUT.blf is required"));
    for (const QString& path : positional) {
        if (!QFileInfo::exists(path)) {
            cli::WriteErr(QStringLiteral("tagmora-cli import: %1: no such file").arg(path));
            return cli::ExitError;
        }
    }
    TLabelDocument document;
    document.Open(positional.at(0));
    const TTablePicker picker = table.isEmpty() ? TTablePicker() : TablePickerByName(table);
    if (!document.Data.ImportFile(positional.at(1), picker)) {
        cli::WriteErr(QStringLiteral("tagmora-cli import: %1: nothing to import (unknown file type or no table)")
                          .arg(positional.at(1)));
        return cli::ExitError;
    }
    // As after the datasheet window: a fresh print grid and the design showing
    // the current row. Bindings to columns the data lacks are kept: nobody saw
    // the new columns to rebind them.
    document.Data.BuildPrintGrid();
    document.FillFromCurrentRow();
    document.Save(out);
    return cli::ExitOk;
}
