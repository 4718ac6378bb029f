// The barcode label object: creation defaults, bar height from the box, the
// box fitted to the symbol or the symbol centred in it, date/time codes,
// invalid codes, its keys and handles.
#include "PlanBarcodeTestUtil.h"

#include "barcode/BarcodeDraw.h"
#include "document/PlanLayer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

#include <algorithm>

using testsupport::TOutputSurface;

namespace {

int TextHeightA(const TPlanBarcode& b)
{
    const QImage probe(1, 1, QImage::Format_Grayscale8);
    return MeasureBarcodeFont(b.Barcode.ShowTextFont(), &probe).heightA;
}

int TextWidthA(const TPlanBarcode& b)
{
    const QImage probe(1, 1, QImage::Format_Grayscale8);
    return MeasureBarcodeFont(b.Barcode.ShowTextFont(), &probe).widthA;
}

// Bounding box of the pixels whose every channel is below `threshold`.
QRect InkRect(const QImage& image, int threshold = 128)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), top = rgb.height(), right = -1, bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (std::max({qRed(row[x]), qGreen(row[x]), qBlue(row[x])}) < threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where the bars of a symbol W wide and H high lie when its origin is (left,
// top): the turned frame is one pixel larger along the pattern at 90 and 180
// degrees, whose bars start one pixel in.
QRect BarsRect(double angle, int left, int top, int w, int h)
{
    switch (int(angle)) {
    case 90: return QRect(left, top + 1, h + 1, w);
    case 180: return QRect(left + 1, top, w, h + 1);
    case 270: return QRect(left, top, h + 1, w);
    default: return QRect(left, top, w, h + 1);
    }
}

int CountPixels(const QImage& image, QRgb color)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            n += (row[x] & 0xFFFFFF) == (color & 0xFFFFFF);
    }
    return n;
}

bool AllWhite(const QImage& image)
{
    return CountPixels(image, qRgb(255, 255, 255)) == image.width() * image.height();
}

QDateTime FixedClock()
{
    return QDateTime(QDate(2003, 12, 26), QTime(12, 6, 18));
}

struct TClockGuard {
    TClockGuard() { SetBarcodeClock(&FixedClock); }
    ~TClockGuard() { SetBarcodeClock(nullptr); }
};

TEST(PlanBarcode, CreationDefaultsFollowTheOutputResolution)
{
    struct Case {
        int dpi, modul, height, textSize, textPixels;
    };
    const Case cases[] = {{300, 4, 177, 25, 33}, {600, 8, 354, 50, 67}, {96, 1, 57, 8, 11}, {203, 3, 120, 17, 23}};
    for (const Case& c : cases) {
        TOutputSurface s(180, 130, c.dpi);
        s.plan.DefaultBarcodeType = bcCodeEAN8;
        TPlanBarcode b(&s.plan);
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(b.Barcode.Modul(), c.modul);
        EXPECT_EQ(b.Barcode.Height(), c.height);
        EXPECT_EQ(b.ShowTextFontSize(), c.textSize);
        EXPECT_EQ(b.Barcode.ShowTextFont().pixelSize(), c.textPixels);
        EXPECT_EQ(b.Barcode.Typ(), bcCodeEAN8);
        EXPECT_EQ(b.Barcode.ShowText(), bcoCode);
        EXPECT_EQ(b.Barcode.ShowTextPosition(), stpBottomLeft);
        EXPECT_EQ(b.Font.Name, QStringLiteral("Verdana"));
        EXPECT_EQ(b.Font.Size, 6);
        EXPECT_FALSE(b.AutoCenter);
    }
}

TEST(PlanBarcode, BarHeightComesFromTheBoxAcrossTheBars)
{
    struct Case {
        TBarcodeType type;
        double angle;
        int x1, y1, x2, y2;
        int extent;  // plan units across the bars
        double k;
    };
    const Case cases[] = {
        {bcCode39, 0, 0, 0, 200, 72, 72, 1.3},    {bcCode39, 180, 0, 0, 200, 72, 72, 1.3},
        {bcCode39, 90, 0, 0, 60, 300, 60, 1.3},   {bcCode39, 270, 100, 0, 40, 300, 60, 1.3},
        {bcCodeEAN13, 0, 0, 80, 200, 8, 72, 0.5}, {bcCodeUPC_A, 90, 0, 0, 45, 300, 45, 0.5},
        {bcCode128B, -90, 0, 0, 30, 300, 30, 1.3},
    };
    for (const Case& c : cases) {
        TOutputSurface s(360, 360, 300);
        TPlanBarcode* b = s.Add(c.type, QStringLiteral("12"), c.x1, c.y1, c.x2, c.y2);
        b->Barcode.SetAngle(c.angle);
        s.Paint(*b);
        SCOPED_TRACE(c.angle);
        const double t = TextHeightA(*b);
        EXPECT_EQ(b->Barcode.Height(), Round(c.extent * 300 / 72.0 - c.k * t));
        EXPECT_GT(b->Barcode.Height(), 0);
    }

    // A box lower than 1.3 text heights leaves no room for bars.
    TOutputSurface s(360, 360, 300);
    TPlanBarcode* low = s.Add(bcCode39, QStringLiteral("AB"), 0, 0, 100, 10);
    ASSERT_GT(1.3 * TextHeightA(*low), 10 * 300 / 72.0);
    s.Paint(*low);
    EXPECT_EQ(low->Barcode.Height(), 0);

    // At a slant the bar height stays as it is.
    TPlanBarcode* slant = s.Add(bcCode39, QStringLiteral("AB"), 0, 0, 100, 72);
    slant->Barcode.SetAngle(30);
    slant->Barcode.SetHeight(123);
    s.Paint(*slant);
    EXPECT_EQ(slant->Barcode.Height(), 123);
    EXPECT_TRUE(slant->LastDrawError().isEmpty());
}

TEST(PlanBarcode, RenderBitmapHoldsTheSymbolAndItsText)
{
    struct Case {
        TBarcodeType type;
        double angle;
        double originX, originY;  // in units of a (width of "A") or t (height of "A")
        bool xInT, yInT;
    };
    // Where the bars start in the bitmap at each angle.
    const Case cases[] = {
        {bcCode39, 0, 1, 0, false, false},     {bcCode39, 90, 0.1, 1, true, false},
        {bcCode39, 180, 1, 1, false, true},    {bcCode39, 270, 1.05, 1, true, false},
        {bcCodeEAN13, 180, 1, 0.5, false, true}, {bcCodeEAN13, 270, 0.5, 1, true, false},
    };
    for (const Case& c : cases) {
        TOutputSurface s(200, 200, 300);
        TPlanBarcode* b = s.Add(c.type, QStringLiteral("123"), 10, 10, 80, 80);
        b->Barcode.SetAngle(c.angle);
        b->Barcode.SetShowText(bcoNone);
        s.Paint(*b);
        SCOPED_TRACE(::testing::Message() << c.type << " at " << c.angle);
        const int a = TextWidthA(*b);
        const int t = TextHeightA(*b);
        const int width = b->Barcode.Width();
        const int along = Round(2.2 * a) + width;
        const int across = b->Barcode.Height() + Round((c.type == bcCodeEAN13 ? 0.5 : 1.3) * t);
        const bool turned = c.angle == 90 || c.angle == 270;
        EXPECT_EQ(b->RenderBitmap.size(), turned ? QSize(across, along) : QSize(along, across));
        EXPECT_EQ(b->Barcode.Left(), Round(c.originX * (c.xInT ? t : a)));
        EXPECT_EQ(b->Barcode.Top(), Round(c.originY * (c.yInT ? t : a)));
        // Black bars on white; nothing painted outside the bars without text.
        if (c.type == bcCode39) {
            EXPECT_EQ(InkRect(b->RenderBitmap),
                      BarsRect(c.angle, b->Barcode.Left(), b->Barcode.Top(), width, b->Barcode.Height()));
        }
    }
}

TEST(PlanBarcode, BoxFollowsTheSymbolAlongItsLength)
{
    for (const double angle : {0.0, 90.0, 180.0, 270.0}) {
        SCOPED_TRACE(angle);
        const bool turned = angle == 90 || angle == 270;
        // 100 % zoom: one pixel per plan unit.
        TOutputSurface s(720, 720, 72);
        s.plan.PntDPI = 300;
        TPlanBarcode* b = s.Add(bcCode39, QStringLiteral("AB"), 20, 30, turned ? 92 : 400, turned ? 600 : 102);
        b->Barcode.SetAngle(angle);
        s.Paint(*b);
        const int w = Round(b->RenderBitmap.width() * 72 / 300.0);
        const int h = Round(b->RenderBitmap.height() * 72 / 300.0);
        if (turned) {
            EXPECT_EQ(b->Y2 - b->Y1, h);
            EXPECT_EQ(b->X2, 92);  // across the bars the box stays
        } else {
            EXPECT_EQ(b->X2 - b->X1, w);
            EXPECT_EQ(b->Y2, 102);
        }
        EXPECT_DOUBLE_EQ(b->WidthMM, RoundTo3((b->X2 - b->X1) / 72.0 * 25.4));

        // A longer code widens the box at the next drawing, a shorter one narrows it.
        const int before = turned ? b->Y2 : b->X2;
        b->SetDataValue(QStringLiteral("ABCDEFGH"));
        s.Paint(*b);
        const int longer = turned ? b->Y2 : b->X2;
        EXPECT_GT(longer, before);
        b->SetDataValue(QStringLiteral("A"));
        s.Paint(*b);
        EXPECT_LT(turned ? b->Y2 : b->X2, before);
    }
}

TEST(PlanBarcode, MatrixSymbolsKeepSquareModulesInAnyBox)
{
    // A QR Code of 21 modules at Modul 4 (300 dpi) in a wide, flat box: the
    // box follows the symbol both ways and the modules stay square.
    for (const double angle : {0.0, 90.0}) {
        SCOPED_TRACE(angle);
        TOutputSurface s(720, 720, 72);
        s.plan.PntDPI = 300;
        TPlanBarcode* b = s.Add(bcQRCode, QStringLiteral("Tagmora"), 20, 30, 400, 50);
        b->SetModulAt(4, 300);
        b->Barcode.SetShowText(bcoNone);
        b->Barcode.SetAngle(angle);
        s.Paint(*b);
        ASSERT_TRUE(b->LastDrawError().isEmpty()) << b->LastDrawError().toStdString();
        const QRect ink = InkRect(b->RenderBitmap);
        EXPECT_EQ(ink.size(), QSize(84, 84));  // 21 modules of 4 dots
        EXPECT_NEAR(b->X2 - b->X1, b->RenderBitmap.width() * 72 / 300.0, 1.0);
        EXPECT_NEAR(b->Y2 - b->Y1, b->RenderBitmap.height() * 72 / 300.0, 1.0);
        // A longer text needs more modules both ways.
        b->SetDataValue(QStringLiteral("Tagmora prints 2D codes on every label"));
        s.Paint(*b);
        EXPECT_GT(InkRect(b->RenderBitmap).width(), 84);
        EXPECT_EQ(InkRect(b->RenderBitmap).width(), InkRect(b->RenderBitmap).height());
    }
}

// Counts the paint events a widget gets.


TEST(PlanBarcode, AFittedBoxAsksForNoFurtherRepaint)
{
    // At 300 % zoom not every pixel maps back onto itself through plan units.
    TOutputSurface s(180, 130, 216);
    TPlanBarcode* b = s.Add(bcCode128B, QStringLiteral("Tagmora"), 10, 10, 20, 60);
    s.plan.Printing = false;  // repaint requests are dropped while printing
    int paints = 0;
    QObject::connect(&s.plan, &TLabelPlan::RepaintRequested, [&paints] { ++paints; });
    s.Paint(*b);
    EXPECT_GE(paints, 1);  // the box grew
    for (int i = 0; i < 3; ++i) {
        paints = 0;
        const int x2 = b->X2;
        s.Paint(*b);
        EXPECT_EQ(b->X2, x2);
        EXPECT_EQ(paints, 0);
    }
}

TEST(PlanBarcode, AutoCenterKeepsAWideBoxAndCentresTheSymbol)
{
    for (const double angle : {0.0, 90.0, 180.0, 270.0}) {
        SCOPED_TRACE(angle);
        const bool turned = angle == 90 || angle == 270;
        TOutputSurface s(300, 300, 300);  // surface pixels are PntDPI pixels
        TPlanBarcode* b = s.Add(bcCode39, QStringLiteral("AB"), 24, 36, turned ? 96 : 280, turned ? 280 : 108);
        b->Barcode.SetAngle(angle);
        b->Barcode.SetShowText(bcoNone);
        b->AutoCenter = true;
        const QImage image = s.Paint(*b);
        EXPECT_EQ(b->X2, turned ? 96 : 280);
        EXPECT_EQ(b->Y2, turned ? 280 : 108);
        const QRect box = QRect(b->P1Pixels(), b->P2Pixels()).normalized();
        const QSize bitmap = b->RenderBitmap.size();
        QPoint at = box.topLeft();
        if (turned)
            at.ry() += Round((box.height() - 1 - bitmap.height()) / 2.0);
        else
            at.rx() += Round((box.width() - 1 - bitmap.width()) / 2.0);
        const QRect ink = InkRect(image);
        const int width = b->Barcode.Width();
        const int height = b->Barcode.Height();
        EXPECT_EQ(ink, BarsRect(angle, at.x() + b->Barcode.Left(), at.y() + b->Barcode.Top(), width, height));

        // A box narrower than the symbol grows to it.
        TPlanBarcode* narrow = s.Add(bcCode39, QStringLiteral("AB"), 24, 36, turned ? 96 : 30, turned ? 40 : 108);
        narrow->Barcode.SetAngle(angle);
        narrow->AutoCenter = true;
        s.Paint(*narrow);
        const int fitted = turned ? narrow->P2Pixels().y() - narrow->P1Pixels().y()
                                  : narrow->P2Pixels().x() - narrow->P1Pixels().x();
        EXPECT_NEAR(fitted, turned ? narrow->RenderBitmap.height() : narrow->RenderBitmap.width(), 3);
    }
}

TEST(PlanBarcode, SymbolStartsAtTheTopLeftOfACornerSwappedBox)
{
    TOutputSurface s(300, 300, 300);
    TPlanBarcode* b = s.Add(bcCode39, QStringLiteral("AB"), 24, 108, 100, 36);  // first corner is the lower one
    b->Barcode.SetShowText(bcoNone);
    const QRect ink = InkRect(s.Paint(*b));
    EXPECT_EQ(ink.topLeft(), QPoint(b->P1Pixels().x() + b->Barcode.Left(), b->P2Pixels().y()));
    EXPECT_EQ(b->Barcode.Height(), Round(72 * 300 / 72.0 - 1.3 * TextHeightA(*b)));
}

TEST(PlanBarcode, ScreenShowsTheBitmapScaledWithWhiteTransparent)
{
    TOutputSurface s(180, 130, 72);  // 100 % zoom
    s.plan.PntDPI = 300;
    TPlanBarcode* b = s.Add(bcCodeEAN13, QStringLiteral("0590123412342"), 10, 10, 20, 70);
    QImage image(s.plan.ViewSize(), QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    {
        QPainter painter(&image);
        b->Draw(painter);
    }
    const QSize view(Round(b->RenderBitmap.width() * 72 / 300.0), Round(b->RenderBitmap.height() * 72 / 300.0));
    EXPECT_EQ(b->ScreenBitmap.size(), view);
    EXPECT_EQ(b->RenderBitmap.pixelColor(0, 0), QColor(Qt::white));
    // Blue shows through everywhere the symbol is white.
    EXPECT_EQ(image.pixel(b->P1Pixels()), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(b->P2Pixels() - QPoint(1, 1)), qRgb(0, 0, 255));
    const QRect ink = InkRect(image, 60);
    EXPECT_TRUE(QRect(b->P1Pixels(), view).contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width();
    EXPECT_GT(ink.width(), view.width() * 3 / 4);
}

TEST(PlanBarcode, DateAndTimeCodesTakeTheSymbologysForm)
{
    const TClockGuard clock;
    struct Case {
        TBarcodeType type;
        const char* function;
        const char* value;
    };
    const Case cases[] = {
        {bcCodeEAN13, "Fun_Date_YMD", "20031226"},      {bcCodeEAN8, "Fun_Date_DMY", "26122003"},
        {bcCode_2_5_interleaved, "Fun_Date_MDY", "12262003"}, {bcCode128C, "Fun_Time_HMS", "120618"},
        {bcCode39, "Fun_Date_MDY", "12-26-2003"},       {bcCode128B, "Fun_Time_HM", "12:06"},
        {bcCode128Auto, "Fun_Time_HMS", "12:06:18"},    {bcCode39, "Fun_Date_XYZ", "kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        TOutputSurface s(360, 200, 300);
        TPlanBarcode* b = s.Add(c.type, QStringLiteral("kept"), 10, 10, 100, 60);
        b->DataOrigin = doDateTime;
        b->DataExpression = QString::fromLatin1(c.function);
        s.Paint(*b);
        EXPECT_EQ(b->DataValue, QString::fromLatin1(c.value));
        EXPECT_EQ(b->LastDrawError().isEmpty(), IsValidCode(b->DataValue, c.type, false));
    }
    // Only origin 2 reads the clock.
    TOutputSurface s(360, 200, 300);
    TPlanBarcode* constant = s.Add(bcCode39, QStringLiteral("ABC"), 10, 10, 100, 60);
    constant->DataExpression = QStringLiteral("Fun_Date_YMD");
    s.Paint(*constant);
    EXPECT_EQ(constant->DataValue, QStringLiteral("ABC"));
    // A time with ":" cannot be a Code 93 symbol: shown as invalid, not thrown.
    TPlanBarcode* code93 = s.Add(bcCode93, QString(), 10, 80, 100, 130);
    code93->DataOrigin = doDateTime;
    code93->DataExpression = QStringLiteral("Fun_Time_HM");
    EXPECT_NO_THROW(s.Paint(*code93));
    EXPECT_EQ(code93->DataValue, QStringLiteral("12:06"));
    EXPECT_FALSE(code93->LastDrawError().isEmpty());
}

TEST(PlanBarcode, InvalidCodeIsCrossedOutOnScreenAndLeftOutOfOutput)
{
    TOutputSurface s(360, 200, 300);
    TPlanBarcode* b = s.Add(bcCodeEAN13, QStringLiteral("12A"), 10, 10, 100, 60);
    const QImage screen = s.Paint(*b);
    EXPECT_EQ(b->LastDrawError(), QStringLiteral("Barcode must be numeric"));
    EXPECT_GT(CountPixels(screen, qRgb(255, 0, 0)), 100);
    EXPECT_FALSE(InkRect(screen, 20).isValid());  // no bars
    EXPECT_EQ(b->X2, 100);                        // the box keeps its size

    s.plan.Printing = true;
    EXPECT_TRUE(AllWhite(s.Paint(*b)));
    s.plan.RenderingOutput = true;
    EXPECT_TRUE(AllWhite(s.Paint(*b)));
    EXPECT_FALSE(b->LastDrawError().isEmpty());

    b->DataValue = QStringLiteral("123");
    EXPECT_FALSE(AllWhite(s.Paint(*b)));
    EXPECT_TRUE(b->LastDrawError().isEmpty());

    // A symbology number from a file that no symbology has: kept, shown invalid.
    s.plan.Printing = s.plan.RenderingOutput = false;
    b->Properties.SetValue(QStringLiteral("BarType"), QStringLiteral("99"));
    b->LoadProperties();
    EXPECT_NO_THROW(s.Paint(*b));
    EXPECT_EQ(b->LastDrawError(), QStringLiteral("System error!"));
    b->StoreProperties();
    EXPECT_EQ(b->Properties.Value(u"BarType"), QStringLiteral("99"));

    // Text the component cannot hold in 8 bits.
    TPlanBarcode* wide = s.Add(bcCode128B, QStringLiteral("A\u03A9"), 10, 80, 100, 130);
    EXPECT_NO_THROW(s.Paint(*wide));
    EXPECT_FALSE(wide->LastDrawError().isEmpty());
}

TEST(PlanBarcode, ModuleKeepsItsWidthOnEveryPrinter)
{
    // Modul is dots of ModulDpi; drawn at another resolution it keeps its
    // width, to the nearest whole dot and at least one.
    const struct {
        int modul, modulDpi, dpi, dots;
    } cases[] = {
        {16, 1200, 600, 8}, {16, 1200, 300, 4}, {4, 300, 600, 8}, {4, 300, 1200, 16},
        {1, 1200, 300, 1},  {5, 600, 1000, 8},  {3, 300, 300, 3},
    };
    for (const auto& c : cases) {
        TOutputSurface s(200, 40, c.dpi, true);
        TPlanBarcode* b = s.Add(bcCode128B, QStringLiteral("TAGMORA"), 10, 10, 20, 30);
        b->Barcode.SetShowText(bcoNone);
        b->SetModulAt(c.modul, c.modulDpi);
        EXPECT_EQ(b->ModulAt(c.dpi), c.dots) << c.modul << " at " << c.modulDpi << " on " << c.dpi;
        // Start, seven characters and the check character of 11 modules, the stop of 13.
        EXPECT_EQ(InkRect(s.Paint(*b)).width(), 112 * c.dots) << c.modul << " at " << c.modulDpi << " on " << c.dpi;
        EXPECT_EQ(b->Barcode.Modul(), c.modul);  // the design keeps its value
    }
    TOutputSurface s(100, 100, 300);
    TPlanBarcode* big = s.Add(bcCode128B, QStringLiteral("A"), 0, 0, 10, 10);
    big->SetModulAt(49, 300);
    EXPECT_EQ(big->ModulAt(1200), 196);  // beyond what Modul itself holds
}

TEST(PlanBarcode, BarsBeyondTheLabelAreMarkedAndDoNotFit)
{
    TOutputSurface s(200, 100, 300);
    TPlanBarcode* b = s.Add(bcCode128B, QStringLiteral("TAGMORA"), 10, 10, 20, 90);
    EXPECT_EQ(b->CheckFit(), TPlanBarcode::TFit::Fits);
    EXPECT_EQ(CountPixels(s.Paint(*b), qRgb(255, 0, 0)), 0);
    b->DataValue = QStringLiteral("TAGMORA 4.2 LABEL");  // 0.34 mm modules: 75 mm, the label is 70
    const int x2 = b->X2;
    EXPECT_EQ(b->CheckFit(), TPlanBarcode::TFit::BeyondLabel);
    EXPECT_EQ(b->X2, x2);  // the check leaves the box alone
    EXPECT_GT(CountPixels(s.Paint(*b), qRgb(255, 0, 0)), 100);  // marked on the design surface
    s.plan.Printing = true;
    EXPECT_EQ(CountPixels(s.Paint(*b), qRgb(255, 0, 0)), 0);  // never printed
    EXPECT_EQ(b->CheckFit(), TPlanBarcode::TFit::BeyondLabel);
    b->Barcode.SetAngle(90);  // along the label's height it has even less room
    EXPECT_EQ(b->CheckFit(), TPlanBarcode::TFit::BeyondLabel);
    b->Barcode.SetAngle(0);
    b->DataValue = QStringLiteral("A*B");
    b->Barcode.SetTyp(bcCode39);
    EXPECT_EQ(b->CheckFit(), TPlanBarcode::TFit::InvalidCode);
    b->Visible = false;
    EXPECT_EQ(b->CheckFit(), TPlanBarcode::TFit::Fits);  // not drawn at all
}

TEST(PlanBarcode, HugeSymbolsDoNotExhaustMemory)
{
    TOutputSurface s(360, 200, 300);
    // A bar height from a file at a slant (kept as read) and a very long code.
    TPlanBarcode* tall = s.Add(bcCode39, QStringLiteral("AB"), 10, 10, 100, 60);
    tall->Properties.SetValue(QStringLiteral("Angle"), QStringLiteral("45"));
    tall->Properties.SetValue(QStringLiteral("BarHeight"), QStringLiteral("2000000000"));
    tall->LoadProperties();
    tall->DataValue = QStringLiteral("AB");
    EXPECT_NO_THROW(s.Paint(*tall));
    EXPECT_EQ(tall->LastDrawError(), QStringLiteral("Barcode too large to draw"));
    TPlanBarcode* wide = s.Add(bcCode128B, QString(20000, QLatin1Char('x')), 10, 80, 100, 130);
    EXPECT_NO_THROW(s.Paint(*wide));
    EXPECT_FALSE(wide->LastDrawError().isEmpty());
    // Printing needs no bitmap: the bars go onto the canvas as far as it reaches.
    s.plan.Printing = true;
    EXPECT_FALSE(AllWhite(s.Paint(*wide)));
    EXPECT_TRUE(wide->LastDrawError().isEmpty());
}

TEST(PlanBarcode, KeysRoundTripInTheirWritingOrder)
{
    TOutputSurface s(360, 200, 300);
    TPlanBarcode* b = s.Add(bcCode128B, QStringLiteral("ABC 12"), 11, 12, 113, 64);
    b->Barcode.SetHeight(99);
    b->Barcode.SetAngle(90);
    b->Barcode.SetLeft(5);
    b->Barcode.SetTop(6);
    b->Font.Name = QStringLiteral("Arial");
    b->Font.Size = 9;
    b->Font.Style = fsItalic | fsBold;
    b->Font.CharSet = 0;
    b->Barcode.SetModul(3);
    b->Barcode.SetRatio(2.5);
    b->Barcode.SetShowTextPosition(stpBottomCenter);
    b->Barcode.SetShowText(bcoBoth);
    b->Barcode.SetChecksum(true);
    b->DataOrigin = doDataColumn;
    b->DataExpression = QStringLiteral("Code");
    b->AutoCenter = true;
    b->StoreProperties();
    const QStringList lines = b->Properties.Lines;
    const qsizetype common = lines.indexOf(QStringLiteral("ReadOnly=0"));
    ASSERT_GE(common, 0);
    EXPECT_EQ(lines.mid(common + 1),
              (QStringList{"X1=11", "Y1=12", "X2=113", "Y2=64", "BarType=6", "BarHeight=99", "Angle=90", "Left=5",
                           "Top=6", "FontName=Arial", "FontSize=9", "FontStyle=IB", "FontCharSet=0", "Modul=3",
                           "ModulDPI=300", "BarRatio=2.5", "Align=5", "ShowText=3", "CheckSum=-1",
                           "DataValue=ABC 12", "DataOrigin=1", "DataExpression=Code", "AutoCenter=-1"}));

    TPlanBarcode* copy = s.Add(bcCodeEAN13, QStringLiteral("x"), 0, 0, 0, 0);
    copy->Properties.Lines = lines;
    copy->LoadProperties();
    copy->StoreProperties();
    EXPECT_EQ(copy->Properties.Lines, lines);

    auto* dup = dynamic_cast<TPlanBarcode*>(b->Duplicate(nullptr));
    ASSERT_TRUE(dup);
    EXPECT_EQ(dup->Barcode.Typ(), bcCode128B);
    EXPECT_EQ(dup->DataValue, QStringLiteral("ABC 12"));
    EXPECT_EQ(dup->Font.Style, fsItalic | fsBold);
    EXPECT_EQ(QRect(QPoint(dup->X1, dup->Y1), QPoint(dup->X2, dup->Y2)), QRect(QPoint(15, 16), QPoint(117, 68)));
    EXPECT_EQ(dup->Properties.Value(u"ID"), QStringLiteral("0"));
}

TEST(PlanBarcode, ValuesThatDoNotConvertKeepTheField)
{
    TOutputSurface s(360, 200, 300);
    TPlanBarcode* b = s.Add(bcCode39, QStringLiteral("A"), 0, 0, 10, 10);
    b->Barcode.SetRatio(2.5);
    b->Barcode.SetAngle(90);
    b->Font.Style = fsUnderline;
    b->Properties.Lines = QStringList{
        "BarType=abc", "BarHeight=1x",  "Angle=ninety", "Modul=80",     "BarRatio=", "Align=$",
        "ShowText=-",  "CheckSum=maybe", "FontSize=big", "FontName=",   "AutoCenter= True ",
        "DataOrigin=x",
    };
    b->LoadProperties();
    EXPECT_EQ(b->Barcode.Typ(), bcCode39);
    EXPECT_EQ(b->Barcode.Height(), 177);
    EXPECT_EQ(b->Barcode.Angle(), 90);
    EXPECT_EQ(b->Barcode.Modul(), 4);
    EXPECT_EQ(b->Barcode.Ratio(), 2.5);
    EXPECT_EQ(b->Barcode.ShowTextPosition(), stpBottomLeft);
    EXPECT_EQ(b->Barcode.ShowText(), bcoCode);
    EXPECT_FALSE(b->Barcode.Checksum());
    EXPECT_EQ(b->Font.Size, 6);
    EXPECT_EQ(b->Font.Name, QStringLiteral("Verdana"));
    EXPECT_EQ(b->Font.Style, fsUnderline);  // absent: unchanged
    EXPECT_TRUE(b->AutoCenter);
    EXPECT_EQ(b->DataOrigin, doConstant);
    EXPECT_TRUE(b->DataValue.isEmpty());  // absent means empty
}

TEST(PlanBarcode, HandlesOnScreenOnlyAndRectangleGeometry)
{
    TOutputSurface s(200, 200, 72);
    TPlanBarcode* b = s.Add(bcCode39, QStringLiteral("A"), 20, 30, 120, 90);
    b->Focus();
    const QImage focused = s.Paint(*b);
    // The first corner's handle square: outline in SelectColor.
    EXPECT_EQ(QColor(focused.pixel(b->P1Pixels() - QPoint(3, 3))), ColorToQColor(s.plan.SelectColor));
    EXPECT_EQ(QColor(focused.pixel(b->P2Pixels() + QPoint(2, 2))), ColorToQColor(s.plan.SelectColor));
    s.plan.Printing = true;
    const QImage printed = s.Paint(*b);
    EXPECT_EQ(printed.pixel(b->P1Pixels() - QPoint(3, 3)), qRgb(255, 255, 255));
    s.plan.Printing = false;

    // The rectangle's handle zones and resizing.
    const QPoint p1 = b->P1Pixels(), p2 = b->P2Pixels();
    int handle = 0;
    EXPECT_TRUE(b->HitHandle(p2.x() + 2, p2.y() - 2, handle));
    EXPECT_EQ(handle, 6);
    EXPECT_TRUE(b->HitBody((p1.x() + p2.x()) / 2, p1.y()));
    s.plan.GrabbedHandle = 6;
    b->ResizeByHandle(p2 + QPoint(10, 20));
    EXPECT_EQ(b->P2Pixels(), p2 + QPoint(10, 20));

    // Creation by two clicks.
    auto* created = new TPlanBarcode(&s.plan);
    s.plan.NewObjectClicks = 0;
    EXPECT_TRUE(created->CreationStep(10, 11, 0));
    s.plan.NewObjectClicks = 1;
    EXPECT_TRUE(created->CreationStep(50, 61, 1));
    EXPECT_EQ(QRect(created->P1Pixels(), created->P2Pixels()), QRect(QPoint(10, 11), QPoint(50, 61)));
    s.plan.NewObjectClicks = 2;
    EXPECT_FALSE(created->CreationStep(70, 80, 0));
    created->Release();
}

TEST(PlanBarcode, NothingIsDrawnWhileLockedOrHidden)
{
    TOutputSurface s(200, 200, 300);
    TPlanBarcode* b = s.Add(bcCode39, QStringLiteral("AB"), 10, 10, 100, 80);
    ASSERT_FALSE(AllWhite(s.Paint(*b)));
    s.plan.BeginUpdate();
    EXPECT_TRUE(AllWhite(s.Paint(*b)));
    s.plan.EndUpdate();
    b->Layer()->SetVisible(false);
    EXPECT_TRUE(AllWhite(s.Paint(*b)));
    b->Layer()->SetVisible(true);
    b->Visible = false;
    EXPECT_TRUE(AllWhite(s.Paint(*b)));

    // A surface not yet sized has nothing to fit the box to.
    b->Visible = true;
    b->SetDataValue(QStringLiteral("ABCDEF"));
    const int x2 = b->X2;
    s.plan.SetViewSize(0, 0);
    s.Paint(*b);
    EXPECT_EQ(b->X2, x2);
    EXPECT_TRUE(b->LastDrawError().isEmpty());
}

}  // namespace
