// tagmora-cli barcode: builds a symbol and prints its module pattern and its
// human-readable text, or draws it into a PNG or SVG file.
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "barcode/Barcode.h"
#include "barcode/BarcodeDraw.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

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
    // Drawing (-o)
    QString output;
    bool svg = false;
    int height = -1;  // -1: 50 modules
    double angle = 0;
    TBarcodeOption showText = bcoCode;
    TShowTextPosition position = stpBottomLeft;
    QString fontName = QStringLiteral("Verdana");
    int fontSize = -1;  // pixels; -1: 8 modules
};

// Quiet zone around a drawn symbol, in modules.
constexpr int kQuietModules = 10;

int ParseInt(const QString& option, const QString& value, int lo, int hi)
{
    bool ok = false;
    const int v = QLocale::c().toInt(value, &ok);
    if (!ok || v < lo || v > hi)
        throw cli::UsageError(QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'").arg(option).arg(lo).arg(hi).arg(value));
    return v;
}

// A keyword from `names` (any letter case) or its ordinal.
int ParseChoice(const QString& option, const QString& value, const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i) {
        if (value.compare(names.at(i), Qt::CaseInsensitive) == 0 || value == QString::number(i))
            return i;
    }
    throw cli::UsageError(QStringLiteral("%1 takes one of %2, not '%3'").arg(option, names.join(QStringLiteral(", ")), value));
}

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
            a.output = ValueOf(args, i);
            const QString suffix = QFileInfo(a.output).suffix().toLower();
            if (suffix == QLatin1String("svg"))
                a.svg = true;
            else if (suffix != QLatin1String("png"))
                throw cli::UsageError(QStringLiteral("the output file must end in .png or .svg, not '%1'").arg(a.output));
        } else if (arg == QLatin1String("--height")) {
            a.height = ParseInt(arg, ValueOf(args, i), 0, 30000);
        } else if (arg == QLatin1String("--angle")) {
            const QString value = ValueOf(args, i);
            bool ok = false;
            a.angle = QLocale::c().toDouble(value, &ok);
            if (!ok || !std::isfinite(a.angle))
                throw cli::UsageError(QStringLiteral("--angle takes degrees such as 90, not '%1'").arg(value));
        } else if (arg == QLatin1String("--show-text")) {
            a.showText = TBarcodeOption(ParseChoice(arg, ValueOf(args, i), {"none", "code", "typ", "both"}));
        } else if (arg == QLatin1String("--text-position")) {
            a.position = TShowTextPosition(ParseChoice(
                arg, ValueOf(args, i),
                {"top-left", "top-right", "top-center", "bottom-left", "bottom-right", "bottom-center"}));
        } else if (arg == QLatin1String("--font")) {
            a.fontName = ValueOf(args, i);
        } else if (arg == QLatin1String("--font-size")) {
            a.fontSize = ParseInt(arg, ValueOf(args, i), 1, 2000);
        } else {
            throw cli::UsageError(QStringLiteral("unexpected argument '%1'").arg(arg));
        }
    }
    if (!a.haveType)
        throw cli::UsageError(QStringLiteral("--type is required"));
    if (!a.haveText)
        throw cli::UsageError(QStringLiteral("--text is required"));
    if (a.pattern == !a.output.isEmpty())
        throw cli::UsageError(QStringLiteral("give either --pattern or -o FILE"));
    return a;
}

bool RenderSvg(TBarcode& barcode, QBuffer& buffer, int margin)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(96);  // one pixel, one CSS pixel
    svg.setTitle(barcode.SymbologyName());
    svg.setDescription(barcode.TextString());
    barcode.SetLeft(0);
    barcode.SetTop(0);
    const QRect painted = BarcodePaintedRect(barcode, &svg);
    const QSize size(painted.width() + 2 * margin, painted.height() + 2 * margin);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    barcode.SetLeft(margin - painted.left());
    barcode.SetTop(margin - painted.top());
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    barcode.DrawBarcode(painter);
    return painter.end();
}

int DrawToFile(TBarcode& barcode, const TBarcodeArgs& a)
{
    barcode.SetHeight(a.height >= 0 ? a.height : 50 * a.modul);
    barcode.SetAngle(a.angle);
    barcode.SetShowText(a.showText);
    barcode.SetShowTextPosition(a.position);
    QFont font(a.fontName);
    font.setPixelSize(a.fontSize > 0 ? a.fontSize : 8 * a.modul);
    barcode.SetShowTextFont(font);
    const int margin = kQuietModules * a.modul;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (a.svg) {
        if (!RenderSvg(barcode, buffer, margin)) {
            cli::WriteErr(QStringLiteral("cannot draw the barcode as SVG"));
            return cli::ExitError;
        }
    } else {
        const QImage image = RenderBarcodeImage(barcode, margin);
        if (image.isNull()) {
            cli::WriteErr(QStringLiteral("the barcode is too large to draw into an image"));
            return cli::ExitError;
        }
        image.save(&buffer, "PNG");
    }
    QSaveFile file(a.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.data().size() || !file.commit()) {
        cli::WriteErr(QStringLiteral("cannot write '%1': %2").arg(a.output, file.errorString()));
        return cli::ExitError;
    }
    return cli::ExitOk;
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
        if (!a.output.isEmpty())
            return DrawToFile(barcode, a);
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
