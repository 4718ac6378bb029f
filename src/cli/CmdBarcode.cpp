// tagmora-cli barcode: builds a symbol and prints its module pattern and its
// human-readable text, or draws it into a PNG or SVG file.
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "barcode/Barcode.h"
#include "barcode/BarcodeDraw.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace {

struct TBarcodeArgs {
    TBarcodeType type = bcCodeEAN13;
    QString text;
    bool checksum = false;
    TSymbolOptions options;
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

// A keyword from `names` (any letter case) or its ordinal.
int ParseChoice(const char* option, const QString& value, const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i) {
        if (value.compare(names.at(i), Qt::CaseInsensitive) == 0 || value == QString::number(i))
            return i;
    }
    throw cli::UsageError(QStringLiteral("--%1 takes one of %2, not '%3'")
                              .arg(QLatin1String(option), names.join(QStringLiteral(", ")), value));
}

TBarcodeArgs ParseArgs(const cli::TArguments& args)
{
    if (!args.Positional.isEmpty())
        throw cli::UsageError(
            QStringLiteral("unexpected argument '%1' (the text goes after --text)").arg(args.Positional.front()));
    if (!args.IsSet("type"))
        throw cli::UsageError(QStringLiteral("--type is required"));
    if (!args.IsSet("text"))
        throw cli::UsageError(QStringLiteral("--text is required"));
    TBarcodeArgs a;
    a.type = cli::BarcodeTypeValue(args.Value("type"));
    a.text = args.Value("text");
    a.checksum = args.IsSet("checksum");
    if (args.IsSet("option"))
        a.options = cli::SymbolOptionsValue(args.Value("option"), a.type);
    if (args.IsSet("modul"))
        a.modul = cli::IntValue("modul", args.Value("modul"), 1, 49);
    if (args.IsSet("ratio")) {
        // Below 1 the wide elements would be narrower than the narrow ones.
        a.ratio = cli::RealValue("ratio", args.Value("ratio"));
        if (a.ratio < 1 || a.ratio > 100)
            throw cli::UsageError(
                QStringLiteral("--ratio takes a number from 1 to 100, not '%1'").arg(args.Value("ratio")));
    }
    a.pattern = args.IsSet("pattern");
    if (a.pattern && IsLibrarySymbology(a.type))
        throw cli::UsageError(QStringLiteral("--pattern is for bar patterns; draw %1 codes with -o FILE")
                                  .arg(QLatin1String(SymbologyTable[size_t(a.type)].name)));
    a.output = args.Value("output");
    if (a.pattern == !a.output.isEmpty())
        throw cli::UsageError(QStringLiteral("give either --pattern or -o FILE"));
    if (!a.output.isEmpty())
        a.svg = cli::OutputFormat(a.output, args.Value("format"), {"png", "svg"}) == QLatin1String("svg");
    else if (args.IsSet("format"))
        throw cli::UsageError(QStringLiteral("--format goes with -o"));
    if (args.IsSet("height"))
        a.height = cli::IntValue("height", args.Value("height"), 0, 30000);
    if (args.IsSet("angle"))
        a.angle = cli::RealValue("angle", args.Value("angle"));
    if (args.IsSet("show-text"))
        a.showText = TBarcodeOption(ParseChoice("show-text", args.Value("show-text"), {"none", "code", "typ", "both"}));
    if (args.IsSet("text-position"))
        a.position = TShowTextPosition(
            ParseChoice("text-position", args.Value("text-position"),
                        {"top-left", "top-right", "top-center", "bottom-left", "bottom-right", "bottom-center"}));
    a.fontName = args.Value("font", a.fontName);
    if (args.IsSet("font-size"))
        a.fontSize = cli::IntValue("font-size", args.Value("font-size"), 1, 2000);
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
            throw cli::Failure(a.output, QStringLiteral("cannot draw the barcode as SVG"));
        }
    } else {
        const QImage image = RenderBarcodeImage(barcode, margin);
        if (image.isNull()) {
            throw cli::Failure(a.output, QStringLiteral("the barcode is too large to draw into an image"));
        }
        if (!image.save(&buffer, "PNG"))
            throw cli::Failure(a.output, QStringLiteral("cannot encode the image as PNG"));
    }
    cli::WriteOutput(a.output, buffer.data());
    return cli::ExitOk;
}

}  // namespace

const cli::TOptions& BarcodeOptions()
{
    static const cli::TOptions options = {
        {"t", "type", "TYPE", "the barcode type: its number, name or another name from 'tagmora-cli types'"},
        {nullptr, "text", "TEXT", "the text to encode, taken as it is (also when it starts with \"-\")"},
        {nullptr, "checksum", nullptr, "add the check digit of symbologies whose check digit is optional"},
        {nullptr, "option", "K=V,...",
         "settings of 2D codes: ecc=L|M|Q|H or 1-9 (error correction), size=N (version or size; Data Matrix "
         "also ROWSxCOLS or rectangular), columns=N (PDF417, MicroPDF417, DataBar Expanded Stacked), gs1=on|off "
         "(QR Code, Data Matrix, Aztec)"},
        {nullptr, "modul", "N", "width of the narrowest bar and space in pixels, 1 to 49 (default 1)"},
        {nullptr, "ratio", "R",
         "width of a wide bar or space as a multiple of a narrow one, 1 to 100 (default 2); only symbologies "
         "with two widths (2 of 5, Code 39, Codabar, EAN and UPC) use it, within their own limits"},
        {nullptr, "pattern", nullptr,
         "print the module pattern (one character per module, digits for the widths) and the shown text"},
        {"o", "output", "FILE", "draw the barcode into a PNG or SVG file, \"-\" for standard output"},
        {nullptr, "format", "png|svg", "the drawing's format (default: the file's suffix; needed for -o -)"},
        {nullptr, "height", "PX", "bar height in pixels (default 50 modules)"},
        {nullptr, "angle", "DEG", "rotation counter-clockwise in degrees (default 0)"},
        {nullptr, "show-text", "WHAT",
         "the text under or over the bars: none, code (the encoded text, default), typ (the barcode type's name) "
         "or both"},
        {nullptr, "text-position", "POS",
         "where that text goes: top-left, top-right, top-center, bottom-left (default), bottom-right or "
         "bottom-center"},
        {nullptr, "font", "NAME", "font of that text (default Verdana)"},
        {nullptr, "font-size", "PX", "size of that text in pixels (default 8 modules)"},
    };
    return options;
}

int CmdBarcode(const cli::TArguments& args)
{
    const TBarcodeArgs a = ParseArgs(args);
    TBarcode barcode;
    barcode.SetTyp(a.type);
    barcode.SetChecksum(a.checksum);
    barcode.SetOptions(a.options);
    barcode.SetModul(a.modul);
    barcode.SetRatio(a.ratio);
    barcode.SetTextString(a.text);
    std::string pattern;
    try {
        barcode.BuildPattern(pattern);
        if (!a.output.isEmpty())
            return DrawToFile(barcode, a);
    } catch (const BarcodeError& e) {
        cli::Report(QString::fromUtf8(e.what()));
        return cli::ExitError;
    }
    QByteArray out = QByteArray::fromStdString(pattern);
    out += '\n';
    out += BarcodeBytesToString(barcode.ShownText()).toUtf8();
    out += '\n';
    cli::WriteOut(out);
    return cli::ExitOk;
}
