#include "document/PlanBarcode.h"

#include "barcode/BarcodeDraw.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/PlanLayer.h"
#include "document/StrF.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

TBarcodeClock gClock = nullptr;

QDateTime Now()
{
    return gClock ? gClock() : QDateTime::currentDateTime();
}

// Largest bitmap the object renders: a side of 32000 pixels, 64 million
// pixels in all (64 MB of grey). Beyond that the design surface shows the
// symbol as too large; printing draws it directly and needs no bitmap.
constexpr int kMaxBitmapSide = 32000;
constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 26;
const char kTooLarge[] = QT_TRANSLATE_NOOP("Barcode", "Barcode too large to draw");
const char kBeyondLabel[] = QT_TRANSLATE_NOOP("Barcode", "Barcode does not fit on the label");

// Text pixel sizes are kept where fonts still render in reasonable time.
constexpr int kMaxTextPixels = 8000;

// The highest resolution a Modul may be set for.
constexpr int kMaxModulDpi = 100000;

// Any bitmap of this format measures text alike: the device the symbol is
// laid out on for the screen and the preview.
const QPaintDevice* BitmapProbe()
{
    thread_local const QImage probe(1, 1, QImage::Format_Grayscale8);
    return &probe;
}

// 0 to 3 for an angle of 0, 90, 180 or 270 degrees (any whole turn added),
// -1 for any other angle. A non-finite angle draws as 0.
int RightAngleQuarter(double degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    if (std::fmod(r, 90.0) != 0.0)
        return -1;
    return int(r / 90.0) % 4;
}

bool ShortDigitText(TBarcodeType typ)
{
    return typ == bcCodeEAN13 || typ == bcCodeUPC_A;
}

// Text heights of "A" kept free beside the bars.
double TextAllowance(TBarcodeType typ)
{
    return ShortDigitText(typ) ? 0.5 : 1.3;
}

int ClampToInt(std::int64_t v)
{
    constexpr std::int64_t limit = std::int64_t(1) << 30;
    return int(std::clamp(v, -limit, limit));
}

// The rectangle two corner points span, both included (QRect::normalized
// would move swapped edges by a pixel).
QRect SpannedRect(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// A grey bitmap as black with white transparent: each pixel's darkness
// becomes its coverage.
QImage WhiteTransparent(const QImage& source)
{
    const QImage grey = source.format() == QImage::Format_Grayscale8
                            ? source
                            : source.convertToFormat(QImage::Format_Grayscale8);
    QImage out(grey.size(), QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return out;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* s = grey.constScanLine(y);
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < grey.width(); ++x)
            d[x] = QRgb(255u - s[x]) << 24;
    }
    return out;
}

}  // namespace

void SetBarcodeClock(TBarcodeClock clock)
{
    gClock = clock;
}

bool TPlanBarcode::TRenderKey::operator==(const TRenderKey& o) const
{
    return text == o.text && typ == o.typ && modul == o.modul && height == o.height && showText == o.showText &&
           position == o.position && dpi == o.dpi && ratio == o.ratio && angle == o.angle &&
           checksum == o.checksum && options == o.options && font == o.font;
}

TPlanBarcode::TPlanBarcode(TLabelPlan* plan) : TRectObject(plan)
{
    Font.Name = QStringLiteral("Verdana");
    Font.Size = 10;
    Barcode.SetTyp(TBarcodeType(plan->DefaultBarcodeType));
    Barcode.SetLeft(0);
    Barcode.SetTop(0);
    Barcode.SetAngle(0);
    Barcode.SetShowTextPosition(stpBottomLeft);
    Font.Size = 6;
    Barcode.SetShowTextFont(Font.ToQFont(Round(ShowTextFontSize() * kFontScreenPixelsPerInch / 72.0)));
    Barcode.SetTextString(DataValue);
    Barcode.SetShowText(bcoCode);
    const int dpi = OutputDpi();
    SetModulAt(Round(dpi * 0.34 / 25.4), dpi);
    Barcode.SetHeight(Round(dpi * 15 / 25.4));
}

// Modul and, at other angles than right ones (where the box gives it), the
// bar height are dots of ModulDpi; they are drawn in dots of PntDPI.
class TPlanBarcode::TOutputScale {
public:
    explicit TOutputScale(TPlanBarcode& object) : FObject(object), FActive(!object.FOutputScaled)
    {
        if (!FActive)
            return;
        TBarcode& b = object.Barcode;
        object.FOutputScaled = true;
        FModul = b.Modul();
        FHeight = b.Height();
        FTurned = RightAngleQuarter(b.Angle()) < 0;
        const int dpi = object.OutputDpi();
        b.SetDeviceModul(object.ModulAt(dpi));
        if (FTurned && object.ModulDpi > 0)
            b.SetHeight(ClampToInt(std::int64_t(std::nearbyint(double(FHeight) * dpi / object.ModulDpi))));
    }
    ~TOutputScale()
    {
        if (!FActive)
            return;
        FObject.Barcode.SetDeviceModul(FModul);
        if (FTurned)
            FObject.Barcode.SetHeight(FHeight);
        FObject.FOutputScaled = false;
    }
    TOutputScale(const TOutputScale&) = delete;
    TOutputScale& operator=(const TOutputScale&) = delete;

private:
    TPlanBarcode& FObject;
    bool FActive;
    bool FTurned = false;
    int FModul = 1;
    int FHeight = 0;
};

int TPlanBarcode::ModulAt(int dpi) const
{
    const int modul = Barcode.Modul();
    if (ModulDpi <= 0 || dpi <= 0 || dpi == ModulDpi)
        return modul;
    return std::clamp(Round(double(modul) * dpi / ModulDpi), 1, kMaxDeviceModul);
}

void TPlanBarcode::SetModulAt(int modul, int dpi)
{
    if (modul < 1 || modul > 49 || dpi <= 0)
        return;
    Barcode.SetModul(modul);
    ModulDpi = dpi;
}

void TPlanBarcode::ResolveModulDpi()
{
    if (!FModulDpiRead)
        ModulDpi = OutputDpi();
}

int TPlanBarcode::OutputDpi() const
{
    const int dpi = Plan()->PntDPI;
    return dpi > 0 ? dpi : 300;
}

int TPlanBarcode::ShowTextFontSize() const
{
    return Round(double(Font.Size) * OutputDpi() / 72.0);
}

void TPlanBarcode::SetDataValue(const QString& value)
{
    if (value == DataValue)
        return;
    Invalidate();
    DataValue = value;
    Invalidate();
}

void TPlanBarcode::SetDataExpression(const QString& expression)
{
    if (expression == DataExpression)
        return;
    Invalidate();
    DataExpression = expression;
    Invalidate();
}

QString TPlanBarcode::GetTypeName() const
{
    return QStringLiteral("Barcode");
}

void TPlanBarcode::StoreProperties()
{
    TRectObject::StoreProperties();
    TPropertyList& p = Properties;
    p.SetValue(QStringLiteral("BarType"), QString::number(int(Barcode.Typ())));
    p.SetValue(QStringLiteral("BarHeight"), QString::number(Barcode.Height()));
    p.SetValue(QStringLiteral("Angle"), FloatToStr(Barcode.Angle()));
    p.SetValue(QStringLiteral("Left"), QString::number(Barcode.Left()));
    p.SetValue(QStringLiteral("Top"), QString::number(Barcode.Top()));
    p.SetValue(QStringLiteral("FontName"), Font.Name);
    p.SetValue(QStringLiteral("FontSize"), QString::number(Font.Size));
    p.SetValue(QStringLiteral("FontStyle"), FontStyleLetters(Font.Style));
    p.SetValue(QStringLiteral("FontCharSet"), QString::number(Font.CharSet));
    p.SetValue(QStringLiteral("Modul"), QString::number(Barcode.Modul()));
    p.SetValue(QStringLiteral("ModulDPI"), QString::number(ModulDpi > 0 ? ModulDpi : OutputDpi()));
    p.SetValue(QStringLiteral("BarRatio"), FloatToStr(Barcode.Ratio()));
    p.SetValue(QStringLiteral("Align"), QString::number(int(Barcode.ShowTextPosition())));
    p.SetValue(QStringLiteral("ShowText"), QString::number(int(Barcode.ShowText())));
    p.SetValue(QStringLiteral("CheckSum"), BoolToStr(Barcode.Checksum()));
    p.SetValue(QStringLiteral("DataValue"), DataValue);
    p.SetValue(QStringLiteral("DataOrigin"), QString::number(DataOrigin));
    p.SetValue(QStringLiteral("DataExpression"), DataExpression);
    p.SetValue(QStringLiteral("AutoCenter"), BoolToStr(AutoCenter));
    // The 2D settings only when set, so labels without them read as before.
    const TSymbolOptions& o = Barcode.Options();
    auto optional = [&p](const QString& key, int value) {
        if (value != 0)
            p.SetValue(key, QString::number(value));
        else
            p.Remove(key);
    };
    optional(QStringLiteral("Ecc"), o.Ecc);
    optional(QStringLiteral("SymbolSize"), o.Size);
    optional(QStringLiteral("Columns"), o.Columns);
    optional(QStringLiteral("Gs1Mode"), o.Gs1 ? 1 : 0);
}

void TPlanBarcode::LoadProperties()
{
    TRectObject::LoadProperties();
    const TPropertyList& p = Properties;
    int v = 0;
    double d = 0;
    bool b = false;
    DataOrigin = uint8_t(StrToIntDef(p.Value(u"DataOrigin"), DataOrigin));
    DataValue = p.Value(u"DataValue");
    DataExpression = p.Value(u"DataExpression");
    // The two flags are read with control characters around them trimmed.
    AutoCenter = StrToBoolDef(TrimControls(p.Value(u"AutoCenter")), AutoCenter);
    const QString fontName = p.Value(u"FontName");
    if (!fontName.isEmpty())
        Font.Name = fontName;
    if (TryStrToInt(p.Value(u"FontCharSet"), v))
        Font.CharSet = uint8_t(v);
    Font.Size = StrToIntDef(p.Value(u"FontSize"), Font.Size);
    const QString style = p.Value(u"FontStyle");
    if (!style.isEmpty())
        Font.Style = LettersToFontStyle(style);
    if (TryStrToInt(p.Value(u"BarHeight"), v))
        Barcode.SetHeight(v);
    if (TryStrToInt(p.Value(u"Left"), v))
        Barcode.SetLeft(v);
    if (TryStrToInt(p.Value(u"Top"), v))
        Barcode.SetTop(v);
    if (TryStrToFloat(p.Value(u"Angle"), d))
        Barcode.SetAngle(d);
    // An ordinal outside the table is kept (and written back); such a symbol
    // cannot be built and shows as an invalid code.
    if (TryStrToInt(p.Value(u"BarType"), v))
        Barcode.SetTyp(TBarcodeType(v));
    if (TryStrToInt(p.Value(u"Modul"), v))
        Barcode.SetModul(v);
    // Without its resolution Modul means dots of the printer the plan opens
    // with (ResolveModulDpi, once that is known).
    FModulDpiRead = TryStrToInt(p.Value(u"ModulDPI"), v) && v >= 1 && v <= kMaxModulDpi;
    ModulDpi = FModulDpiRead ? v : OutputDpi();
    if (TryStrToFloat(p.Value(u"BarRatio"), d))
        Barcode.SetRatio(d);
    if (TryStrToInt(p.Value(u"Align"), v))
        Barcode.SetShowTextPosition(TShowTextPosition(v));
    if (TryStrToInt(p.Value(u"ShowText"), v))
        Barcode.SetShowText(TBarcodeOption(v));
    if (TryStrToBool(TrimControls(p.Value(u"CheckSum")), b))
        Barcode.SetChecksum(b);
    TSymbolOptions o;
    o.Ecc = std::clamp(StrToIntDef(p.Value(u"Ecc"), 0), 0, 9);
    o.Size = std::clamp(StrToIntDef(p.Value(u"SymbolSize"), 0), -1, 40);
    o.Columns = std::clamp(StrToIntDef(p.Value(u"Columns"), 0), 0, 30);
    o.Gs1 = StrToIntDef(p.Value(u"Gs1Mode"), 0) != 0;
    Barcode.SetOptions(o);
}

TLabelObject* TPlanBarcode::Duplicate(TLabelObject* parent)
{
    return DuplicateInto(new TPlanBarcode(Plan()), parent);
}

// ----- Drawing ----------------------------------------------------------------

void TPlanBarcode::PrepareSymbol()
{
    // A negative size from a file stands for the same height.
    const int size = std::abs(ShowTextFontSize());
    const int pixels = std::clamp(Round(size * kFontScreenPixelsPerInch / 72.0), 1, kMaxTextPixels);
    const QFont font = Font.ToQFont(pixels);
    if (font != Barcode.ShowTextFont())
        Barcode.SetShowTextFont(font);

    if (DataOrigin == doDateTime)
        DateTimeFunctionValue(DataExpression, IsNumericSymbology(Barcode.Typ()), Now(), DataValue);
    Barcode.SetTextString(DataValue);

    // The bars take the box's extent across them, less room for the text;
    // a matrix symbol's rows follow from its data instead.
    const int quarter = RightAngleQuarter(Barcode.Angle());
    if (quarter < 0 || IsMatrixSymbology(Barcode.Typ()))
        return;
    const double t = MeasureBarcodeFont(Barcode.ShowTextFont(), BitmapProbe()).heightA;
    const std::int64_t extent = quarter % 2 == 0 ? std::llabs(std::int64_t(Y2) - Y1) : std::llabs(std::int64_t(X2) - X1);
    const int height = Round(double(extent) * OutputDpi() / 72.0 - TextAllowance(Barcode.Typ()) * t);
    Barcode.SetHeight(std::max(0, height));
}

const char* TPlanBarcode::MeasureSymbol(const QPaintDevice* device, TSymbolFrame& frame)
{
    int width = 0;
    if (const char* error = Barcode.TryWidth(width))
        return error;
    frame.width = width;
    const int quarter = RightAngleQuarter(Barcode.Angle());
    if (quarter < 0) {
        // Any other angle: the bitmap holds everything the drawing covers.
        Barcode.SetLeft(0);
        Barcode.SetTop(0);
        QRect painted;
        try {
            painted = BarcodePaintedRect(Barcode, device);
        } catch (const BarcodeError&) {
            return QT_TRANSLATE_NOOP("Barcode", "System internal Error");
        }
        frame.size = painted.size();
        frame.origin = -painted.topLeft();
        return nullptr;
    }
    const TBarcodeFontMetrics m = MeasureBarcodeFont(Barcode.ShowTextFont(), device);
    const double a = m.widthA;
    const double t = m.heightA;
    const bool shortDigits = ShortDigitText(Barcode.Typ());
    const int along = ClampToInt(std::int64_t(Round(2.2 * a)) + width);
    const int across = ClampToInt(std::int64_t(Barcode.BarsHeight()) + Round(TextAllowance(Barcode.Typ()) * t));
    switch (quarter) {
    case 0:
        frame.size = QSize(along, across);
        frame.origin = QPoint(int(a), 0);
        break;
    case 1:
        frame.size = QSize(across, along);
        frame.origin = QPoint(Round(0.1 * t), int(a));
        break;
    case 2:
        frame.size = QSize(along, across);
        frame.origin = QPoint(int(a), shortDigits ? Round(0.5 * t) : int(t));
        break;
    default:
        frame.size = QSize(across, along);
        frame.origin = QPoint(shortDigits ? Round(0.5 * t) : Round(1.05 * t), int(a));
        break;
    }
    return nullptr;
}

void TPlanBarcode::RenderToBitmap(QImage& bitmap)
{
    const TOutputScale scale(*this);
    TSymbolFrame frame;
    if (const char* error = MeasureSymbol(BitmapProbe(), frame))
        throw BarcodeError(error);
    const QSize size = frame.size;
    if (size.width() <= 0 || size.height() <= 0) {
        bitmap = QImage();
        return;
    }
    if (size.width() > kMaxBitmapSide || size.height() > kMaxBitmapSide ||
        std::int64_t(size.width()) * size.height() > kMaxBitmapPixels)
        throw BarcodeError(kTooLarge);
    bitmap = QImage(size, QImage::Format_Grayscale8);
    if (bitmap.isNull())
        throw BarcodeError(kTooLarge);
    bitmap.fill(Qt::white);
    Barcode.SetLeft(frame.origin.x());
    Barcode.SetTop(frame.origin.y());
    QPainter painter(&bitmap);
    Barcode.DrawBarcode(painter);
}

void TPlanBarcode::DrawDirect(QPainter& canvas, int x, int y)
{
    const TOutputScale scale(*this);
    TSymbolFrame frame;
    if (const char* error = MeasureSymbol(canvas.device(), frame))
        throw BarcodeError(error);
    Barcode.SetLeft(ClampToInt(std::int64_t(x) + frame.origin.x()));
    Barcode.SetTop(ClampToInt(std::int64_t(y) + frame.origin.y()));
    // Not clipped to the symbol's frame: a human-readable line wider than the
    // bars (narrow modules on a fine printer) is printed whole.
    Barcode.DrawBarcode(canvas);
}

QString TPlanBarcode::UpdateRenderBitmap()
{
    TRenderKey key;
    key.text = Barcode.Text();
    key.typ = Barcode.Typ();
    key.modul = Barcode.Modul();
    key.height = Barcode.Height();
    key.showText = Barcode.ShowText();
    key.position = Barcode.ShowTextPosition();
    key.dpi = OutputDpi();
    key.ratio = Barcode.Ratio();
    key.angle = Barcode.Angle();
    key.checksum = Barcode.Checksum();
    key.options = Barcode.Options();
    key.font = Barcode.ShowTextFont();
    if (FRenderValid && key == FRenderKey)
        return QString();
    FRenderValid = false;
    FScreenValid = false;
    FRenderAlpha = QImage();
    try {
        RenderToBitmap(RenderBitmap);
    } catch (const BarcodeError& e) {
        RenderBitmap = QImage();
        return QString::fromUtf8(e.what());
    }
    FRenderKey = std::move(key);
    FRenderValid = true;
    return QString();
}

void TPlanBarcode::DrawBitmap(QPainter& canvas, int x, int y, int w, int h, QSizeF exact)
{
    if (w <= 0 || h <= 0 || RenderBitmap.isNull())
        return;
    canvas.save();
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setOpacity(1.0);
    const QPaintEngine* engine = canvas.paintEngine();
    const bool pixelExact = engine && engine->type() == QPaintEngine::Raster &&
                            canvas.deviceTransform().type() <= QTransform::TxTranslate;
    if (pixelExact && std::int64_t(w) * h <= kMaxBitmapPixels) {
        const QSize size(w, h);
        if (!FScreenValid || FScreenSize != size) {
            ScreenBitmap = size == RenderBitmap.size()
                               ? WhiteTransparent(RenderBitmap)
                               : WhiteTransparent(RenderBitmap.scaled(size, Qt::IgnoreAspectRatio,
                                                                      Qt::SmoothTransformation));
            FScreenSize = size;
            FScreenValid = !ScreenBitmap.isNull();
        }
        canvas.drawImage(QPoint(x, y), ScreenBitmap);
    } else {
        // Pictures, printers and scaling painters get the bitmap at full
        // resolution in its exact size, to scale it to their own: a preview
        // picture played back at the output resolution shows every pixel.
        if (FRenderAlpha.isNull())
            FRenderAlpha = WhiteTransparent(RenderBitmap);
        canvas.setRenderHint(QPainter::SmoothPixmapTransform, true);
        canvas.drawImage(QRectF(QPointF(x, y), exact), FRenderAlpha);
    }
    canvas.restore();
}

void TPlanBarcode::DrawInvalidCode(QPainter& canvas, QPoint p1, QPoint p2) const
{
    const QRect r = SpannedRect(p1, p2);
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setPen(QPen(ColorToQColor(clRed), 1));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(r);
    canvas.drawLine(r.topLeft(), r.bottomRight());
    canvas.drawLine(r.topRight(), r.bottomLeft());
    // The reason, in a small face of the label's scale.
    QFont font = Font.ToQFont(std::clamp(Plan()->PlanToPixelY(8), 6, 200));
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    canvas.setFont(font);
    canvas.setClipRect(r, Qt::IntersectClip);
    const QRect area = r.adjusted(2, 2, -2, -2);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    const QRect text = canvas.fontMetrics().boundingRect(area, flags, FLastDrawError);
    canvas.fillRect(text.adjusted(-2, 0, 2, 0), Qt::white);
    canvas.drawText(area, flags, FLastDrawError);
    canvas.restore();
}

QString TPlanBarcode::PlaceSymbol(TPlacement& place, bool render)
{
    // The symbol's bitmap size at PntDPI, also when printing: the box follows it.
    TSymbolFrame& frame = place.frame;
    if (const char* error = MeasureSymbol(BitmapProbe(), frame))
        return BarcodeErrorText(error);
    if (render) {
        const QString error = UpdateRenderBitmap();
        if (!error.isEmpty())
            return error;
        frame.size = RenderBitmap.size();
    }

    // Size on the view.
    TLabelPlan* plan = Plan();
    const double dpi = OutputDpi();
    place.exact = QSizeF(plan->ScaleX != 0 ? frame.size.width() / dpi * 72.0 * plan->ViewWidth() / plan->ScaleX : 0.0,
                         plan->ScaleY != 0 ? frame.size.height() / dpi * 72.0 * plan->ViewHeight() / plan->ScaleY : 0.0);
    place.w = Round(place.exact.width());
    place.h = Round(place.exact.height());

    // The box follows the symbol along its length; with AutoCenter it only
    // grows. A symbol at a slant, and a matrix symbol (square modules, rows
    // from its data), fit the box both ways.
    const QPoint p1 = P1Pixels();
    const QPoint p2 = P2Pixels();
    const int quarter = RightAngleQuarter(Barcode.Angle());
    const bool bothWays = quarter < 0 || IsMatrixSymbology(Barcode.Typ());
    const bool horizontal = quarter == 0 || quarter == 2;
    place.fitted = p2;
    if (horizontal || bothWays) {
        const int x2 = ClampToInt(std::int64_t(p1.x()) + place.w);
        if (!AutoCenter || p2.x() < x2)
            place.fitted.setX(x2);
    }
    if (!horizontal || bothWays) {
        const int y2 = ClampToInt(std::int64_t(p1.y()) + place.h);
        if (!AutoCenter || p2.y() < y2)
            place.fitted.setY(y2);
    }
    // Only a corner that moves in plan units counts: at zoom factors whose
    // pixels do not map back one to one the fitted pixel point may never be
    // reached, and repainting for it again and again would never end.
    place.moves = (place.fitted.x() != p2.x() && plan->PixelToPlanX(place.fitted.x()) != X2) ||
                  (place.fitted.y() != p2.y() && plan->PixelToPlanY(place.fitted.y()) != Y2);
    return QString();
}

QPoint TPlanBarcode::SymbolAt(const QRect& box, const TPlacement& place) const
{
    QPoint at = box.topLeft();
    if (AutoCenter) {
        // Box extents as corner distances.
        const int quarter = RightAngleQuarter(Barcode.Angle());
        const bool horizontal = quarter == 0 || quarter == 2;
        const bool bothWays = quarter < 0 || IsMatrixSymbology(Barcode.Typ());
        if (horizontal || bothWays)
            at.rx() += Round((double(box.width() - 1) - place.w) / 2.0);
        if (!horizontal || bothWays)
            at.ry() += Round((double(box.height() - 1) - place.h) / 2.0);
    }
    return at;
}

bool TPlanBarcode::BarsBeyondLabel(const TPlacement& place, QPoint at) const
{
    const TSymbolFrame& f = place.frame;
    if (f.size.isEmpty())
        return false;
    // The bars in the symbol's bitmap: they cover Height + 1 rows.
    QRectF bars(QPointF(0, 0), QSizeF(f.size));
    const int quarter = RightAngleQuarter(Barcode.Angle());
    if (quarter >= 0) {
        // Turned half round or a quarter to the left the bars start a pixel in.
        const QSizeF along(f.width, Barcode.BarsHeight() + 1.0);
        const QPointF in(quarter == 2 ? 1 : 0, quarter == 1 ? 1 : 0);
        bars = QRectF(QPointF(f.origin) + in, quarter % 2 == 0 ? along : along.transposed());
    }
    const double sx = place.exact.width() / f.size.width();
    const double sy = place.exact.height() / f.size.height();
    const QRectF onView(at.x() + bars.x() * sx, at.y() + bars.y() * sy, bars.width() * sx, bars.height() * sy);
    // Half a pixel of rounding either way.
    const QRectF label(-0.5, -0.5, Plan()->ViewWidth() + 1.0, Plan()->ViewHeight() + 1.0);
    return !label.contains(onView);
}

void TPlanBarcode::DrawBeyondLabel(QPainter& canvas, const QRect& box) const
{
    const QRect shown = box & QRect(QPoint(0, 0), Plan()->ViewSize() - QSize(1, 1));
    if (shown.isEmpty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.setPen(QPen(ColorToQColor(clRed), 2, Qt::DashLine));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(shown.adjusted(1, 1, -1, -1));
    QFont font = Font.ToQFont(std::clamp(Plan()->PlanToPixelY(8), 6, 200));
    font.setBold(true);
    canvas.setFont(font);
    const QString text = BarcodeErrorText(kBeyondLabel);
    const QRect area = shown.adjusted(3, 3, -3, -3);
    const QRect cell = canvas.fontMetrics().boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    canvas.fillRect(cell.adjusted(-2, 0, 2, 0), Qt::white);
    canvas.setPen(ColorToQColor(clRed));
    canvas.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    canvas.restore();
}

TPlanBarcode::TFit TPlanBarcode::CheckFit()
{
    if (!DrawAllowed())
        return TFit::Fits;
    const TOutputScale scale(*this);
    PrepareSymbol();
    TPlacement place;
    if (!PlaceSymbol(place, false).isEmpty())
        return TFit::InvalidCode;
    if (place.w <= 0 || place.h <= 0)
        return TFit::Fits;  // nothing is drawn
    const QRect box = SpannedRect(P1Pixels(), place.fitted);
    return BarsBeyondLabel(place, SymbolAt(box, place)) ? TFit::BeyondLabel : TFit::Fits;
}

void TPlanBarcode::Draw(QPainter& canvas)
{
    if (!DrawAllowed())
        return;
    TLabelPlan* plan = Plan();
    const TOutputScale scale(*this);
    const QPoint p1 = P1Pixels();
    const QPoint p2 = P2Pixels();
    PrepareSymbol();

    const bool direct = plan->Printing && !plan->RenderingOutput;
    TPlacement place;
    FLastDrawError = PlaceSymbol(place, !direct);
    if (!FLastDrawError.isEmpty()) {
        if (!plan->Printing)
            DrawInvalidCode(canvas, p1, p2);
        DrawRectHandles(canvas);
        return;
    }
    if (place.w <= 0 || place.h <= 0) {
        // A surface or label without size shows nothing, and there is
        // nothing to fit the box to.
        DrawRectHandles(canvas);
        return;
    }
    if (place.moves) {
        if (!plan->Printing)
            Invalidate();
        SetP2FromPixels(place.fitted);
        if (!plan->Printing)
            Invalidate();
    }

    const QRect box = SpannedRect(P1Pixels(), P2Pixels());
    const QPoint at = SymbolAt(box, place);
    if (direct) {
        try {
            DrawDirect(canvas, at.x(), at.y());
        } catch (const BarcodeError& e) {
            FLastDrawError = QString::fromUtf8(e.what());
        }
        return;
    }
    DrawBitmap(canvas, at.x(), at.y(), place.w, place.h, place.exact);
    if (!plan->Printing && BarsBeyondLabel(place, at))
        DrawBeyondLabel(canvas, box);
    DrawRectHandles(canvas);
}
