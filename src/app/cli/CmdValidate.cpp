// tagmora-cli validate: the code validity check over texts, one line each.
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "barcode/Barcode.h"

int CmdValidate(const QStringList& args)
{
    TBarcodeType type = bcCodeEAN13;
    bool haveType = false;
    bool checksum = false;
    QStringList texts;
    bool optionsDone = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (optionsDone) {
            texts << arg;
        } else if (arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (arg == QLatin1String("--type")) {
            if (i + 1 >= args.size())
                throw cli::UsageError(QStringLiteral("--type needs a value"));
            const QString value = args.at(++i);
            if (!ParseBarcodeType(value, type))
                throw cli::UsageError(QStringLiteral("unknown barcode type '%1'").arg(value));
            haveType = true;
        } else if (arg == QLatin1String("--checksum")) {
            checksum = true;
        } else {
            texts << arg;
        }
    }
    if (!haveType)
        throw cli::UsageError(QStringLiteral("--type is required"));
    if (texts.isEmpty())
        throw cli::UsageError(QStringLiteral("no text to check"));
    QByteArray out;
    bool allValid = true;
    for (const QString& text : texts) {
        const bool valid = IsValidCode(text, type, checksum);
        allValid = allValid && valid;
        out += valid ? "valid\n" : "invalid\n";
    }
    cli::WriteOut(out);
    return allValid ? cli::ExitOk : cli::ExitError;
}
