#include "document/LabelPlan.h"

#include "document/LabelObject.h"
#include "document/MGraph.h"
#include "document/PictureObject.h"
#include "document/SystemText.h"
#include "document/Printer.h"

#include <QBuffer>
#include <QIODevice>

TLabelPlan::TLabelPlan(QObject* parent) : QObject(parent), FLayers(this)
{
    Pen.Color = clWhite;
    Pen.Width = 1;
    Brush.Color = clBlack;
    Brush.Style = bsSolid;
    Font.Name = QStringLiteral("Times New Roman MT Extra Bold");
    Font.Size = 12;
    Font.Style = fsBold;
    Font.Color = clBlack;
    FActiveLayer = FLayers.Item(FLayers.AddLayer(QStringLiteral("Default")));
}

TLabelPlan::~TLabelPlan()
{
    FDestroying = true;
    FCurrentObject = nullptr;
    FLayers.Clear();
}

void TLabelPlan::SetOptions(TPlanOptions options)
{
    FOptions = options;
    InvalidatePlan();
}

void TLabelPlan::CopySettingsFrom(const TLabelPlan& o)
{
    ScaleX = o.ScaleX;
    ScaleY = o.ScaleY;
    LabCR = o.LabCR;
    LayoutRows = o.LayoutRows;
    LayoutCols = o.LayoutCols;
    MarginLeft = o.MarginLeft;
    MarginTop = o.MarginTop;
    MarginRight = o.MarginRight;
    MarginBottom = o.MarginBottom;
    VerticalSpace = o.VerticalSpace;
    HorizontalSpace = o.HorizontalSpace;
    AutoCalcLayout = o.AutoCalcLayout;
    CutMark = o.CutMark;
    PageNumber = o.PageNumber;
    DataEmbed = o.DataEmbed;
    DataFilePath = o.DataFilePath;
    DataMDBTable = o.DataMDBTable;
    OutputPrinter = o.OutputPrinter;
    OutputPrinterName = o.OutputPrinterName;
    PaperSize = o.PaperSize;
    PaperWidth = o.PaperWidth;
    PaperLength = o.PaperLength;
    PaperOrientation = o.PaperOrientation;
    OutputOrder = o.OutputOrder;
    OutputOffset = o.OutputOffset;
    LabelCount = o.LabelCount;
    PntDPI = o.PntDPI;
    Pen = o.Pen;
    Brush = o.Brush;
    Font = o.Font;
    SelectColor = o.SelectColor;
    SelectFillColor = o.SelectFillColor;
    DefaultBarcodeType = o.DefaultBarcodeType;
    Color = o.Color;
    BorderStyle = o.BorderStyle;
    FOptions = o.FOptions;
    FReadOnly = o.FReadOnly;
    FViewSize = o.FViewSize;
}

void TLabelPlan::SetReadOnly(bool value)
{
    FReadOnly = value;
    if (value && FCurrentObject)
        FCurrentObject->Unfocus();
}

void TLabelPlan::SetActiveLayer(TPlanLayer* layer)
{
    if (FCurrentObject)
        FCurrentObject->Unfocus();
    FActiveLayer = layer;
    InvalidatePlan();
}

void TLabelPlan::SetCurrentObject(TLabelObject* object)
{
    if (FCurrentObject == object)
        return;
    FCurrentObject = object;
    if (!FDestroying)
        Q_EMIT CurrentObjectChanged(object);
}

void TLabelPlan::EnsureLayer()
{
    if (FLayers.Count() == 0)
        FActiveLayer = FLayers.Item(FLayers.AddLayer(QStringLiteral("Default")));
}

void TLabelPlan::ClearPlan()
{
    FLayers.Clear();
    SetCurrentObject(nullptr);
    ClearStandardPictures();
    EnsureLayer();
    FPlanStrings.clear();
    BackgroundPicture.Clear();
    InvalidatePlan();
}

void TLabelPlan::NewLabel()
{
    ClearPlan();
    LabCR = 8;
    OutputOrder = ooLtRb;
    ScaleX = 180;
    ScaleY = 130;
    ResizeToLabel();
    MarginTop = 1.0;
    MarginBottom = 1.0;
    MarginLeft = 0.8;
    MarginRight = 0.8;
    VerticalSpace = 0;
    HorizontalSpace = 0;
    LayoutRows = 6;
    LayoutCols = 3;
    LabelCount = -1;
    AutoCalcLayout = false;
    CutMark = false;
    PaperOrientation = true;
    PntDPI = CurrentPrinterDpi();
}

void TLabelPlan::BeginUpdate()
{
    ++FUpdateCount;
}

void TLabelPlan::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0)
        InvalidatePlan();
}

// ----- Plan text streams ------------------------------------------------------

namespace {

// Splits text into lines ending at CR LF, CR or LF; a final line end adds no
// empty line.
QStringList SplitLines(const QString& text)
{
    QStringList lines;
    const QChar* d = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < n && d[i + 1].unicode() == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// Releases the update lock also when reading fails.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TLabelPlan& plan) : FPlan(plan) { FPlan.BeginUpdate(); }
    ~TUpdateGuard() { FPlan.EndUpdate(); }

private:
    TLabelPlan& FPlan;
};

}  // namespace

void TLabelPlan::LoadPlanFromStream(QIODevice& stream)
{
    LoadPlanFromBytes(stream.readAll());
}

void TLabelPlan::LoadPlanFromBytes(const QByteArray& bytes)
{
    TUpdateGuard guard(*this);
    ClearPlan();
    FPlanStrings = SplitLines(DecodeSystemText(bytes));
    ReadPlan(FPlanStrings);
}

QByteArray TLabelPlan::SavePlanToBytes()
{
    WritePlan(FPlanStrings);
    QString text;
    qsizetype size = 0;
    for (const QString& line : FPlanStrings)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : FPlanStrings) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return EncodeSystemText(text);
}

void TLabelPlan::SavePlanToStream(QIODevice& stream)
{
    const QByteArray bytes = SavePlanToBytes();
    stream.write(bytes);
}

const QStringList& TLabelPlan::PlanStrings()
{
    WritePlan(FPlanStrings);
    return FPlanStrings;
}

void TLabelPlan::SetPlanStrings(const QStringList& lines)
{
    FPlanStrings = lines;
    ReadPlan(FPlanStrings);
    InvalidatePlan();
}

// ----- Standard pictures ------------------------------------------------------

int TLabelPlan::AddStandardPicture(const QString& name, const TPlanPictureData& picture)
{
    FStandardPictures.append(TPlanStandardPicture{name, picture});
    return int(FStandardPictures.size()) - 1;
}

const TPlanStandardPicture* TLabelPlan::StandardPicture(int index) const
{
    if (index < 0 || index >= FStandardPictures.size())
        return nullptr;
    return &FStandardPictures.at(index);
}

int TLabelPlan::IndexOfStandardPicture(const QString& name) const
{
    const QString wanted = name.toUpper();
    for (qsizetype i = 0; i < FStandardPictures.size(); ++i)
        if (FStandardPictures.at(i).Name.toUpper() == wanted)
            return int(i);
    return -1;
}

void TLabelPlan::SetStandardPictureContent(int index, const TPlanPictureData& picture)
{
    if (index < 0 || index >= FStandardPictures.size())
        return;
    TPlanStandardPicture& sp = FStandardPictures[index];
    sp.Picture = picture;
    const QString name = sp.Name.toUpper();
    TUpdateGuard guard(*this);
    for (int l = 0; l < FLayers.Count(); ++l) {
        for (TLabelObject* o : FLayers.Item(l)->Objects()) {
            auto* pic = dynamic_cast<TPlanPicture*>(o);
            if (pic && pic->StandardPictureName.toUpper() == name)
                pic->Picture = picture;
        }
    }
}

void TLabelPlan::DeleteStandardPicture(int index)
{
    if (index >= 0 && index < FStandardPictures.size())
        FStandardPictures.removeAt(index);
}

void TLabelPlan::ClearStandardPictures()
{
    FStandardPictures.clear();
}

// ----- Events -------------------------------------------------------------------

void TLabelPlan::ObjectClick(TLabelObject* object, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    Q_EMIT ObjectClicked(object, button, shift, x, y);
}

void TLabelPlan::ObjectDblClick(TLabelObject* object)
{
    Q_EMIT ObjectDoubleClicked(object);
}

void TLabelPlan::ObjectMouseMove(TLabelObject* object)
{
    Q_EMIT ObjectMouseMoved(object);
}

void TLabelPlan::ObjectMouseEnter(TLabelObject* object)
{
    Q_EMIT ObjectMouseEntered(object);
}

void TLabelPlan::ObjectMouseLeave(TLabelObject* object)
{
    Q_EMIT ObjectMouseLeft(object);
}

void TLabelPlan::AfterDrawNewObject(TLabelObject* object)
{
    Q_EMIT NewObjectDrawn(object);
}

void TLabelPlan::ParseProgress(int percentsCompleted)
{
    Q_EMIT ParseProgressed(percentsCompleted);
}

bool TLabelPlan::NeedPicture(const QString& pictureName)
{
    bool found = false;
    Q_EMIT PictureNeeded(pictureName, &found);
    return found;
}

// ----- Mapping ----------------------------------------------------------------

namespace {

// Pixel coordinates stay within +-2^28, so sums of coordinates, pen widths
// and tolerances never overflow, whatever a file holds.
constexpr int kMaxPixelCoordinate = 1 << 28;

int ClampPixel(int v)
{
    return std::clamp(v, -kMaxPixelCoordinate, kMaxPixelCoordinate);
}

}  // namespace

// While the label or the surface has no size, coordinates map one to one
// instead of dividing by zero.
int TLabelPlan::PlanToPixelX(double x) const
{
    return ClampPixel(ScaleX != 0 && ViewWidth() != 0 ? Round(double(ViewWidth()) / ScaleX * x) : Round(x));
}

int TLabelPlan::PlanToPixelY(double y) const
{
    return ClampPixel(ScaleY != 0 && ViewHeight() != 0 ? Round(double(ViewHeight()) / ScaleY * y) : Round(y));
}

int TLabelPlan::PixelToPlanX(double x) const
{
    return ScaleX != 0 && ViewWidth() != 0 ? Round(double(ScaleX) / ViewWidth() * x) : Round(x);
}

int TLabelPlan::PixelToPlanY(double y) const
{
    return ScaleY != 0 && ViewHeight() != 0 ? Round(double(ScaleY) / ViewHeight() * y) : Round(y);
}

double TLabelPlan::PixelsPerPointX() const
{
    return ScaleX != 0 && ViewWidth() != 0 ? double(ViewWidth()) / ScaleX : 1.0;
}

double TLabelPlan::PixelsPerPointY() const
{
    return ScaleY != 0 && ViewHeight() != 0 ? double(ViewHeight()) / ScaleY : 1.0;
}

void TLabelPlan::ResizeToLabel()
{
    SetViewSize(ScaleX, ScaleY);
}
