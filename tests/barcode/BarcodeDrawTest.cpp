// Drawing a barcode: pixel-exact bars at the four right angles, shortened
// EAN/UPC digit bars, PostNet's common bottom line, where the human-readable
// text goes, the painter's state, failures, and vector devices.
#include "barcode/Barcode.h"
#include "barcode/BarcodeDraw.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

QImage WhiteCanvas(int w, int h)
{
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    return image;
}

bool IsWhite(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] != 255)
                return false;
        }
    }
    return true;
}

// First differing pixel of two equally sized images, as text; empty when equal.
std::string FirstDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return "sizes differ";
    const QImage a = actual.convertToFormat(QImage::Format_Grayscale8);
    const QImage e = expected.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.constScanLine(y)[x] != e.constScanLine(y)[x]) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                       std::to_string(a.constScanLine(y)[x]) + ", expected " + std::to_string(e.constScanLine(y)[x]);
            }
        }
    }
    return {};
}

QFont TextFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

void Draw(TBarcode& bc, QImage& image)
{
    QPainter painter(&image);
    bc.DrawBarcode(painter);
}

// A bar in the symbol frame: columns x..x+w-1, rows y0..y1.
struct TSpan {
    int x, w, y0, y1;
};

// Where a symbol point lands at a quarter turn q (0 to 3), read off the
// placements: 90 degrees runs upwards from (L, T + W), 180 leftwards from
// (L + W, T + H), 270 downwards from (L + H, T).
QPoint Place(int q, int L, int T, int W, int H, int x, int y)
{
    switch (q) {
    case 0: return {L + x, T + y};
    case 1: return {L + y, T + W - x};
    case 2: return {L + W - x, T + H - y};
    default: return {L + H - y, T + x};
    }
}

QImage ExpectedBars(QSize size, const std::vector<TSpan>& spans, int q, int L, int T, int W, int H)
{
    QImage image = WhiteCanvas(size.width(), size.height());
    for (const TSpan& s : spans) {
        const QPoint a = Place(q, L, T, W, H, s.x, s.y0);
        const QPoint b = Place(q, L, T, W, H, s.x + s.w - 1, s.y1);
        const QRect r(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                      QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (image.rect().contains(x, y))
                    image.scanLine(y)[x] = 0;
            }
        }
    }
    return image;
}

// The bars of a built pattern; `rows` gives y0, y1 of element i (from 1).
std::vector<TSpan> Spans(const TBarcode& bc, const std::string& pattern,
                         const std::function<std::pair<int, int>(int i, TModuleKind kind)>& rows)
{
    std::vector<TSpan> spans;
    int x = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const TModuleInfo info = bc.ModuleInfo(pattern[i]);
        if (info.kind != mkSpace) {
            const auto [y0, y1] = rows(int(i) + 1, info.kind);
            spans.push_back({x, info.width, y0, y1});
        }
        x += info.width;
    }
    return spans;
}

int TextHeightA(const QFont& font, const QImage& device)
{
    return QFontMetrics(font, &device).height();
}

// --- geometry helpers

TEST(BarcodeDrawGeometry, RotateVectorAndRotatedOrigin)
{
    const struct {
        double degrees;
        QPoint vector;  // (3, 4) turned
        QPoint origin;  // of a 100 x 40 box at (10, 20)
    } cases[] = {
        {0, {3, 4}, {10, 20}},
        {90, {4, -3}, {10, 120}},
        {180, {-3, -4}, {110, 60}},
        {270, {-4, 3}, {50, 20}},
        {-90, {-4, 3}, {50, 20}},
        {450, {4, -3}, {10, 120}},
        // s >= 0, c >= 0: (0, round(W s))
        {30, {5, 2}, {10, 70}},
        // s >= 0, c < 0: (-round(W c), round(W s - H c))
        {120, {2, -5}, {60, 127}},
        // s < 0, c < 0: (-round(W c) - round(H s), -round(H c))
        {210, {-5, -2}, {117, 55}},
        // s < 0, c >= 0: (-round(H s), 0)
        {300, {-2, 5}, {45, 20}},
    };
    for (const auto& c : cases) {
        const double a = BarcodeAngleRadians(c.degrees);
        EXPECT_EQ(RotateVector(3, 4, a), c.vector) << c.degrees;
        EXPECT_EQ(RotatedOrigin(10, 20, 100, 40, a), c.origin) << c.degrees;
        // The turned box's top-left corner is (Left, Top), within rounding.
        const QPoint o = RotatedOrigin(10, 20, 100, 40, a);
        double minX = 1e9, minY = 1e9;
        for (const QPointF p : {QPointF(0, 0), QPointF(100, 0), QPointF(0, 40), QPointF(100, 40)}) {
            minX = std::min(minX, o.x() + std::cos(a) * p.x() + std::sin(a) * p.y());
            minY = std::min(minY, o.y() - std::sin(a) * p.x() + std::cos(a) * p.y());
        }
        EXPECT_NEAR(minX, 10, 1.0) << c.degrees;
        EXPECT_NEAR(minY, 20, 1.0) << c.degrees;
    }
    EXPECT_DOUBLE_EQ(BarcodeAngleRadians(180), kPi);
    EXPECT_EQ(BarcodeAngleRadians(std::nan("")), 0.0);
    EXPECT_EQ(BarcodeAngleRadians(INFINITY), 0.0);
}

// --- bars

class RightAngles : public ::testing::TestWithParam<int> {};

TEST_P(RightAngles, Code39ABCoversExactlyItsBarPixels)
{
    const int q = GetParam();
    TBarcode bc;
    bc.SetTyp(bcCode39);
    bc.SetText("AB");
    bc.SetModul(2);
    bc.SetRatio(2.5);
    bc.SetHeight(50);
    bc.SetLeft(10);
    bc.SetTop(20);
    bc.SetAngle(90.0 * q);
    const std::string pattern = bc.BuildPattern();
    const int W = bc.Width();
    QImage image = WhiteCanvas(W + 40, W + 40);
    Draw(bc, image);
    const auto spans = Spans(bc, pattern, [&](int, TModuleKind) { return std::pair(0, 50); });
    EXPECT_EQ(FirstDifference(image, ExpectedBars(image.size(), spans, q, 10, 20, W, 50)), "");

    // The corner cases read directly off the image.
    auto black = [&](int x, int y) { return image.pixelColor(x, y) == Qt::black; };
    const int firstBar = bc.ModuleInfo(pattern[0]).width;
    switch (q) {
    case 0:  // first bar from column 10, rows 20 to 70
        EXPECT_TRUE(black(10, 20) && black(10, 70) && black(10 + firstBar - 1, 70));
        EXPECT_FALSE(black(9, 20) || black(10, 19) || black(10, 71) || black(10 + firstBar, 20));
        break;
    case 1:  // box (10, 20) to (60, 20 + W), start character at the bottom
        EXPECT_TRUE(black(10, 20 + W) && black(60, 20 + W) && black(60, 20 + W - firstBar + 1));
        EXPECT_FALSE(black(10, 21 + W) || black(61, 20 + W) || black(9, 20 + W) || black(10, 20 + W - firstBar));
        break;
    case 2:  // runs leftwards from (10 + W, 70)
        EXPECT_TRUE(black(10 + W, 70) && black(10 + W, 20) && black(11 + W - firstBar, 20));
        EXPECT_FALSE(black(11 + W, 70) || black(10 + W, 71) || black(10 + W - firstBar, 20));
        break;
    default:  // runs downwards from (60, 20)
        EXPECT_TRUE(black(60, 20) && black(10, 20) && black(10, 19 + firstBar));
        EXPECT_FALSE(black(61, 20) || black(60, 19) || black(10, 20 + firstBar));
        break;
    }
}

TEST_P(RightAngles, Ean13AndUpcAShortenTheDigitBarsOnly)
{
    const int q = GetParam();
    const QFont font = TextFont(20);
    const struct {
        TBarcodeType type;
        const char* text;
        int firstShort, lastShort;
        std::array<int, 4> bounds;  // B0..B3 with Modul 2
    } cases[] = {
        // Guard 3 modules; digit 2 ("9", left odd "0001011") starts with a
        // 3-module space; centre guard from module 45, right half from 50.
        {bcCodeEAN13, "590123412345", 5, 56, {12, 91, 100, 183}},
        // Digit 1 ("0", "0001101") keeps full bars; digit 2 ("3", "0111101")
        // starts with a 1-module space.
        {bcCodeUPC_A, "03600029145", 9, 52, {22, 91, 100, 169}},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        bc.SetChecksum(true);
        bc.SetModul(2);
        bc.SetHeight(60);
        bc.SetShowTextFont(font);
        bc.SetLeft(5);
        bc.SetTop(7);
        bc.SetAngle(90.0 * q);
        const std::string pattern = bc.BuildPattern();
        ASSERT_EQ(pattern.size(), 59u);
        const int W = bc.Width();
        QImage image = WhiteCanvas(W + 20, W + 20);
        Draw(bc, image);
        const int shortBy = int(std::nearbyint(0.6 * TextHeightA(font, image)));
        ASSERT_GT(shortBy, 5);
        const auto spans = Spans(bc, pattern, [&](int i, TModuleKind) {
            const bool digit = (i >= c.firstShort && i <= 28) || (i >= 33 && i <= c.lastShort);
            return std::pair(0, digit ? 60 - shortBy : 60);
        });
        EXPECT_EQ(FirstDifference(image, ExpectedBars(image.size(), spans, q, 5, 7, W, 60)), "") << c.text;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(bc.DigitGroupBound(i), c.bounds[size_t(i)]) << c.text << " B" << i;
    }
}

TEST_P(RightAngles, PostNetShortBarsStandOnTheBottomLine)
{
    const int q = GetParam();
    for (const int height : {50, 52, 3}) {
        TBarcode bc;
        bc.SetTyp(bcCodePostNet);
        bc.SetText("1234");
        bc.SetModul(3);
        bc.SetHeight(height);
        bc.SetAngle(90.0 * q);
        const std::string pattern = bc.BuildPattern();
        const int W = bc.Width();
        QImage image = WhiteCanvas(W + 4, W + 4);
        Draw(bc, image);
        int shortBars = 0;
        const auto spans = Spans(bc, pattern, [&](int, TModuleKind kind) {
            shortBars += kind == mkShortBar;
            // Two fifths of the height, truncated.
            return std::pair(kind == mkShortBar ? height - 2 * height / 5 : 0, height);
        });
        EXPECT_GT(shortBars, 10);
        EXPECT_EQ(FirstDifference(image, ExpectedBars(image.size(), spans, q, 0, 0, W, height)), "") << height;
    }
}

INSTANTIATE_TEST_SUITE_P(Quarter, RightAngles, ::testing::Values(0, 1, 2, 3),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param * 90); });

TEST(BarcodeDrawBars, OtherAnglesPaintTheTurnedBars)
{
    for (const double degrees : {30.0, 137.5, 225.0, 333.3}) {
        TBarcode bc;
        bc.SetTyp(bcCode128B);
        bc.SetText("Tagmora");
        bc.SetModul(3);
        bc.SetHeight(60);
        bc.SetLeft(20);
        bc.SetTop(30);
        bc.SetAngle(degrees);
        const std::string pattern = bc.BuildPattern();
        const int W = bc.Width();
        QImage image = WhiteCanvas(W + 100, W + 100);
        Draw(bc, image);
        // Every bar keeps its area (within its outline), and the symbol lies in
        // the turned box whose corner is (Left, Top).
        int barArea = 0;
        int barOutline = 0;
        for (const char c : pattern) {
            const TModuleInfo m = bc.ModuleInfo(c);
            if (m.kind != mkSpace) {
                barArea += m.width * 61;
                barOutline += 2 * (m.width + 61);
            }
        }
        int black = 0;
        QRect inked;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.constScanLine(y)[x] == 0) {
                    ++black;
                    inked |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_NEAR(black, barArea, barOutline / 2) << degrees;
        const double a = degrees / 180 * kPi;
        const double boxW = W * std::abs(std::cos(a)) + 61 * std::abs(std::sin(a));
        const double boxH = W * std::abs(std::sin(a)) + 61 * std::abs(std::cos(a));
        EXPECT_NEAR(inked.left(), 20, 2) << degrees;
        EXPECT_NEAR(inked.top(), 30, 2) << degrees;
        EXPECT_NEAR(inked.width(), boxW, 3) << degrees;
        EXPECT_NEAR(inked.height(), boxH, 3) << degrees;
    }
}

TEST(BarcodeDrawBars, BarsIgnoreTheCallersAntialiasingAndTransform)
{
    // A painter that antialiases and is moved by whole pixels draws the same
    // pixels, moved.
    TBarcode bc;
    bc.SetTyp(bcCode128B);
    bc.SetText("Ab1");
    bc.SetModul(2);
    bc.SetHeight(30);
    QImage plain = WhiteCanvas(200, 60);
    Draw(bc, plain);
    QImage moved = WhiteCanvas(200, 60);
    {
        QPainter painter(&moved);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(7, 5);
        bc.DrawBarcode(painter);
    }
    EXPECT_EQ(FirstDifference(moved.copy(7, 5, 193, 55), plain.copy(0, 0, 193, 55)), "");
}

// --- human-readable line

struct TExpectedText {
    QString text;
    QPoint at;  // symbol frame, or canvas when `canvas` is set
    bool canvas = false;
};

// The bars of `bc` with the texts written on top by hand: text turned like
// the symbol, its cell's top-left at the point.
QImage BarsWithTexts(TBarcode bc, QSize size, const std::vector<TExpectedText>& texts)
{
    bc.SetShowText(bcoNone);
    QImage image = WhiteCanvas(size.width(), size.height());
    Draw(bc, image);
    const double a = BarcodeAngleRadians(bc.Angle());
    const QPoint origin = RotatedOrigin(bc.Left(), bc.Top(), bc.Width(), bc.Height(), a);
    QPainter painter(&image);
    painter.setFont(bc.ShowTextFont());
    painter.setPen(Qt::black);
    const int ascent = QFontMetrics(bc.ShowTextFont(), &image).ascent();
    for (const TExpectedText& t : texts) {
        const QPoint at = t.canvas ? t.at : origin + RotateVector(t.at.x(), t.at.y(), a);
        painter.resetTransform();
        painter.translate(at);
        painter.rotate(-bc.Angle());
        painter.drawText(QPoint(0, ascent), t.text);
    }
    return image;
}

TEST(BarcodeDrawText, EanAndUpcDigitGroupsUnderTheBars)
{
    const QFont font = TextFont(18);
    for (const TBarcodeType type : {bcCodeEAN13, bcCodeUPC_A}) {
        for (const double angle : {0.0, 90.0, 180.0, 270.0}) {
            TBarcode bc;
            bc.SetTyp(type);
            bc.SetText(type == bcCodeEAN13 ? "590123412345" : "03600029145");
            bc.SetChecksum(true);
            bc.SetModul(3);
            bc.SetHeight(90);
            bc.SetShowTextFont(font);
            bc.SetShowText(bcoCode);
            bc.SetShowTextPosition(stpTopRight);  // no effect on EAN/UPC
            bc.SetAngle(angle);
            bc.SetLeft(60);
            bc.SetTop(60);
            const int W = bc.Width();
            QImage image = WhiteCanvas(W + 120, W + 120);
            Draw(bc, image);

            const QFontMetrics fm(font, &image);
            const int a = fm.horizontalAdvance(QLatin1Char('A'));
            const int y = 90 - int(std::nearbyint(fm.height() / 2.0));
            auto centred = [&](int b0, int b1, const char* sample) {
                return std::max(b0, b0 + int(std::nearbyint((b1 - b0 - fm.horizontalAdvance(QLatin1String(sample))) / 2.0)));
            };
            std::vector<TExpectedText> texts;
            const int b[4] = {bc.DigitGroupBound(0), bc.DigitGroupBound(1), bc.DigitGroupBound(2), bc.DigitGroupBound(3)};
            if (type == bcCodeEAN13) {
                texts = {{"5", {-a - 2, y}},
                         {"901234", {centred(b[0], b[1], "123456"), y}},
                         {"123457", {centred(b[2], b[3], "123456"), y}}};
            } else {
                texts = {{"0", {-a - 2, y}},
                         {"36000", {centred(b[0], b[1], "12345"), y}},
                         {"29145", {centred(b[2], b[3], "12345"), y}},
                         {"2", {W + 2, y}}};
            }
            EXPECT_EQ(FirstDifference(image, BarsWithTexts(bc, image.size(), texts)), "")
                << SymbologyTable[type].name << " at " << angle;

            // The symbology name is never shown under EAN-13 and UPC-A.
            for (const TBarcodeOption option : {bcoTyp, bcoBoth}) {
                bc.SetShowText(option);
                QImage other = WhiteCanvas(image.width(), image.height());
                Draw(bc, other);
                EXPECT_EQ(FirstDifference(other, image), "") << option;
            }
        }
    }
}

TEST(BarcodeDrawText, OtherSymbologiesPlaceTheLineUnderTheBars)
{
    const QFont font = TextFont(17);
    const struct {
        TBarcodeType type;
        const char* text;
        QString shown;
        TShowTextPosition position;
        double angle;
    } cases[] = {
        {bcCode128B, "Tagmora", "Tagmora", stpBottomLeft, 0},
        {bcCode128B, "Tagmora", "Tagmora", stpTopLeft, 0},
        {bcCode128B, "Tagmora", "Tagmora", stpBottomRight, 0},
        {bcCode128B, "Tagmora", "Tagmora", stpTopRight, 90},
        {bcCode128B, "Tagmora", "Tagmora", stpTopCenter, 0},
        {bcCode128B, "Tagmora", "Tagmora", stpBottomCenter, 180},
        // The shown text of an odd Code 128C text has its leading "0".
        {bcCode128C, "12345", "012345", stpBottomRight, 0},
        {bcCode39, "AB-1", "AB-1", stpBottomCenter, 270},
        {bcCodeEAN8, "1234567", "12345670", stpBottomLeft, 0},
        // Control characters show as spaces.
        {bcCode128A, "A\tB", "A B", stpBottomCenter, 0},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        bc.SetChecksum(c.type == bcCodeEAN8);
        bc.SetModul(2);
        bc.SetHeight(50);
        bc.SetShowTextFont(font);
        bc.SetShowText(bcoCode);
        bc.SetShowTextPosition(c.position);
        bc.SetAngle(c.angle);
        bc.SetLeft(50);
        bc.SetTop(50);
        const int W = bc.Width();
        QImage image = WhiteCanvas(W + 100, W + 100);
        Draw(bc, image);
        const QFontMetrics fm(font, &image);
        const int tw = fm.horizontalAdvance(c.shown);
        int d = 0;
        if (c.position == stpBottomRight || c.position == stpTopRight)
            d = W - tw;
        else if (c.position == stpBottomCenter || c.position == stpTopCenter)
            d = (W - tw) / 2;
        const int y = 50 + int(std::nearbyint(17 / 5.0));
        EXPECT_EQ(FirstDifference(image, BarsWithTexts(bc, image.size(), {{c.shown, {d, y}}})), "")
            << c.text << " position " << c.position << " angle " << c.angle;
    }
}

TEST(BarcodeDrawText, SymbologyNameAboveTheUnturnedPosition)
{
    const QFont font = TextFont(16);
    for (const double angle : {0.0, 90.0}) {
        for (const TBarcodeOption option : {bcoTyp, bcoBoth}) {
            TBarcode bc;
            bc.SetTyp(bcCode39Extended);
            bc.SetText("Ab");
            bc.SetHeight(40);
            bc.SetShowTextFont(font);
            bc.SetShowText(option);
            bc.SetAngle(angle);
            bc.SetLeft(80);
            bc.SetTop(100);
            const int W = bc.Width();
            QImage image = WhiteCanvas(W + 200, W + 200);
            Draw(bc, image);
            std::vector<TExpectedText> texts = {{"Code39 Extended", {80, 100 - 40}, true}};
            if (option == bcoBoth)
                texts.push_back({"Ab", {0, 40 + 3}});
            EXPECT_EQ(FirstDifference(image, BarsWithTexts(bc, image.size(), texts)), "") << option << " " << angle;
        }
    }
}

TEST(BarcodeDrawText, PointSizedFontsFollowTheDeviceResolution)
{
    // 12 points are 50 pixels at 300 dpi: the line sits round(50 / 5) under the bars.
    TBarcode bc;
    bc.SetTyp(bcCode39);
    bc.SetText("AB");
    bc.SetHeight(40);
    bc.SetModul(2);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(12);
    bc.SetShowTextFont(font);
    bc.SetShowText(bcoCode);
    QImage image = WhiteCanvas(bc.Width() + 20, 200);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    EXPECT_EQ(MeasureBarcodeFont(font, &image).fontHeight, 50);
    Draw(bc, image);
    QFont pixels = font;
    pixels.setPixelSize(50);
    bc.SetShowTextFont(pixels);
    EXPECT_EQ(FirstDifference(image, BarsWithTexts(bc, image.size(), {{"AB", {0, 50}}})), "");
}

// --- painter state and failures

struct TPainterState {
    QFont font;
    QPen pen;
    QBrush brush;
    QTransform transform;
    bool antialiasing;
    QPainter::CompositionMode mode;
    Qt::BGMode background;
};

TPainterState StateOf(const QPainter& p)
{
    return {p.font(), p.pen(), p.brush(), p.worldTransform(), p.testRenderHint(QPainter::Antialiasing),
            p.compositionMode(), p.backgroundMode()};
}

void ExpectSameState(const TPainterState& a, const TPainterState& b)
{
    EXPECT_EQ(a.font, b.font);
    EXPECT_EQ(a.pen, b.pen);
    EXPECT_EQ(a.brush, b.brush);
    EXPECT_EQ(a.transform, b.transform);
    EXPECT_EQ(a.antialiasing, b.antialiasing);
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.background, b.background);
}

void SetOddState(QPainter& p)
{
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 31, QFont::Bold, true));
    p.setPen(QPen(QColor(200, 10, 10), 3, Qt::DashLine));
    p.setBrush(QBrush(QColor(10, 10, 200), Qt::Dense4Pattern));
    p.translate(2, 3);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::yellow);
}

TEST(BarcodeDrawState, PainterStateIsRestored)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    SetOddState(painter);
    const TPainterState before = StateOf(painter);
    TBarcode bc;
    bc.SetTyp(bcCode128B);
    bc.SetText("State");
    bc.SetHeight(40);
    bc.SetTop(40);
    bc.SetShowText(bcoBoth);
    bc.SetShowTextFont(TextFont(12));
    bc.DrawBarcode(painter);
    ExpectSameState(StateOf(painter), before);
    painter.end();
    // Bars black whatever the painter had set (Multiply over white is black too).
    EXPECT_EQ(image.pixelColor(2, 43), QColor(Qt::black));
}

TEST(BarcodeDrawState, FailuresPropagateBeforeAnythingIsDrawn)
{
    const struct {
        TBarcodeType type;
        const char* text;
        const char* message;
    } cases[] = {
        {bcCodeEAN13, "12a", "Barcode must be numeric"},
        {bcCode93, "abc", "Code93 bad Data !"},
        {TBarcodeType(99), "1", "System error!"},
        {bcCodeCodabar, "12#", nullptr},
    };
    for (const auto& c : cases) {
        TBarcode bc;
        bc.SetTyp(c.type);
        bc.SetText(c.text);
        bc.SetHeight(30);
        bc.SetShowText(bcoBoth);
        QImage image = WhiteCanvas(300, 100);
        QPainter painter(&image);
        SetOddState(painter);
        const TPainterState before = StateOf(painter);
        try {
            bc.DrawBarcode(painter);
            ADD_FAILURE() << c.text << " drew";
        } catch (const BarcodeError& e) {
            if (c.message) {
                EXPECT_STREQ(e.what(), c.message);
            }
        }
        ExpectSameState(StateOf(painter), before);
        painter.end();
        EXPECT_TRUE(IsWhite(image)) << c.text;

        // Nothing is recorded either.
        QPicture picture;
        QPainter recorder(&picture);
        EXPECT_THROW(bc.DrawBarcode(recorder), BarcodeError);
        recorder.end();
        EXPECT_TRUE(picture.boundingRect().isEmpty()) << c.text;
        EXPECT_THROW(BarcodePaintedRect(bc, &image), BarcodeError);
    }
    // A text that is not 8-bit text fails as well.
    TBarcode bc;
    bc.SetTyp(bcCode128B);
    bc.SetTextString(QStringLiteral("\u20ac"));
    QImage image = WhiteCanvas(100, 50);
    QPainter painter(&image);
    EXPECT_THROW(bc.DrawBarcode(painter), BarcodeError);
    painter.end();
    EXPECT_TRUE(IsWhite(image));
}

TEST(BarcodeDrawState, DrawingNormalisesLikeABuild)
{
    TBarcode bc;
    bc.SetTyp(bcCode_2_5_interleaved);
    bc.SetText(" 123 ");
    bc.SetRatio(1.0);
    bc.SetHeight(10);
    QImage image = WhiteCanvas(200, 20);
    Draw(bc, image);
    EXPECT_EQ(bc.Text(), "0123");
    EXPECT_EQ(bc.Ratio(), 2.0);
    EXPECT_FALSE(IsWhite(image));
}

// --- extent and vector devices

TEST(BarcodeDrawDevices, PaintedRectHoldsBarsAndText)
{
    const QImage probe(1, 1, QImage::Format_Grayscale8);
    TBarcode bc;
    bc.SetTyp(bcCode39);
    bc.SetText("AB");
    bc.SetModul(2);
    bc.SetHeight(50);
    bc.SetLeft(10);
    bc.SetTop(20);
    const int W = bc.Width();
    EXPECT_EQ(BarcodePaintedRect(bc, &probe), QRect(10, 20, W, 51));
    bc.SetAngle(90);
    EXPECT_EQ(BarcodePaintedRect(bc, &probe), QRect(10, 21, 51, W));
    bc.SetAngle(0);
    bc.SetShowText(bcoBoth);
    bc.SetShowTextFont(TextFont(20));
    const QRect r = BarcodePaintedRect(bc, &probe);
    const QFontMetrics fm(TextFont(20), &probe);
    EXPECT_EQ(r.top(), 20 - 50);  // the name's cell
    EXPECT_LE(r.left(), 10);
    EXPECT_GE(r.left(), 8);
    EXPECT_GE(r.bottom(), 20 + 50 + 4 + fm.height() - 1);

    // The rendered image has the margin all round the ink.
    bc.SetShowText(bcoNone);
    const QImage image = RenderBarcodeImage(bc, 20);
    EXPECT_EQ(image.size(), QSize(W + 40, 51 + 40));
    EXPECT_EQ(image.pixelColor(20, 20), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(19, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(20, 70), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(20, 71), QColor(Qt::white));
}

// Bars-only symbols at two angles, drawn straight onto a bitmap.
struct TVectorCase {
    double angle;
    QImage raster;
};

std::vector<TVectorCase> RasterCases(TBarcode& bc, QSize size)
{
    std::vector<TVectorCase> cases;
    for (const double angle : {0.0, 90.0, 180.0}) {
        bc.SetAngle(angle);
        QImage image = WhiteCanvas(size.width(), size.height());
        Draw(bc, image);
        cases.push_back({angle, image});
    }
    return cases;
}

TBarcode VectorSample()
{
    TBarcode bc;
    bc.SetTyp(bcCodeEAN13);
    bc.SetText("590123412345");
    bc.SetChecksum(true);
    bc.SetModul(3);
    bc.SetHeight(80);
    bc.SetLeft(12);
    bc.SetTop(9);
    bc.SetShowTextFont(TextFont(20));
    return bc;
}

TEST(BarcodeDrawDevices, PictureAndSvgHoldFilledBarsOfExactExtent)
{
    TBarcode bc = VectorSample();
    const QSize size(bc.Width() + 30, bc.Width() + 30);
    for (const TVectorCase& c : RasterCases(bc, size)) {
        bc.SetAngle(c.angle);

        QPicture picture;
        {
            QPainter painter(&picture);
            bc.DrawBarcode(painter);
        }
        QImage replay = WhiteCanvas(size.width(), size.height());
        {
            QPainter painter(&replay);
            picture.play(&painter);
        }
        EXPECT_EQ(FirstDifference(replay, c.raster), "") << "picture " << c.angle;

        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(96);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        {
            QPainter painter(&svg);
            bc.DrawBarcode(painter);
        }
        // Filled shapes only: no stroked outline grows a bar.
        int rectGroups = 0;
        for (const QByteArray& group : buffer.data().split('<')) {
            if (group.startsWith("g ") && group.contains("fill=\"#000000\"")) {
                ++rectGroups;
                EXPECT_TRUE(group.contains("stroke=\"none\"")) << group.toStdString();
            }
        }
        EXPECT_EQ(rectGroups, 1) << c.angle;
        EXPECT_EQ(buffer.data().count("<rect"), 30) << c.angle;
        QSvgRenderer renderer(buffer.data());
        ASSERT_TRUE(renderer.isValid());
        QImage rendered = WhiteCanvas(size.width(), size.height());
        {
            QPainter painter(&rendered);
            renderer.render(&painter, QRectF(QPointF(0, 0), size));
        }
        EXPECT_EQ(FirstDifference(rendered, c.raster), "") << "svg " << c.angle;
    }
}

TEST(BarcodeDrawDevices, PdfBarsRasteriseToTheSamePixels)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TBarcode bc = VectorSample();
    const QSize size(bc.Width() + 30, bc.Width() + 30);
    for (const TVectorCase& c : RasterCases(bc, size)) {
        bc.SetAngle(c.angle);
        const QString pdf = dir.filePath(QStringLiteral("bars.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(300);
            writer.setPageSize(QPageSize(QSizeF(size) / 300.0 * 25.4, QPageSize::Millimeter, QString(),
                                         QPageSize::ExactMatch));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            bc.DrawBarcode(painter);
        }
        QProcess p;
        p.start(pdftoppm, {"-r", "300", "-gray", "-singlefile", pdf, dir.filePath(QStringLiteral("bars"))});
        ASSERT_TRUE(p.waitForFinished(30000));
        QImage page(dir.filePath(QStringLiteral("bars.pgm")));
        ASSERT_FALSE(page.isNull());
        // The rasteriser antialiases: a pixel is black when mostly covered.
        page = page.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < page.height(); ++y) {
            uchar* row = page.scanLine(y);
            for (int x = 0; x < page.width(); ++x)
                row[x] = row[x] < 128 ? 0 : 255;
        }
        const QRect common = QRect(QPoint(0, 0), size).intersected(page.rect());
        ASSERT_GE(common.width(), size.width() - 1);
        EXPECT_EQ(FirstDifference(page.copy(common), c.raster.copy(common)), "") << "pdf " << c.angle;
    }
}

}  // namespace
