// tagmora-cli barcode: builds a symbol and prints its module pattern and its
// human-readable text.
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "barcode/Barcode.h"

#include <QLocale>

#include <cmath>

namespace {

struct TBarcodeArgs {
    TBarcodeType type = bcCodeEAN13;
    bool haveType = false;
    QString text;
    bool haveText = false;
    bool checksum = false;
    int modul = 1;
    double ratio = 2.0;
    bool pattern = false;
};

QString ValueOf(const QStringList& args, int& i)
{
    const QString option = args.at(i);
    if (i + 1 >= args.size())
        throw cli::UsageError(QStringLiteral("%1 needs a value").arg(option));
    return args.at(++i);
}

TBarcodeArgs ParseArgs(const QStringList& args)
{
    TBarcodeArgs a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--type")) {
            const QString value = ValueOf(args, i);
            if (!ParseBarcodeType(value, a.type))
                throw cli::UsageError(QStringLiteral("unknown barcode type '%1'").arg(value));
            a.haveType = true;
        } else if (arg == QLatin1String("--text")) {
            a.text = ValueOf(args, i);
            a.haveText = true;
        } else if (arg == QLatin1String("--checksum")) {
            a.checksum = true;
        } else if (arg == QLatin1String("--modul")) {
            const QString value = ValueOf(args, i);
            bool ok = false;
            a.modul = QLocale::c().toInt(value, &ok);
            if (!ok || a.modul < 1 || a.modul > 49)
                throw cli::UsageError(QStringLiteral("--modul takes a whole number from 1 to 49, not '%1'").arg(value));
        } else if (arg == QLatin1String("--ratio")) {
            const QString value = ValueOf(args, i);
            bool ok = false;
            a.ratio = QLocale::c().toDouble(value, &ok);
            if (!ok || !std::isfinite(a.ratio) || a.ratio <= 0)
                throw cli::UsageError(QStringLiteral("--ratio takes a positive number such as 2.5, not '%1'").arg(value));
        } else if (arg == QLatin1String("--pattern")) {
            a.pattern = true;
        } else if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            throw cli::UsageError(QStringLiteral("drawing a barcode into an image file (-o) is not available yet; use --pattern"));
        } else {
            throw cli::UsageError(QStringLiteral("unexpected argument '%1'").arg(arg));
        }
    }
    if (!a.haveType)
        throw cli::UsageError(QStringLiteral("--type is required"));
    if (!a.haveText)
        throw cli::UsageError(QStringLiteral("--text is required"));
    if (!a.pattern)
        throw cli::UsageError(QStringLiteral("--pattern is required"));
    return a;
}

}  // namespace

int CmdBarcode(const QStringList& args)
{
    const TBarcodeArgs a = ParseArgs(args);
    TBarcode barcode;
    barcode.SetTyp(a.type);
    barcode.SetChecksum(a.checksum);
    barcode.SetModul(a.modul);
    barcode.SetRatio(a.ratio);
    barcode.SetTextString(a.text);
    std::string pattern;
    try {
        barcode.BuildPattern(pattern);
    } catch (const BarcodeError& e) {
        cli::WriteErr(QString::fromUtf8(e.what()));
        return cli::ExitError;
    }
    QByteArray out = QByteArray::fromStdString(pattern);
    out += '\n';
    out += BarcodeBytesToString(barcode.ShownText()).toUtf8();
    out += '\n';
    cli::WriteOut(out);
    return cli::ExitOk;
}
