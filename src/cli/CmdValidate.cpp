// tagmora-cli validate: the code validity check over texts, one line each;
// tagmora-cli types: the symbologies --type accepts.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "barcode/Barcode.h"

const cli::TOptions& ValidateOptions()
{
    static const cli::TOptions options = {
        {"t", "type", "TYPE", "the barcode type: its number, name or another name from 'tagmora-cli types'"},
        {nullptr, "checksum", nullptr, "the texts get a check digit added (symbologies whose check digit is optional)"},
        {nullptr, "option", "K=V,...", "settings of 2D codes, as for 'tagmora-cli barcode'"},
    };
    return options;
}

int CmdValidate(const cli::TArguments& args)
{
    if (!args.IsSet("type"))
        throw cli::UsageError(QStringLiteral("--type is required"));
    const TBarcodeType type = cli::BarcodeTypeValue(args.Value("type"));
    const TSymbolOptions options =
        args.IsSet("option") ? cli::SymbolOptionsValue(args.Value("option"), type) : TSymbolOptions();
    if (args.Positional.isEmpty())
        throw cli::UsageError(QStringLiteral("no text to check"));
    QByteArray out;
    bool allValid = true;
    for (const QString& text : args.Positional) {
        const bool valid = IsValidCode(text, type, args.IsSet("checksum"), options);
        allValid = allValid && valid;
        out += valid ? "valid\n" : "invalid\n";
    }
    cli::WriteOut(out);
    return allValid ? cli::ExitOk : cli::ExitError;
}

const cli::TOptions& TypesOptions()
{
    static const cli::TOptions options;
    return options;
}

int CmdTypes(const cli::TArguments& args)
{
    if (!args.Positional.isEmpty())
        throw cli::UsageError(QStringLiteral("takes no arguments"));
    QByteArray out;
    for (const TSymbologyInfo& info : SymbologyTable) {
        QString line = QStringLiteral("%1  %2  %3")
                           .arg(int(info.type), 2)
                           .arg(QLatin1String(info.name), -16)
                           .arg(QLatin1String(info.enumName));
        const QStringList aliases = cli::BarcodeTypeAliases(info.type);
        if (!aliases.isEmpty())
            line = line.leftJustified(46) + aliases.join(QStringLiteral(", "));
        out += line.toUtf8() + '\n';
    }
    cli::WriteOut(out);
    return cli::ExitOk;
}
