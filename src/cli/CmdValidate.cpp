// tagmora-cli validate: the code validity check over texts, one line each;
// tagmora-cli types: the symbologies --type accepts.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "barcode/Barcode.h"
#include "document/LabelTemplates.h"

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

const cli::TOptions& TemplatesOptions()
{
    static const cli::TOptions options = {
        {nullptr, "problems", nullptr, "also name the products left out of the database and why"},
    };
    return options;
}

int CmdTemplates(const cli::TArguments& args)
{
    const TLabelTemplateSet set = LoadLabelTemplates();
    const std::vector<TLabelTemplate>& all = set.Products;
    if (args.IsSet("problems")) {
        for (const QString& problem : set.Problems)
            cli::WriteErr(QStringLiteral("tagmora-cli templates: %1").arg(problem));
    }
    QByteArray out;
    for (const TLabelTemplate& t : FindLabelTemplates(all, args.Positional.join(QLatin1Char(' ')))) {
        QString line = QStringLiteral("%1  %2  %3 x %4 mm, %5 x %6 on %7")
                           .arg(t.Name(), -22)
                           .arg(t.Description, -36)
                           .arg(t.Label.width() / 72.0 * 25.4, 0, 'f', 1)
                           .arg(t.Label.height() / 72.0 * 25.4, 0, 'f', 1)
                           .arg(t.Columns)
                           .arg(t.Rows)
                           .arg(t.PaperId == QLatin1String("Other")
                                    ? QStringLiteral("%1 x %2 mm")
                                          .arg(t.Paper.width() / 72.0 * 25.4, 0, 'f', 0)
                                          .arg(t.Paper.height() / 72.0 * 25.4, 0, 'f', 0)
                                    : t.PaperId);
        if (!t.Approximations.isEmpty())
            line += QStringLiteral(" (approximated: %1)").arg(t.Approximations.join(QStringLiteral("; ")));
        out += line.toUtf8() + '\n';
    }
    cli::WriteOut(out);
    return all.empty() ? cli::ExitError : cli::ExitOk;
}
