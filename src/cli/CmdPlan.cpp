// tagmora-cli plan FILE.blf: the plan text of a label file.
#include "engine/LabelDocument.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

const cli::TOptions& PlanOptions()
{
    static const cli::TOptions options = {
        {"o", "output", "FILE", "write the plan text into FILE instead of standard output (\"-\")"},
    };
    return options;
}

int CmdPlan(const cli::TArguments& args)
{
    if (args.Positional.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one label file"));
    const QString path = args.Positional.at(0);
    const QString out = args.Value("output", QStringLiteral("-"));
    cli::RequireDistinctOutput(out, {path});
    // Start from a new label, as the program does before it opens a file.
    TLabelDocument document;
    cli::OpenLabel(document, path);
    cli::WriteOutput(out, document.Plan().SavePlanToBytes());
    return cli::ExitOk;
}
