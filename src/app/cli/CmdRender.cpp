// tagmora-cli render FILE.blf -o OUT.(png|svg|pdf) [--dpi N] [--strict]: paints
// one label as the printer would, at the given resolution. Pictures that
// cannot be read are named on stderr (an error with --strict).
#include "app/cli/Cli.h"
#include "app/cli/CliCommands.h"
#include "document/LabelFile.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/OpaqueDatasheetBlock.h"
#include "document/PictureObject.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <exception>

namespace {

enum class TRenderFormat { Png, Svg, Pdf };

struct TRenderArgs {
    QString input;
    QString output;
    TRenderFormat format = TRenderFormat::Png;
    int dpi = 300;
    bool strict = false;  // unreadable pictures are an error
};

constexpr int kMaxDpi = 2400;
// Largest bitmap side; vector output may be larger.
constexpr int kMaxBitmapSide = 32767;
constexpr int kMaxVectorSide = 1000000;

TRenderArgs ParseArgs(const QStringList& args)
{
    TRenderArgs a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("-o") || arg == QLatin1String("--output")) {
            if (i + 1 >= args.size())
                throw cli::UsageError(QStringLiteral("%1 needs a file name").arg(arg));
            a.output = args.at(++i);
            const QString suffix = QFileInfo(a.output).suffix().toLower();
            if (suffix == QLatin1String("png"))
                a.format = TRenderFormat::Png;
            else if (suffix == QLatin1String("svg"))
                a.format = TRenderFormat::Svg;
            else if (suffix == QLatin1String("pdf"))
                a.format = TRenderFormat::Pdf;
            else
                throw cli::UsageError(
                    QStringLiteral("the output file must end in .png, .svg or .pdf, not '%1'").arg(a.output));
        } else if (arg == QLatin1String("--dpi")) {
            if (i + 1 >= args.size())
                throw cli::UsageError(QStringLiteral("--dpi needs a value"));
            const QString value = args.at(++i);
            bool ok = false;
            a.dpi = QLocale::c().toInt(value, &ok);
            if (!ok || a.dpi < 1 || a.dpi > kMaxDpi)
                throw cli::UsageError(
                    QStringLiteral("--dpi takes a whole number from 1 to %1, not '%2'").arg(kMaxDpi).arg(value));
        } else if (arg == QLatin1String("--strict")) {
            a.strict = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            throw cli::UsageError(QStringLiteral("unexpected option '%1'").arg(arg));
        } else if (a.input.isEmpty()) {
            a.input = arg;
        } else {
            throw cli::UsageError(QStringLiteral("unexpected argument '%1'").arg(arg));
        }
    }
    if (a.input.isEmpty())
        throw cli::UsageError(QStringLiteral("expects a label file"));
    if (a.output.isEmpty())
        throw cli::UsageError(QStringLiteral("-o OUT.png|OUT.svg|OUT.pdf is required"));
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
    QImage image(plan.width(), plan.height(), QImage::Format_RGB32);
    if (image.isNull()) {
        error = QStringLiteral("not enough memory for a %1 x %2 pixel image").arg(plan.width()).arg(plan.height());
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
    svg.setSize(plan.size());
    svg.setViewBox(QRect(QPoint(0, 0), plan.size()));
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

int CmdRender(const QStringList& args)
{
    const TRenderArgs a = ParseArgs(args);
    if (!QFileInfo::exists(a.input)) {
        cli::WriteErr(QStringLiteral("tagmora-cli render: %1: no such file").arg(a.input));
        return cli::ExitError;
    }
    TLabelPlan plan;
    plan.NewLabel();
    TOpaqueDatasheetBlock datasheet;
    OpenLabelFile(a.input, plan, datasheet);
    const QStringList unreadable = UnreadablePictures(plan);
    for (const QString& warning : unreadable)
        cli::WriteErr(QStringLiteral("tagmora-cli render: ") + warning);
    if (a.strict && !unreadable.isEmpty())
        return cli::ExitError;

    // The surface as the print job sets it up: the label in device pixels,
    // printing (no handles, no placeholders), the output resolution.
    const double w = double(plan.ScaleX) / 72.0 * a.dpi;
    const double h = double(plan.ScaleY) / 72.0 * a.dpi;
    const int maxSide = a.format == TRenderFormat::Png ? kMaxBitmapSide : kMaxVectorSide;
    if (w > maxSide || h > maxSide) {
        cli::WriteErr(QStringLiteral("tagmora-cli render: the label is too large for %1 dpi (%2 x %3 pixels)")
                          .arg(a.dpi)
                          .arg(w, 0, 'f', 0)
                          .arg(h, 0, 'f', 0));
        return cli::ExitError;
    }
    plan.ApplyMainWindowAppearance();
    plan.PntDPI = a.dpi;
    plan.Printing = true;
    plan.SetViewSize(std::max(1, Round(w)), std::max(1, Round(h)));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    const QString title = QFileInfo(a.input).completeBaseName();
    bool ok = false;
    switch (a.format) {
    case TRenderFormat::Png: ok = RenderPng(plan, a.dpi, buffer, error); break;
    case TRenderFormat::Svg: ok = RenderSvg(plan, a.dpi, title, buffer, error); break;
    case TRenderFormat::Pdf: ok = RenderPdf(plan, a.dpi, title, buffer, error); break;
    }
    buffer.close();
    if (!ok) {
        cli::WriteErr(QStringLiteral("tagmora-cli render: %1").arg(error.isEmpty() ? QStringLiteral("drawing failed") : error));
        return cli::ExitError;
    }
    QSaveFile file(a.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.data().size() || !file.commit()) {
        cli::WriteErr(QStringLiteral("tagmora-cli render: cannot write '%1': %2").arg(a.output, file.errorString()));
        return cli::ExitError;
    }
    return cli::ExitOk;
}
