// tagmora-cli render FILE.blf -o OUT.(png|svg|pdf) [--dpi N] [--strict]: paints
// one label as the printer would, at the given resolution. Pictures that
// cannot be read and barcodes that cannot be drawn whole are named on stderr
// (an error with --strict).
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"
#include "document/LabelFile.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/OpaqueDatasheetBlock.h"
#include "document/PictureObject.h"
#include "engine/printing/LabelRun.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <exception>

namespace {

enum class TRenderFormat { Png, Svg, Pdf };

struct TRenderArgs {
    QString input;
    QString output;
    TRenderFormat format = TRenderFormat::Png;
    int dpi = 300;
    bool strict = false;
};

constexpr int kMaxDpi = 2400;
// Largest bitmap side; vector output may be larger.
constexpr int kMaxBitmapSide = 32767;
constexpr int kMaxVectorSide = 1000000;

TRenderArgs ParseArgs(const cli::TArguments& args)
{
    if (args.Positional.size() != 1)
        throw cli::UsageError(QStringLiteral("expects one label file"));
    TRenderArgs a;
    a.input = args.Positional.front();
    a.output = args.Value("output");
    if (a.output.isEmpty())
        throw cli::UsageError(QStringLiteral("-o OUT.png|OUT.svg|OUT.pdf is required"));
    const QString format = cli::OutputFormat(a.output, args.Value("format"), {"png", "svg", "pdf"});
    a.format = format == QLatin1String("svg")   ? TRenderFormat::Svg
               : format == QLatin1String("pdf") ? TRenderFormat::Pdf
                                                : TRenderFormat::Png;
    if (args.IsSet("dpi"))
        a.dpi = cli::IntValue("dpi", args.Value("dpi"), 1, kMaxDpi);
    a.strict = args.IsSet("strict");
    cli::RequireDistinctOutput(a.output, {a.input});
    return a;
}

// Paints the surface onto the device; false with a message when an object
// cannot draw itself.
bool Paint(TLabelPlan& plan, QPaintDevice& device, QString& error)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QStringLiteral("cannot start drawing");
        return false;
    }
    try {
        plan.PaintTo(painter);
    } catch (const std::exception& e) {
        error = QStringLiteral("cannot draw the label: %1").arg(QString::fromUtf8(e.what()));
        return false;
    }
    return painter.end();
}

bool RenderPng(TLabelPlan& plan, int dpi, QBuffer& out, QString& error)
{
    QImage image(plan.ViewWidth(), plan.ViewHeight(), QImage::Format_RGB32);
    if (image.isNull()) {
        error = QStringLiteral("not enough memory for a %1 x %2 pixel image").arg(plan.ViewWidth()).arg(plan.ViewHeight());
        return false;
    }
    image.fill(Qt::white);
    const int dotsPerMetre = Round(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    if (!Paint(plan, image, error))
        return false;
    return image.save(&out, "PNG");
}

bool RenderSvg(TLabelPlan& plan, int dpi, const QString& title, QBuffer& out, QString& error)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setResolution(dpi);  // the size attributes give the label's real size
    svg.setSize(plan.ViewSize());
    svg.setViewBox(QRect(QPoint(0, 0), plan.ViewSize()));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Tagmora " TAGMORA_VERSION));
    return Paint(plan, svg, error);
}

bool RenderPdf(TLabelPlan& plan, int dpi, const QString& title, QBuffer& out, QString& error)
{
    QPdfWriter pdf(&out);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Tagmora " TAGMORA_VERSION));
    // One page the size of the label, without margins.
    pdf.setPageSize(QPageSize(QSizeF(plan.ScaleX, plan.ScaleY), QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(dpi);
    return Paint(plan, pdf, error);
}

}  // namespace

const cli::TOptions& RenderOptions()
{
    static const cli::TOptions options = {
        {"o", "output", "FILE", "the PNG, SVG or PDF file to write (required), \"-\" for standard output"},
        {nullptr, "format", "png|svg|pdf", "the output's format (default: the file's suffix; needed for -o -)"},
        {nullptr, "dpi", "N", "resolution in dots per inch, 1 to 2400 (default 300)"},
        {nullptr, "strict", nullptr,
         "fail (exit status 1) when a picture of the label cannot be read, or a barcode cannot be drawn whole, "
         "instead of warning and drawing the rest"},
    };
    return options;
}

int CmdRender(const cli::TArguments& args)
{
    const TRenderArgs a = ParseArgs(args);
    cli::RequireFile(a.input);
    TLabelPlan plan;
    plan.NewLabel();
    TOpaqueDatasheetBlock datasheet;
    try {
        OpenLabelFile(a.input, plan, datasheet);
    } catch (const std::exception& e) {
        throw cli::Failure(a.input, QString::fromUtf8(e.what()));
    }
    const QStringList unreadable = UnreadablePictures(plan);
    for (const QString& warning : unreadable)
        cli::WriteErr(QStringLiteral("tagmora-cli render: %1: %2").arg(a.input, warning));
    if (a.strict && !unreadable.isEmpty())
        throw cli::Failure(a.input, QStringLiteral("pictures that cannot be read (--strict)"));

    // The surface as the print job sets it up: the label in device pixels,
    // printing (no handles, no placeholders), the output resolution.
    const double w = double(plan.ScaleX) / 72.0 * a.dpi;
    const double h = double(plan.ScaleY) / 72.0 * a.dpi;
    const int maxSide = a.format == TRenderFormat::Png ? kMaxBitmapSide : kMaxVectorSide;
    if (w > maxSide || h > maxSide) {
        throw cli::Failure(a.input, QStringLiteral("the label is too large for %1 dpi (%2 x %3 pixels)")
                                        .arg(a.dpi)
                                        .arg(w, 0, 'f', 0)
                                        .arg(h, 0, 'f', 0));
    }
    plan.ApplyMainWindowAppearance();
    plan.PntDPI = a.dpi;
    plan.Printing = true;
    plan.SetViewSize(std::max(1, Round(w)), std::max(1, Round(h)));
    // A barcode the label cannot show whole is named, like a picture.
    if (const TPlanBarcode::TFit check = CheckLabelBarcodes(plan); check != TPlanBarcode::TFit::Fits) {
        const QString why = check == TPlanBarcode::TFit::BeyondLabel ? QStringLiteral("a barcode does not fit on the label")
                                                                     : QStringLiteral("a barcode's code cannot be encoded");
        cli::WriteErr(QStringLiteral("tagmora-cli render: %1: %2").arg(a.input, why));
        if (a.strict)
            throw cli::Failure(a.input, why + QStringLiteral(" (--strict)"));
    }

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    const QString title = QFileInfo(a.input).completeBaseName();
    bool ok = false;
    switch (a.format) {
        case TRenderFormat::Png:
            ok = RenderPng(plan, a.dpi, buffer, error);
            break;
        case TRenderFormat::Svg:
            ok = RenderSvg(plan, a.dpi, title, buffer, error);
            break;
        case TRenderFormat::Pdf:
            ok = RenderPdf(plan, a.dpi, title, buffer, error);
            break;
    }
    buffer.close();
    if (!ok)
        throw cli::Failure(a.input, error.isEmpty() ? QStringLiteral("drawing failed") : error);
    cli::WriteOutput(a.output, buffer.data());
    return cli::ExitOk;
}
