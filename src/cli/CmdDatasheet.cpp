// tagmora-cli datasheet FILE.blf [--csv]: the datasheet of a label file, as
// its stream or as CSV.
#include "engine/LabelDocument.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "engine/datasheet/DelimitedText.h"
#include "engine/datasheet/DatasheetStream.h"

namespace {


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
    // Blanks at a cell's ends stay unquoted, as this command has always
    // written them.
    for (int r = 0; r < grid.RowCount(); ++r)
        AppendCsvRow(out, grid, r, false);
    cli::WriteOutput(target, out);
    return cli::ExitOk;
}
