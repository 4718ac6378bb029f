// tagmora-cli convert IN.blf OUT.blf: opens a label file and saves it again.
#include "app/LabelDocument.h"
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"

#include <QFileInfo>

int CmdConvert(const QStringList& args)
{
    if (args.size() != 2)
        throw cli::UsageError(QStringLiteral("expects an input and an output label file"));
    const QString in = args.at(0);
    if (!QFileInfo::exists(in)) {
        cli::WriteErr(QStringLiteral("tagmora-cli convert: %1: no such file").arg(in));
        return cli::ExitError;
    }
    TLabelDocument document;
    document.Open(in);
    document.Save(args.at(1));
    return cli::ExitOk;
}
