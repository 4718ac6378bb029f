// tagmora-cli datasheet FILE.blf [--csv]: the datasheet of a label file, as
// its stream or as CSV.
#include "app/LabelDocument.h"
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "datasheet/DatasheetStream.h"

#include <QFileInfo>

namespace {

// One RFC 4180 field: quoted when it holds a comma, a quote or a line break.
void AppendCsvField(QByteArray& out, QByteArrayView cell)
{
    const bool quote = cell.contains(',') || cell.contains('"') || cell.contains('\n') || cell.contains('\r');
    if (!quote) {
        out += cell;
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

int CmdDatasheet(const QStringList& args)
{
    QStringList files;
    bool csv = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--csv"))
            csv = true;
        else if (a.startsWith(QLatin1String("--")))
            throw cli::UsageError(QStringLiteral("unknown option %1").arg(a));
        else
            files << a;
    }
    if (files.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one label file"));
    if (!QFileInfo::exists(files.front())) {
        cli::WriteErr(QStringLiteral("tagmora-cli datasheet: %1: no such file").arg(files.front()));
        return cli::ExitError;
    }
    TLabelDocument document;
    document.Open(files.front());
    const TAdvStringGrid& grid = document.Data.StrGrid_Data;
    QByteArray out;
    if (!csv) {
        WriteDatasheetStream(grid, out);
        cli::WriteOut(out);
        return cli::ExitOk;
    }
    // Column 0 holds row numbers, not data: the CSV starts at column 1, with
    // the column names as its header.
    for (int r = 0; r < grid.RowCount(); ++r) {
        for (int c = 1; c < grid.ColCount(); ++c) {
            if (c > 1)
                out += ',';
            AppendCsvField(out, grid.CellUtf8(c, r));
        }
        out += "\r\n";
        if (out.size() > (1 << 20)) {
            cli::WriteOut(out);
            out.clear();
        }
    }
    cli::WriteOut(out);
    return cli::ExitOk;
}
