// tagmora-cli plan FILE.blf: the plan text of a label file.
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "document/LabelFile.h"
#include "document/LabelPlan.h"
#include "document/OpaqueDatasheetBlock.h"

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
    TLabelPlan plan;
    plan.NewLabel();
    TOpaqueDatasheetBlock datasheet;
    OpenLabelFile(path, plan, datasheet);
    cli::WriteOut(plan.SavePlanToBytes());
    return cli::ExitOk;
}
