#include "document/LabelTemplates.h"

#include "document/LabelPlan.h"
#include "document/Printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPageSize>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>

namespace {

const char kSystemFolder[] = "/usr/share/libglabels-3.0/templates";

// A length of the template format ("4in", "101.6mm", "2cm", "288pt", "288")
// in points; NaN when it is not one.
double Points(QStringView text)
{
    static const struct {
        const char* unit;
        double points;
    } kUnits[] = {{"in", 72.0}, {"mm", 72.0 / 25.4}, {"cm", 72.0 / 2.54}, {"pt", 1.0}, {"pc", 12.0}};
    QStringView number = text.trimmed();
    double scale = 1.0;
    for (const auto& u : kUnits) {
        if (number.endsWith(QLatin1String(u.unit))) {
            number.chop(qsizetype(qstrlen(u.unit)));
            scale = u.points;
            break;
        }
    }
    bool ok = false;
    const double v = number.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v * scale : std::nan("");
}

// Paper sizes of the database's paper-sizes.xml that products name.
QHash<QString, QSizeF> PaperSizes(const QString& folder)
{
    QHash<QString, QSizeF> sizes{{QStringLiteral("A4"), QSizeF(595.2756, 841.8898)},
                                 {QStringLiteral("US-Letter"), QSizeF(612, 792)},
                                 {QStringLiteral("US-Legal"), QSizeF(612, 1008)},
                                 {QStringLiteral("A5"), QSizeF(419.5276, 595.2756)}};
    QFile file(folder + QStringLiteral("/paper-sizes.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return sizes;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Paper-size")) {
            const QXmlStreamAttributes a = xml.attributes();
            const QSizeF size(Points(a.value(QLatin1String("width"))), Points(a.value(QLatin1String("height"))));
            if (size.width() > 0 && size.height() > 0)
                sizes.insert(a.value(QLatin1String("id")).toString(), size);
        }
    }
    return sizes;
}

// An empty or unreadable corner radius or first position (the database has
// both) counts as 0.
double PointsOrZero(QStringView text)
{
    const double v = Points(text);
    return std::isfinite(v) ? v : 0.0;
}

bool Sane(double points, double most)
{
    return std::isfinite(points) && points >= 0 && points <= most;
}

}  // namespace

TOutcome<TLabelTemplateFile> ReadLabelTemplates(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refuse(QStringLiteral("%1: %2").arg(path, file.errorString()));
    if (file.size() > 16 * 1024 * 1024)
        return Refuse(QStringLiteral("%1: too large for a template file").arg(path));
    const QHash<QString, QSizeF> papers = PaperSizes(QFileInfo(path).absolutePath());
    TLabelTemplateFile result;
    std::vector<TLabelTemplate>& out = result.Products;
    QXmlStreamReader xml(&file);
    TLabelTemplate* current = nullptr;
    // A product whose numbers do not hold is left out, the rest of the file read.
    auto skip = [&](const QString& why) {
        result.Skipped << QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(why);
        if (current) {
            out.pop_back();
            current = nullptr;
        }
    };
    int layouts = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("Template") && current) {
            if (layouts == 0) {
                skip(QStringLiteral("the product %1 has no label layout").arg(current->Name()));
                continue;
            }
            if (layouts > 1)
                current->Approximations << QStringLiteral("%1 layouts on one sheet, the first one used").arg(layouts);
            current = nullptr;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QStringView name = xml.name();
        if (name == QLatin1String("Template")) {
            out.emplace_back();
            current = &out.back();
            layouts = 0;
            current->File = path;
            current->Brand = a.value(QLatin1String("brand")).toString();
            current->Part = a.value(QLatin1String("part")).toString();
            current->Description = a.value(QLatin1String("_description")).toString();
            if (current->Description.isEmpty())
                current->Description = a.value(QLatin1String("description")).toString();
            current->PaperId = a.value(QLatin1String("size")).toString();
            if (current->Brand.isEmpty() || current->Part.isEmpty()) {
                skip(QStringLiteral("a product without brand or part"));
                continue;
            }
            const QString equiv = a.value(QLatin1String("equiv")).toString();
            if (!equiv.isEmpty()) {
                // The same sheet under another part number.
                const auto same = std::find_if(out.begin(), out.end() - 1, [&](const TLabelTemplate& t) {
                    return t.Brand == current->Brand && t.Part == equiv;
                });
                if (same == out.end() - 1) {
                    skip(QStringLiteral("%1 is the same as %2, which is not in the file").arg(current->Name(), equiv));
                    continue;
                }
                TLabelTemplate copy = *same;
                copy.Part = current->Part;
                if (!current->Description.isEmpty())
                    copy.Description = current->Description;
                *current = copy;
                layouts = 1;
                continue;
            }
            if (current->PaperId == QLatin1String("Other") || current->PaperId.isEmpty()) {
                current->Paper = QSizeF(Points(a.value(QLatin1String("width"))), Points(a.value(QLatin1String("height"))));
            } else if (papers.contains(current->PaperId)) {
                current->Paper = papers.value(current->PaperId);
            } else {
                skip(QStringLiteral("unknown paper size %1").arg(current->PaperId));
                continue;
            }
            if (!(current->Paper.width() > 0 && current->Paper.height() > 0 && Sane(current->Paper.width(), 20000) &&
                  Sane(current->Paper.height(), 100000)))
                skip(QStringLiteral("the product %1 has no paper size").arg(current->Name()));
        } else if (current && name.startsWith(QLatin1String("Label-"))) {
            if (name == QLatin1String("Label-rectangle")) {
                current->Label = QSizeF(Points(a.value(QLatin1String("width"))), Points(a.value(QLatin1String("height"))));
                current->Radius = PointsOrZero(a.value(QLatin1String("round")));
            } else if (name == QLatin1String("Label-round") || name == QLatin1String("Label-cd")) {
                const double r = Points(a.value(QLatin1String("radius")));
                current->Label = QSizeF(2 * r, 2 * r);
                current->Radius = r;
                current->Approximations << (name == QLatin1String("Label-cd") ? QStringLiteral("CD labels printed in their square, no hole")
                                                                              : QStringLiteral("round labels printed in their square"));
            } else if (name == QLatin1String("Label-ellipse")) {
                current->Label = QSizeF(Points(a.value(QLatin1String("width"))), Points(a.value(QLatin1String("height"))));
                current->Radius = std::min(current->Label.width(), current->Label.height()) / 2;
                current->Approximations << QStringLiteral("oval labels printed in their rectangle");
            } else {
                current->Approximations << QStringLiteral("labels of a free shape printed in their rectangle");
                current->Label = QSizeF(Points(a.value(QLatin1String("width"))), Points(a.value(QLatin1String("height"))));
            }
            if (!(Sane(current->Label.width(), 20000) && Sane(current->Label.height(), 100000) &&
                  current->Label.width() > 0 && current->Label.height() > 0 && Sane(current->Radius, 10000)))
                skip(QStringLiteral("the product %1 has no sound label size").arg(current->Name()));
        } else if (current && name == QLatin1String("Layout")) {
            if (++layouts > 1)
                continue;
            bool okX = false, okY = false;
            current->Columns = a.value(QLatin1String("nx")).toInt(&okX);
            current->Rows = a.value(QLatin1String("ny")).toInt(&okY);
            current->X0 = PointsOrZero(a.value(QLatin1String("x0")));
            current->Y0 = PointsOrZero(a.value(QLatin1String("y0")));
            current->Dx = a.hasAttribute(QLatin1String("dx")) ? Points(a.value(QLatin1String("dx"))) : 0.0;
            current->Dy = a.hasAttribute(QLatin1String("dy")) ? Points(a.value(QLatin1String("dy"))) : 0.0;
            if (!okX || !okY || current->Columns < 1 || current->Rows < 1 || current->Columns > 1000 ||
                current->Rows > 1000 || !Sane(current->X0, 20000) || !Sane(current->Y0, 100000) ||
                !Sane(current->Dx, 20000) || !Sane(current->Dy, 100000)) {
                skip(QStringLiteral("the product %1 has an unsound layout").arg(current->Name()));
                continue;
            }
            if (current->Columns == 1)
                current->Dx = current->Label.width();
            if (current->Rows == 1)
                current->Dy = current->Label.height();
            if (current->Dx < current->Label.width() - 0.01 || current->Dy < current->Label.height() - 0.01)
                current->Approximations << QStringLiteral("labels that overlap on the sheet");
            // Some published sheets do not fit their own paper.
            const double right = current->X0 + (current->Columns - 1) * current->Dx + current->Label.width();
            const double bottom = current->Y0 + (current->Rows - 1) * current->Dy + current->Label.height();
            const double beyond = std::max(right - current->Paper.width(), bottom - current->Paper.height());
            if (beyond > 1.0)
                current->Approximations
                    << QStringLiteral("labels reach %1 mm beyond the paper").arg(beyond / 72.0 * 25.4, 0, 'f', 1);
        }
    }
    if (xml.hasError())
        return Refuse(QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString()));
    return result;
}

QStringList LabelTemplateFolders()
{
    const QString dirs = qEnvironmentVariable("TAGMORA_TEMPLATE_DIRS");
    if (!dirs.isNull())
        return dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return {QString::fromLatin1(kSystemFolder), QDir::homePath() + QStringLiteral("/.config/Tavix/templates")};
}

TLabelTemplateSet LoadLabelTemplates()
{
    TLabelTemplateSet set;
    std::vector<TLabelTemplate>& all = set.Products;
    for (const QString& folder : LabelTemplateFolders()) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
            if (name == QLatin1String("paper-sizes.xml") || name == QLatin1String("categories.xml") ||
                name == QLatin1String("vendors.xml"))
                continue;
            TOutcome<TLabelTemplateFile> read = ReadLabelTemplates(dir.filePath(name));
            if (!read) {
                set.Problems << read.Message();
                continue;
            }
            TLabelTemplateFile file = std::move(read).Value();
            set.Problems << file.Skipped;
            for (TLabelTemplate& t : file.Products)
                all.push_back(std::move(t));
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const TLabelTemplate& a, const TLabelTemplate& b) {
        const int brand = a.Brand.compare(b.Brand, Qt::CaseInsensitive);
        return brand != 0 ? brand < 0 : a.Part.compare(b.Part, Qt::CaseInsensitive) < 0;
    });
    return set;
}

std::vector<TLabelTemplate> FindLabelTemplates(const std::vector<TLabelTemplate>& all, const QString& search)
{
    const QStringList words = search.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<TLabelTemplate> found;
    for (const TLabelTemplate& t : all) {
        // Sizes as people type them: "4x2" and "2x4" inches, "101.6x50.8" mm.
        const QString w = QString::number(t.Label.width() / 72.0, 'g', 4);
        const QString h = QString::number(t.Label.height() / 72.0, 'g', 4);
        const QString text = t.Brand + QLatin1Char(' ') + t.Part + QLatin1Char(' ') + t.Description + QLatin1Char(' ') +
                             t.PaperId + QLatin1Char(' ') + w + QLatin1Char('x') + h + QLatin1Char(' ') + h +
                             QLatin1Char('x') + w + QLatin1Char(' ') +
                             QString::number(t.Label.width() / 72.0 * 25.4, 'f', 1) + QLatin1Char('x') +
                             QString::number(t.Label.height() / 72.0 * 25.4, 'f', 1);
        if (std::all_of(words.begin(), words.end(),
                        [&](const QString& w) { return text.contains(w, Qt::CaseInsensitive); }))
            found.push_back(t);
    }
    return found;
}

void ApplyLabelTemplate(TLabelPlan& plan, const TLabelTemplate& t)
{
    constexpr double kCm = 72.0 / 2.54;
    auto cm = [](double points) { return std::round(points / kCm * 1000.0) / 1000.0; };
    plan.ScaleX = std::max(1, int(std::lround(t.Label.width())));
    plan.ScaleY = std::max(1, int(std::lround(t.Label.height())));
    plan.LabCR = t.Radius;
    plan.LayoutCols = t.Columns;
    plan.LayoutRows = t.Rows;
    plan.AutoCalcLayout = false;
    plan.MarginLeft = cm(t.X0);
    plan.MarginTop = cm(t.Y0);
    plan.HorizontalSpace = cm(std::max(0.0, t.Dx - t.Label.width()));
    plan.VerticalSpace = cm(std::max(0.0, t.Dy - t.Label.height()));
    plan.MarginRight = cm(std::max(0.0, t.Paper.width() - t.X0 - (t.Columns - 1) * t.Dx - t.Label.width()));
    plan.MarginBottom = cm(std::max(0.0, t.Paper.height() - t.Y0 - (t.Rows - 1) * t.Dy - t.Label.height()));
    const QPageSize page(t.Paper, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    const int code = page.windowsId();
    plan.PaperSize = code > 0 && code < kPaperCustom ? code : kPaperCustom;
    plan.PaperWidth = int(std::lround(t.Paper.width() / 72.0 * 254.0));
    plan.PaperLength = int(std::lround(t.Paper.height() / 72.0 * 254.0));
    plan.PaperOrientation = true;
    plan.SetScaleX(plan.ScaleX);
}

TLabelTemplate LabelTemplateOf(const TLabelPlan& plan, const QString& brand, const QString& part,
                               const QString& description)
{
    constexpr double kCm = 72.0 / 2.54;
    TLabelTemplate t;
    t.Brand = brand;
    t.Part = part;
    t.Description = description;
    t.PaperId = QStringLiteral("Other");
    t.Paper = QSizeF(plan.PaperWidth / 254.0 * 72.0, plan.PaperLength / 254.0 * 72.0);
    if (!plan.PaperOrientation)
        t.Paper.transpose();
    t.Label = QSizeF(plan.ScaleX, plan.ScaleY);
    t.Radius = plan.LabCR;
    t.Columns = std::max(1, int(plan.LayoutCols));
    t.Rows = std::max(1, int(plan.LayoutRows));
    t.X0 = plan.MarginLeft * kCm;
    t.Y0 = plan.MarginTop * kCm;
    t.Dx = t.Label.width() + plan.HorizontalSpace * kCm;
    t.Dy = t.Label.height() + plan.VerticalSpace * kCm;
    return t;
}

QByteArray LabelTemplateXml(const TLabelTemplate& t)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Glabels-templates"));
    w.writeStartElement(QStringLiteral("Template"));
    w.writeAttribute(QStringLiteral("brand"), t.Brand);
    w.writeAttribute(QStringLiteral("part"), t.Part);
    w.writeAttribute(QStringLiteral("size"), QStringLiteral("Other"));
    w.writeAttribute(QStringLiteral("width"), QString::number(t.Paper.width(), 'g', 10) + QStringLiteral("pt"));
    w.writeAttribute(QStringLiteral("height"), QString::number(t.Paper.height(), 'g', 10) + QStringLiteral("pt"));
    w.writeAttribute(QStringLiteral("description"), t.Description);
    w.writeStartElement(QStringLiteral("Label-rectangle"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    const auto pt = [](double v) -> QString { return QString::number(v, 'g', 10) + QStringLiteral("pt"); };
    w.writeAttribute(QStringLiteral("width"), pt(t.Label.width()));
    w.writeAttribute(QStringLiteral("height"), pt(t.Label.height()));
    w.writeAttribute(QStringLiteral("round"), pt(t.Radius));
    w.writeEmptyElement(QStringLiteral("Layout"));
    w.writeAttribute(QStringLiteral("nx"), QString::number(t.Columns));
    w.writeAttribute(QStringLiteral("ny"), QString::number(t.Rows));
    w.writeAttribute(QStringLiteral("x0"), pt(t.X0));
    w.writeAttribute(QStringLiteral("y0"), pt(t.Y0));
    w.writeAttribute(QStringLiteral("dx"), pt(t.Dx));
    w.writeAttribute(QStringLiteral("dy"), pt(t.Dy));
    w.writeEndElement();  // Label-rectangle
    w.writeEndElement();  // Template
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}
