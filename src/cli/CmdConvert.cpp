// tagmora-cli convert IN.blf OUT.blf: opens a label file and saves it again.
#include "engine/LabelDocument.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

const cli::TOptions& ConvertOptions()
{
    static const cli::TOptions options;
    return options;
}

int CmdConvert(const cli::TArguments& args)
{
    if (args.Positional.size() != 2)
        throw cli::UsageError(QStringLiteral("expects an input and an output label file"));
    const QString in = args.Positional.at(0);
    const QString out = args.Positional.at(1);
    if (out == QLatin1String("-"))
        throw cli::UsageError(QStringLiteral("a label file is written to a file, not to standard output"));
    cli::RequireDistinctOutput(out, {in});
    TLabelDocument document;
    cli::OpenLabel(document, in);
    cli::SaveLabel(document, out);  // a failed save leaves the old file
    return cli::ExitOk;
}
