// tagmora-cli plan FILE.blf: the plan text of a label file.
#include "app/LabelDocument.h"
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"

#include <QFileInfo>

int CmdPlan(const QStringList& args)
{
    if (args.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one label file"));
    const QString path = args.at(0);
    if (!QFileInfo::exists(path)) {
        cli::WriteErr(QStringLiteral("tagmora-cli plan: %1: no such file").arg(path));
        return cli::ExitError;
    }
    // Start from a new label, as the program does before it opens a file.
    TLabelDocument document;
    document.Open(path);
    cli::WriteOut(document.Plan.SavePlanToBytes());
    return cli::ExitOk;
}
