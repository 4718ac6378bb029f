// The plan text: WritePlan and ReadPlan of TLabelPlan.
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanObjects.h"
#include "document/Printer.h"
#include "document/StrF.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QHash>

#include <variant>
#include <vector>

TLabelObject* CreateLabelObject(const QString& typeName, TLabelPlan* plan)
{
    auto is = [&](const char* name) { return typeName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("Line"))
        return new TPlanLine(plan);
    if (is("Rectangle"))
        return new TPlanBox(plan);
    if (is("Ellipse"))
        return new TPlanCircle(plan);
    if (is("Text"))
        return new TPlanText(plan);
    if (is("Picture"))
        return new TPlanPicture(plan);
    if (is("Barcode"))
        return new TPlanBarcode(plan);
    if (is("Polygon"))
        return new TPlanPolygon(plan);
    if (is("Composite"))
        return new TPlanCompositeObject(plan);
    return nullptr;
}

namespace {

// Header values are single lines; a line break would end the line early.
QString OneLine(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

bool StartsWith(const QString& line, QLatin1String keyword)
{
    return line.startsWith(keyword, Qt::CaseInsensitive);
}

// The value after a current keyword: at most 255 characters, trimmed.
QString KeywordValue(const QString& line, QLatin1String keyword)
{
    return TrimControls(QStringView(line).mid(keyword.size(), 255));
}

// The value of an older keyword: from a 1-based position to the end, trimmed.
QString OldKeywordValue(const QString& line, int position)
{
    return TrimControls(QStringView(line).mid(position - 1));
}

// A header value in the form the keyword table gives it: current keyword
// first, then the older one.
struct TValueMatch {
    bool matched = false;
    QString value;
};

TValueMatch Match(const QString& line, const char* keyword, const char* oldKeyword = nullptr, int oldPosition = 0)
{
    const QLatin1String kw(keyword);
    if (StartsWith(line, kw))
        return {true, KeywordValue(line, kw)};
    if (oldKeyword && StartsWith(line, QLatin1String(oldKeyword)))
        return {true, OldKeywordValue(line, oldPosition)};
    return {};
}

// The header keywords that hold one value of the plan, in the order they are
// written; the reader and the writer both go through this table. Some have an
// older form (upper case, the value from a fixed position) that is only read.
// LabelSize, SetLineWidth and the document's pen, brush and font have their
// own forms and are handled apart.
enum class THeaderKind {
    Int,          // a number; what is not one keeps the old value
    StrictInt,    // a number; what is not one stops the reading
    Real,
    Bool,
    Text,         // written on one line without control characters
    Order,        // the output order, written as its number
    PrinterName,  // read as text, written from the printer in use
};

using THeaderField = std::variant<int32_t TLabelPlan::*, double TLabelPlan::*, bool TLabelPlan::*,
                                  QString TLabelPlan::*, TOutputOrder TLabelPlan::*>;

struct THeaderKey {
    const char* keyword;
    THeaderKind kind;
    THeaderField field;
    const char* oldKeyword = nullptr;
    int oldPosition = 0;
};

const THeaderKey kHeaderKeys[] = {
    {"LabelCornerRadius ", THeaderKind::Real, &TLabelPlan::LabCR, "LABELCR", 8},
    {"LayoutRows ", THeaderKind::Int, &TLabelPlan::LayoutRows, "ROWS", 5},
    {"LayoutCols ", THeaderKind::Int, &TLabelPlan::LayoutCols, "COLS", 5},
    {"MarginLeft ", THeaderKind::Real, &TLabelPlan::MarginLeft, "ML", 3},
    {"MarginTop ", THeaderKind::Real, &TLabelPlan::MarginTop, "MT", 3},
    {"MarginRight ", THeaderKind::Real, &TLabelPlan::MarginRight, "MR", 3},
    {"MarginBottom ", THeaderKind::Real, &TLabelPlan::MarginBottom, "MB", 3},
    {"VerticalSpace ", THeaderKind::Real, &TLabelPlan::VerticalSpace, "VS", 3},
    {"HorizontalSpace ", THeaderKind::Real, &TLabelPlan::HorizontalSpace, "HS", 3},
    {"AutoCalcLayout ", THeaderKind::Bool, &TLabelPlan::AutoCalcLayout, "AUTOCALE", 9},
    {"CutMark ", THeaderKind::Bool, &TLabelPlan::CutMark},
    {"PageNumber ", THeaderKind::Bool, &TLabelPlan::PageNumber},
    {"DataEmbed ", THeaderKind::Bool, &TLabelPlan::DataEmbed},
    {"DataFilePath ", THeaderKind::Text, &TLabelPlan::DataFilePath},
    {"DataMDBTable ", THeaderKind::Text, &TLabelPlan::DataMDBTable},
    {"OutputPrinterName ", THeaderKind::PrinterName, &TLabelPlan::OutputPrinterName},
    {"OutputPrinter ", THeaderKind::StrictInt, &TLabelPlan::OutputPrinter},
    {"PaperSize ", THeaderKind::StrictInt, &TLabelPlan::PaperSize},
    {"PaperWidth ", THeaderKind::StrictInt, &TLabelPlan::PaperWidth},
    {"PaperLength ", THeaderKind::StrictInt, &TLabelPlan::PaperLength},
    {"PaperOrientation ", THeaderKind::Bool, &TLabelPlan::PaperOrientation, "PRINTERZX", 10},
    {"OutputOrder ", THeaderKind::Order, &TLabelPlan::OutputOrder},
    {"OutPutOffset ", THeaderKind::Int, &TLabelPlan::OutputOffset},
    {"LabelCount ", THeaderKind::Int, &TLabelPlan::LabelCount, "LABCOUNT", 9},
};

void ReadHeaderValue(TLabelPlan& plan, const THeaderKey& key, const QString& value)
{
    switch (key.kind) {
    case THeaderKind::Int: {
        int32_t& field = plan.*std::get<int32_t TLabelPlan::*>(key.field);
        field = StrToIntDef(value, field);
        break;
    }
    case THeaderKind::StrictInt:
        plan.*std::get<int32_t TLabelPlan::*>(key.field) = StrToInt(value);
        break;
    case THeaderKind::Real: {
        double& field = plan.*std::get<double TLabelPlan::*>(key.field);
        field = StrToFloatDef(value, field);
        break;
    }
    case THeaderKind::Bool: {
        bool& field = plan.*std::get<bool TLabelPlan::*>(key.field);
        field = StrToBoolDef(value, field);
        break;
    }
    case THeaderKind::Text:
    case THeaderKind::PrinterName:
        plan.*std::get<QString TLabelPlan::*>(key.field) = value;
        break;
    case THeaderKind::Order: {
        int v = 0;
        if (TryStrToInt(value, v))
            plan.*std::get<TOutputOrder TLabelPlan::*>(key.field) = TOutputOrder(uint8_t(v));
        break;
    }
    }
}

QString HeaderValueText(const TLabelPlan& plan, const THeaderKey& key)
{
    switch (key.kind) {
    case THeaderKind::Int:
    case THeaderKind::StrictInt:
        return QString::number(plan.*std::get<int32_t TLabelPlan::*>(key.field));
    case THeaderKind::Real:
        return FloatToStr(plan.*std::get<double TLabelPlan::*>(key.field));
    case THeaderKind::Bool:
        return BoolToStr(plan.*std::get<bool TLabelPlan::*>(key.field));
    case THeaderKind::Text:
        return OneLine(TrimControls(plan.*std::get<QString TLabelPlan::*>(key.field)));
    case THeaderKind::Order:
        return QString::number(int(plan.*std::get<TOutputOrder TLabelPlan::*>(key.field)));
    case THeaderKind::PrinterName:
        break;
    }
    const TPrinter& printer = Printer();
    return printer.HasPrinters() ? OneLine(TrimControls(printer.PrinterName())) : QStringLiteral("None");
}

}  // namespace

void TLabelPlan::WritePlan(QStringList& lines)
{
    lines.clear();
    auto num = [](qint64 v) { return QString::number(v); };
    lines << QStringLiteral("LabelSize ") + num(ScaleX) + QLatin1Char(',') + num(ScaleY);
    lines << QStringLiteral("SetLineWidth ") + num(Pen.Width);
    for (const THeaderKey& key : kHeaderKeys)
        lines << QLatin1String(key.keyword) + HeaderValueText(*this, key);
    const int layerLines = int(lines.size());
    FLayers.WriteLayers(lines);
    for (qsizetype i = layerLines; i < lines.size(); ++i)
        lines[i] = OneLine(lines.at(i));
    for (int l = 0; l < FLayers.Count(); ++l)
        for (TLabelObject* o : FLayers.Item(l)->Objects())
            if (!o->Parent())
                o->WriteSection(0, lines);
}

// Applies a header line; false when the line is no header keyword.
bool TLabelPlan::ReadHeaderLine(const QString& line)
{
    // "LabelSize " / "SCALE": width and height; the value is not trimmed.
    {
        QString value;
        bool matched = true;
        if (StartsWith(line, QLatin1String("LabelSize ")))
            value = line.mid(10, 255);
        else if (StartsWith(line, QLatin1String("SCALE")))
            value = line.mid(5);
        else
            matched = false;
        if (matched) {
            const qsizetype comma = value.indexOf(QLatin1Char(','));
            int x = 0, y = 0;
            if (comma >= 0 && TryStrToInt(QStringView(value).left(comma), x)) {
                ScaleX = x < 1 ? 500 : x;
                if (TryStrToInt(QStringView(value).mid(comma + 1), y)) {
                    ScaleY = y < 1 ? 500 : y;
                    ResizeToLabel();
                }
            }
            return true;
        }
    }
    for (const THeaderKey& key : kHeaderKeys) {
        if (const TValueMatch m = Match(line, key.keyword, key.oldKeyword, key.oldPosition); m.matched) {
            ReadHeaderValue(*this, key, m.value);
            return true;
        }
    }
    // The document's pen, brush and font: read, never written; the values are
    // not trimmed and may be up to 1000 characters long.
    auto longValue = [&](int keywordLength) { return line.mid(keywordLength, 1000); };
    if (StartsWith(line, QLatin1String("SetPenColor "))) {
        Pen.Color = TextToColor(longValue(12));
        return true;
    }
    if (StartsWith(line, QLatin1String("SetBrushColor "))) {
        Brush.Color = TextToColor(longValue(14));
        return true;
    }
    if (StartsWith(line, QLatin1String("SetLineWidth "))) {
        int v = 0;
        if (TryStrToInt(longValue(13), v))
            Pen.Width = v == 0 ? 1 : v;
        return true;
    }
    if (StartsWith(line, QLatin1String("SetFont "))) {
        const QString value = longValue(8);
        const qsizetype comma = value.indexOf(QLatin1Char(','));
        if (comma >= 0) {
            Font.Name = value.left(comma);
            const QString rest = value.mid(comma + 1);
            const qsizetype comma2 = rest.indexOf(QLatin1Char(','));
            Font.Size = StrToIntDef(comma2 >= 0 ? QStringView(rest).left(comma2) : QStringView(rest), Font.Size);
            Font.Style = LettersToFontStyle(comma2 >= 0 ? rest.mid(comma2 + 1) : QString());
        }
        return true;
    }
    return false;
}

void TLabelPlan::ResolvePrinter()
{
    TPrinter& printer = Printer();
    const QStringList names = printer.Printers();
    if (names.isEmpty())
        return;
    // Only an index of the list (or -1, the default printer) is selected.
    if (OutputPrinter < 0 || OutputPrinter >= names.size() || TrimControls(names.at(OutputPrinter)) != OutputPrinterName)
        OutputPrinter = -1;
    printer.SetPrinterIndex(OutputPrinter);
    PntDPI = UsableDpi(printer.ResolutionX());
}

void TLabelPlan::ReadPlan(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    SetCurrentObject(nullptr);
    FLayers.Clear();

    TLabelObject* current = nullptr;  // the last object started, until its properties are applied
    std::vector<TLabelObject*> open;  // sections whose "End" has not been seen
    QHash<QString, TPlanLayer*> layersByName;  // upper-cased names of the layers read so far
    int objectCount = 0;
    const qsizetype n = lines.size();
    try {
        for (qsizetype i = 0; i < n; ++i) {
            ParseProgress(Round(double(i + 1) * 100.0 / double(n)));
            QString line = TrimControls(lines.at(i));
            const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
            if (semicolon >= 0)
                line = TrimControls(QStringView(line).left(semicolon));
            if (line.isEmpty())
                continue;
            if (ReadHeaderLine(line))
                continue;
            if (StartsWith(line, QLatin1String("LabelProfit "))) {
                const QString value = KeywordValue(line, QLatin1String("LabelProfit "));
                if (!value.contains(QLatin1Char(',')))
                    continue;
                const QStringList fields = value.split(QLatin1Char(','));
                const QString key = fields.at(0).toUpper();
                TPlanLayer* layer = layersByName.value(key);
                if (!layer) {
                    layer = FLayers.Item(FLayers.AddLayer(fields.at(0)));
                    layersByName.insert(key, layer);
                }
                if (FLayers.Count() == 1)
                    FActiveLayer = FLayers.Item(0);
                layer->SetVisible(fields.at(1) != QLatin1String("0"));
                if (fields.size() > 2)
                    layer->SetLocked(fields.at(2) != QLatin1String("0"));
                continue;
            }
            if (StartsWith(line, QLatin1String("Object "))) {
                if (FLayers.Count() == 0) {
                    EnsureLayer();
                    layersByName.insert(FLayers.Item(0)->Name.toUpper(), FLayers.Item(0));
                }
                if (current) {
                    current->LoadProperties();
                    current = nullptr;
                }
                const QString type = line.mid(7);
                if (open.size() >= size_t(kMaxPlanNesting))
                    throw ELabelPlanException(
                        Tr("TLabelPlan", "Object sections are nested more than %1 deep").arg(kMaxPlanNesting));
                if (++objectCount > kMaxPlanObjects)
                    throw ELabelPlanException(
                        Tr("TLabelPlan", "The label has more than %1 objects").arg(kMaxPlanObjects));
                TLabelObject* object = CreateLabelObject(type, this);
                if (!object)
                    throw ELabelPlanException(Tr("TLabelPlan", "Invalid object: %1").arg(type));
                if (!open.empty())
                    object->SetParent(open.back());
                open.push_back(object);
                current = object;
                continue;
            }
            if (StartsWith(line, QLatin1String("End"))) {
                if (!open.empty())
                    open.pop_back();
                continue;
            }
            if (current)
                current->Properties.Append(line);
        }
    } catch (...) {
        if (current)
            current->LoadProperties();
        EnsureLayer();
        throw;
    }
    ResolvePrinter();
    ParseProgress(100);
    EnsureLayer();
    if (current)
        current->LoadProperties();
    // A barcode's Modul read without its resolution means dots of the
    // printer the plan opens with, known only now.
    for (int l = 0; l < FLayers.Count(); ++l) {
        TPlanLayer* layer = FLayers.Item(l);
        for (int i = 0; i < layer->Count(); ++i) {
            if (auto* barcode = dynamic_cast<TPlanBarcode*>(layer->Item(i)))
                barcode->ResolveModulDpi();
        }
    }
}
