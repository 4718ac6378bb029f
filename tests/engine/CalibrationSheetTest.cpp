// The calibration sheet drawn at a printer's resolution, and the calibration
// worked out from what was measured on it.
#include "engine/printing/CalibrationSheet.h"

#include "document/StandInPrinter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

int Dot(double mm, int dpi)
{
    return int(std::lround(mm / 25.4 * dpi));
}

bool Dark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Centres of the dark runs of row y between x1 and x2, in half dots.
std::vector<int> RunCentres(const QImage& image, int y, int x1, int x2)
{
    std::vector<int> centres;
    for (int x = x1; x < x2; ++x) {
        if (!Dark(image, x, y))
            continue;
        const int start = x;
        while (x < x2 && Dark(image, x, y))
            ++x;
        centres.push_back(start + x - 1);
    }
    return centres;
}

}  // namespace

TEST(CalibrationSheet, MarksLandOnWholeDotsAtThePrintersResolution)
{
    for (const int dpi : {203, 300}) {
        const QSize page(Dot(210, dpi), Dot(297, dpi));
        QImage image(page, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter canvas(&image);
            DrawCalibrationSheet(canvas, page, dpi, {QStringLiteral("Labels"), QDate(2026, 1, 2)});
        }
        // Crosshair A: its vertical arm 3 mm below the centre, its horizontal
        // arm 3 mm right of it, both centred on the dot of 20 mm.
        const int a = Dot(20, dpi), near = Dot(3, dpi);
        EXPECT_EQ(RunCentres(image, a + near, a - near, a + near), std::vector<int>{2 * a}) << dpi;
        const QImage turned = image.transformed(QTransform().rotate(90)).mirrored(true, false);
        EXPECT_EQ(RunCentres(turned, a + near, a - near, a + near), std::vector<int>{2 * a}) << dpi;
        // B 100 mm along x from A.
        const int b = Dot(120, dpi);
        EXPECT_EQ(RunCentres(image, a + near, b - near, b + near), std::vector<int>{2 * b}) << dpi;
        // Between 4 and 6 mm down only the 10 mm ticks of the top ruler reach.
        std::vector<int> tens;
        for (int mm = 10; mm <= 200; mm += 10)
            tens.push_back(2 * Dot(mm, dpi));
        EXPECT_EQ(RunCentres(image, Dot(5, dpi), Dot(8, dpi), Dot(205, dpi)), tens) << dpi;
        // The left ruler alike, 1 to 20 cm down.
        EXPECT_EQ(RunCentres(turned, Dot(5, dpi), Dot(8, dpi), Dot(205, dpi)), tens) << dpi;
    }
}

TEST(CalibrationSheet, CalibrationFromWhatWasMeasured)
{
    struct Case {
        TCalibrationMeasurement measured;
        double span;
        bool ok;
        QPointF offset, scale;
    } cases[] = {
        {{{20, 20}, 100, 100}, 100, true, {0, 0}, {100, 100}},
        {{{22.5, 19}, 100, 100}, 100, true, {-2.5, 1}, {100, 100}},
        // A printer 2 % too large across: 98.04 % brings it back, and A
        // (printed at 20.4 + 1) moves by 20 - 21.4 / 1.02.
        {{{21.4, 20}, 102, 100}, 100, true, {-0.98, 0}, {98.04, 100}},
        {{{20, 20}, 50, 49}, 50, true, {0, -0.41}, {100, 102.04}},
        {{{20, 20}, 0, 100}, 100, false, {}, {}},
        {{{90, 20}, 100, 100}, 100, false, {}, {}},   // 70 mm off
        {{{20, 20}, 300, 100}, 100, false, {}, {}},   // three times too large
    };
    for (const Case& c : cases) {
        QPointF offset(7, 7), scale(7, 7);
        EXPECT_EQ(CalibrationFromMeasurement(c.measured, c.span, offset, scale), c.ok) << c.measured.A.x();
        if (!c.ok) {
            EXPECT_EQ(offset, QPointF(7, 7));
            continue;
        }
        EXPECT_NEAR(offset.x(), c.offset.x(), 1e-9) << c.measured.A.x();
        EXPECT_NEAR(offset.y(), c.offset.y(), 1e-9);
        EXPECT_NEAR(scale.x(), c.scale.x(), 1e-9);
        EXPECT_NEAR(scale.y(), c.scale.y(), 1e-9);
    }
    // A roll too small for 100 mm gets a shorter span.
    EXPECT_EQ(CalibrationSpanMm(QSizeF(210, 297)), 100);
    EXPECT_EQ(CalibrationSpanMm(QSizeF(101.6, 152.4)), 50);
    EXPECT_EQ(CalibrationSpanMm(QSizeF(50, 30)), 25);

    // Printed on the printer in use: one page of its sheet, not calibrated.
    TStandInPrinter printer;
    TScopedPrinter use(printer);
    EXPECT_THROW(PrintCalibrationSheet(QDate(2026, 1, 2)), EPrinterError);
    printer.AddPrinter(TStandInPrinter::FromPrinterList("Thermal@203")->Info(0));
    PrintCalibrationSheet(QDate(2026, 1, 2));
    ASSERT_EQ(printer.Pages.size(), 1);
    EXPECT_TRUE(Dark(printer.Pages[0], Dot(20, 203), Dot(20, 203)));
}
