// tagmora-cli datasheet FILE.blf [--csv]: the datasheet of a label file, as
// its stream or as CSV.
#include "engine/LabelDocument.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "engine/datasheet/DatasheetStream.h"

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

const cli::TOptions& DatasheetOptions()
{
    static const cli::TOptions options = {
        {nullptr, "csv", nullptr, "write CSV (RFC 4180, CR LF lines) instead of the datasheet stream"},
        {"o", "output", "FILE", "write into FILE instead of standard output (\"-\")"},
    };
    return options;
}

int CmdDatasheet(const cli::TArguments& args)
{
    if (args.Positional.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one label file"));
    const QString path = args.Positional.front();
    const QString target = args.Value("output", QStringLiteral("-"));
    cli::RequireDistinctOutput(target, {path});
    TLabelDocument document;
    cli::OpenLabel(document, path);
    const TAdvStringGrid& grid = document.Data.StrGrid_Data;
    QByteArray out;
    if (!args.IsSet("csv")) {
        WriteDatasheetStream(grid, out);
        cli::WriteOutput(target, out);
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
    }
    cli::WriteOutput(target, out);
    return cli::ExitOk;
}
