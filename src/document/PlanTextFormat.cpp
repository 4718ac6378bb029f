// The plan text: WritePlan and ReadPlan of TLabelPlan.
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanObjects.h"
#include "document/Printer.h"
#include "document/StrF.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QHash>

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

void ReadInt(const QString& value, int32_t& field)
{
    int v = 0;
    if (TryStrToInt(value, v))
        field = v;
}

void ReadReal(const QString& value, double& field)
{
    double v = 0;
    if (TryStrToFloat(value, v))
        field = v;
}

void ReadBool(const QString& value, bool& field)
{
    bool v = false;
    if (TryStrToBool(value, v))
        field = v;
}

}  // namespace

void TLabelPlan::WritePlan(QStringList& lines)
{
    lines.clear();
    auto num = [](qint64 v) { return QString::number(v); };
    lines << QStringLiteral("LabelSize ") + num(ScaleX) + QLatin1Char(',') + num(ScaleY);
    lines << QStringLiteral("SetLineWidth ") + num(Pen.Width);
    lines << QStringLiteral("LabelCornerRadius ") + FloatToStr(LabCR);
    lines << QStringLiteral("LayoutRows ") + num(LayoutRows);
    lines << QStringLiteral("LayoutCols ") + num(LayoutCols);
    lines << QStringLiteral("MarginLeft ") + FloatToStr(MarginLeft);
    lines << QStringLiteral("MarginTop ") + FloatToStr(MarginTop);
    lines << QStringLiteral("MarginRight ") + FloatToStr(MarginRight);
    lines << QStringLiteral("MarginBottom ") + FloatToStr(MarginBottom);
    lines << QStringLiteral("VerticalSpace ") + FloatToStr(VerticalSpace);
    lines << QStringLiteral("HorizontalSpace ") + FloatToStr(HorizontalSpace);
    lines << QStringLiteral("AutoCalcLayout ") + BoolToStr(AutoCalcLayout);
    lines << QStringLiteral("CutMark ") + BoolToStr(CutMark);
    lines << QStringLiteral("PageNumber ") + BoolToStr(PageNumber);
    lines << QStringLiteral("DataEmbed ") + BoolToStr(DataEmbed);
    lines << QStringLiteral("DataFilePath ") + OneLine(TrimControls(DataFilePath));
    lines << QStringLiteral("DataMDBTable ") + OneLine(TrimControls(DataMDBTable));
    QString printerName = QStringLiteral("None");
    try {
        const TPrinter& printer = Printer();
        if (printer.HasPrinters())
            printerName = OneLine(TrimControls(printer.PrinterName()));
    } catch (...) {
    }
    lines << QStringLiteral("OutputPrinterName ") + printerName;
    lines << QStringLiteral("OutputPrinter ") + num(OutputPrinter);
    lines << QStringLiteral("PaperSize ") + num(PaperSize);
    lines << QStringLiteral("PaperWidth ") + num(PaperWidth);
    lines << QStringLiteral("PaperLength ") + num(PaperLength);
    lines << QStringLiteral("PaperOrientation ") + BoolToStr(PaperOrientation);
    lines << QStringLiteral("OutputOrder ") + num(int(OutputOrder));
    lines << QStringLiteral("OutPutOffset ") + num(OutputOffset);
    lines << QStringLiteral("LabelCount ") + num(LabelCount);
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
    TValueMatch m;
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
    if ((m = Match(line, "LabelCornerRadius ", "LABELCR", 8)).matched) {
        ReadReal(m.value, LabCR);
        return true;
    }
    if ((m = Match(line, "OutputOrder ")).matched) {
        int v = 0;
        if (TryStrToInt(m.value, v))
            OutputOrder = TOutputOrder(uint8_t(v));
        return true;
    }
    if ((m = Match(line, "OutPutOffset ")).matched) {
        ReadInt(m.value, OutputOffset);
        return true;
    }
    // Printer and paper values that are not integers stop the reading.
    if ((m = Match(line, "OutputPrinter ")).matched) {
        OutputPrinter = StrToInt(m.value);
        return true;
    }
    if ((m = Match(line, "PaperSize ")).matched) {
        PaperSize = StrToInt(m.value);
        return true;
    }
    if ((m = Match(line, "PaperWidth ")).matched) {
        PaperWidth = StrToInt(m.value);
        return true;
    }
    if ((m = Match(line, "PaperLength ")).matched) {
        PaperLength = StrToInt(m.value);
        return true;
    }
    if ((m = Match(line, "OutputPrinterName ")).matched) {
        OutputPrinterName = m.value;
        return true;
    }
    if ((m = Match(line, "LabelCount ", "LABCOUNT", 9)).matched) {
        ReadInt(m.value, LabelCount);
        return true;
    }
    if ((m = Match(line, "LayoutRows ", "ROWS", 5)).matched) {
        ReadInt(m.value, LayoutRows);
        return true;
    }
    if ((m = Match(line, "LayoutCols ", "COLS", 5)).matched) {
        ReadInt(m.value, LayoutCols);
        return true;
    }
    if ((m = Match(line, "AutoCalcLayout ", "AUTOCALE", 9)).matched) {
        ReadBool(m.value, AutoCalcLayout);
        return true;
    }
    if ((m = Match(line, "PaperOrientation ", "PRINTERZX", 10)).matched) {
        ReadBool(m.value, PaperOrientation);
        return true;
    }
    if ((m = Match(line, "CutMark ")).matched) {
        ReadBool(m.value, CutMark);
        return true;
    }
    if ((m = Match(line, "DataEmbed ")).matched) {
        ReadBool(m.value, DataEmbed);
        return true;
    }
    if ((m = Match(line, "PageNumber ")).matched) {
        ReadBool(m.value, PageNumber);
        return true;
    }
    if ((m = Match(line, "DataFilePath ")).matched) {
        DataFilePath = m.value;
        return true;
    }
    if ((m = Match(line, "DataMDBTable ")).matched) {
        DataMDBTable = m.value;
        return true;
    }
    if ((m = Match(line, "MarginTop ", "MT", 3)).matched) {
        ReadReal(m.value, MarginTop);
        return true;
    }
    if ((m = Match(line, "MarginLeft ", "ML", 3)).matched) {
        ReadReal(m.value, MarginLeft);
        return true;
    }
    if ((m = Match(line, "MarginRight ", "MR", 3)).matched) {
        ReadReal(m.value, MarginRight);
        return true;
    }
    if ((m = Match(line, "MarginBottom ", "MB", 3)).matched) {
        ReadReal(m.value, MarginBottom);
        return true;
    }
    if ((m = Match(line, "HorizontalSpace ", "HS", 3)).matched) {
        ReadReal(m.value, HorizontalSpace);
        return true;
    }
    if ((m = Match(line, "VerticalSpace ", "VS", 3)).matched) {
        ReadReal(m.value, VerticalSpace);
        return true;
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
            int size = 0;
            if (TryStrToInt(comma2 >= 0 ? QStringView(rest).left(comma2) : QStringView(rest), size))
                Font.Size = size;
            Font.Style = LettersToFontStyle(comma2 >= 0 ? rest.mid(comma2 + 1) : QString());
        }
        return true;
    }
    return false;
}

void TLabelPlan::ResolvePrinter()
{
    try {
        TPrinter& printer = Printer();
        const QStringList names = printer.Printers();
        if (names.isEmpty())
            return;
        if (OutputPrinter < 0 || OutputPrinter >= names.size() ||
            TrimControls(names.at(OutputPrinter)) != OutputPrinterName)
            OutputPrinter = -1;
        printer.SetPrinterIndex(OutputPrinter);
        PntDPI = UsableDpi(printer.ResolutionX());
    } catch (...) {
    }
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
