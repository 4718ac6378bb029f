// The text object: number patterns, wrapping and placement of formatted
// text, AutoFill stretching, placeholders, date/time values and fonts.
#include "common/DocTestSupport.h"
#include "document/MGraph.h"
#include "document/PlanObjects.h"
#include "document/TextLayout.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

// Every character 10 pixels wide: wrapping cases independent of fonts.
int TenEach(const QString& s)
{
    return int(s.size()) * 10;
}

QStringList Wrap(const QString& line, int width, bool* unlimited = nullptr)
{
    bool local = false;
    QStringList out;
    WrapTextLine(line, width, unlimited ? unlimited : &local, TenEach, out);
    return out;
}

QStringList LineTexts(const TFormattedLayout& layout)
{
    QStringList out;
    for (const TLaidOutLine& l : layout.lines)
        out << l.text;
    return out;
}


class TextDraw : public ::testing::Test, public TPlanFixture {
protected:
    TextDraw() { plan.ApplyMainWindowAppearance(); }
    TPlanText* AddText(int x1, int y1, int x2, int y2, const QStringList& more)
    {
        auto* o = new TPlanText(&plan);
        o->Properties.Lines = QStringList{QString("X1=%1").arg(x1), QString("Y1=%1").arg(y1),
                                          QString("X2=%1").arg(x2), QString("Y2=%1").arg(y2), "FontName=Arial"} +
                              more;
        o->LoadProperties();
        return o;
    }
};

}  // namespace

TEST(FormatPattern, OneRealConversionWithLiteralText)
{
    struct Case {
        const char* pattern;
        double value;
        const char* expected;
    } cases[] = {
        {"%.2f", 3.14159, "3.14"},
        {"%8.2f", 3.14159, "    3.14"},
        {"[%-8.2f]", 3.14159, "[3.14    ]"},
        {"%08.3f", -2.5, "-002.500"},
        {"%+.1e", 31415.9, "+3.1e+04"},
        {"%.3E", 0.000123, "1.230E-04"},
        {"%g", 0.0001, "0.0001"},
        {"%G", 1e-10, "1E-10"},
        {"%#.0f", 3.0, "3."},
        {"% .1f", 2.26, " 2.3"},
        {"%F", 1.5, "1.500000"},
        {"Price: %.2f EUR (100%%)", 9.999, "Price: 10.00 EUR (100%)"},
        {"%%%.0f%%", 42, "%42%"},
        {"%256.0f", 1, nullptr},  // width 256 is the largest taken: checked below
    };
    for (const Case& c : cases) {
        QString out;
        ASSERT_TRUE(FormatRealPattern(QString::fromLatin1(c.pattern), c.value, out)) << c.pattern;
        if (c.expected)
            EXPECT_EQ(out, QString::fromLatin1(c.expected)) << c.pattern;
        else
            EXPECT_EQ(out.size(), 256);
    }
}

TEST(FormatPattern, AnythingElseIsRefused)
{
    // Never handed to a printf-style function: each falls back to the value.
    const char* refused[] = {
        "%s", "%n", "%d", "%x", "%p", "%c", "%.2f %.2f", "%1000f", "%257f", "%.101f", "%99999999999f",
        "%.99999999999f", "%", "abc%", "%5", "%lf", "%Lf", "%*f", "%.*f", "%1$f", "no conversion", "", "%-", "%0:.2f",
    };
    for (const char* pattern : refused) {
        QString out = QStringLiteral("untouched");
        EXPECT_FALSE(FormatRealPattern(QString::fromLatin1(pattern), 1.5, out)) << pattern;
        EXPECT_EQ(out, QString("untouched")) << pattern;
    }
    QString out;
    EXPECT_FALSE(FormatRealPattern("%.2f", std::numeric_limits<double>::infinity(), out));
    EXPECT_FALSE(FormatRealPattern("%.2f", std::nan(""), out));
}

TEST(FormatPattern, DataValueThroughThePattern)
{
    // Numbers are read and written with "." whatever the locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatDataValue("3.14159", "%.2f"), QString("3.14"));
    EXPECT_EQ(FormatDataValue(" 1e3 ", "%.1f"), QString("1000.0"));
    EXPECT_EQ(FormatDataValue("abc", "%.2f"), QString("abc"));
    EXPECT_EQ(FormatDataValue("3,14", "%.2f"), QString("3,14"));
    EXPECT_EQ(FormatDataValue("1,000", "%.2f"), QString("1,000"));
    EXPECT_EQ(FormatDataValue("inf", "%.2f"), QString("inf"));
    EXPECT_EQ(FormatDataValue("2.5", "%s"), QString("2.5"));
    EXPECT_EQ(FormatDataValue("", "%.2f"), QString(""));
    QLocale::setDefault(previous);
}

TEST(TextWrap, Cases)
{
    // Three short words in a box narrower than two of them: one word a line.
    EXPECT_EQ(Wrap("one two six", 60), (QStringList{"one", "two", "six"}));
    // The whole line fits: untouched, spaces and all.
    EXPECT_EQ(Wrap("one two ", 80), (QStringList{"one two "}));
    // Cut at the last space that leaves a fitting piece.
    EXPECT_EQ(Wrap("ab cd ef gh", 50), (QStringList{"ab cd", "ef gh"}));
    // A word wider than the box breaks after its longest fitting prefix.
    EXPECT_EQ(Wrap("abcdefgh ij", 30), (QStringList{"abc", "def", "gh", "ij"}));
    // An empty line stays one empty line; leading spaces make an empty piece.
    EXPECT_EQ(Wrap("", 30), (QStringList{""}));
    EXPECT_EQ(Wrap(" abcd", 30), (QStringList{"", "abc", "d"}));

    // Narrower than one character: the rest on one line, and no more wrapping.
    bool unlimited = false;
    EXPECT_EQ(Wrap("abc def", 5, &unlimited), (QStringList{"abc def"}));
    EXPECT_TRUE(unlimited);
    EXPECT_EQ(Wrap("ghi jkl", 5, &unlimited), (QStringList{"ghi jkl"}));
    // A negative width (a box drawn right to left) behaves the same.
    unlimited = false;
    EXPECT_EQ(Wrap("a b", -20, &unlimited), (QStringList{"a b"}));
    EXPECT_TRUE(unlimited);
}

TEST(TextWrap, HugeTextsWrapQuickly)
{
    // 180,000 characters in pieces of three words: each piece costs a few
    // measurements, whatever the length of the rest.
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("word%1 ").arg(i % 10, 4, 10, QLatin1Char('0'));
    int calls = 0;
    QStringList out;
    bool unlimited = false;
    WrapTextLine(text, 300, &unlimited, [&](const QString& s) { ++calls; return int(s.size()) * 10; }, out);
    EXPECT_EQ(out.size(), 6667);
    EXPECT_LT(calls, 6667 * 8);
    EXPECT_EQ(out.first(), QString("word0000 word0001 word0002"));
}

TEST(TextLayout, PlacementInTheBox)
{
    // Box from (10, 20) to (110, 80): 100 wide, 60 high; lines 12 high.
    const TFormattedLayout left = LayoutFormattedText("ab\r\ncd\ref\ngh", {10, 20}, {110, 80}, 0, 0, true, 12, TenEach);
    ASSERT_EQ(LineTexts(left), (QStringList{"ab", "cd", "ef", "gh"}));
    // The block of 48 pixels is centred: (60 - 48) div 2 + 20.
    EXPECT_EQ(left.lines.at(0).topLeft, QPoint(10, 26));
    EXPECT_EQ(left.lines.at(3).topLeft, QPoint(10, 62));

    // Right-aligned lines end one pixel past the box: x = right - width + 1.
    const TFormattedLayout right = LayoutFormattedText("abc", {10, 20}, {110, 80}, 1, 0, true, 12, TenEach);
    EXPECT_EQ(right.lines.at(0).topLeft.x() + right.lines.at(0).width, 111);
    const TFormattedLayout centre = LayoutFormattedText("abc", {10, 20}, {110, 80}, 2, 0, true, 12, TenEach);
    EXPECT_EQ(centre.lines.at(0).topLeft, QPoint(45, 44));

    // Integer division rounds toward zero: a block higher than the box.
    const TFormattedLayout tall = LayoutFormattedText("a\nb\nc", {0, 0}, {50, 5}, 0, 0, true, 12, TenEach);
    EXPECT_EQ(tall.lines.at(0).topLeft.y(), (5 - 36) / 2);
}

TEST(TextLayout, Angles)
{
    struct Case {
        int angle;
        bool outline;
        int stored;
        bool rotated;
        int wrapWidthLines;  // lines "aaaa bbbb" wraps into
    } cases[] = {
        {90, true, 90, true, 2},     // wraps to the box height (60)
        {450, true, 90, true, 2},    // as 90, stored as 90
        {-90, true, -90, true, 1},   // keeps its sign; wraps to the width
        {360, true, 0, true, 1},     // turned by nothing
        {270, true, 270, true, 2},
        {90, false, 90, false, 2},   // a bitmap font is never turned
        {0, true, 0, false, 1},
    };
    for (const Case& c : cases) {
        const TFormattedLayout l = LayoutFormattedText("aaaa bbbb", {0, 0}, {100, 60}, 0, c.angle, c.outline, 10, TenEach);
        EXPECT_EQ(l.angle, c.stored) << c.angle;
        EXPECT_EQ(l.rotated, c.rotated) << c.angle;
        EXPECT_EQ(l.lines.size(), c.wrapWidthLines) << c.angle;
    }
    // At 90 degrees the top-left of a line turns clockwise about the centre
    // (50, 30): the first line's (0, 20) goes to (60, -20).
    const TFormattedLayout turned = LayoutFormattedText("aaaa bbbb", {0, 0}, {100, 60}, 0, 90, true, 10, TenEach);
    EXPECT_EQ(turned.lines.at(0).topLeft, QPoint(60, -20));
    EXPECT_EQ(turned.lines.at(1).topLeft, QPoint(50, -20));
}

TEST_F(TextDraw, FontHeightsArePlanUnits)
{
    auto* text = AddText(10, 10, 100, 40, {"FontSize=12", "AutoFill=0", "DataValue=x"});
    EXPECT_EQ(text->Font.Height(), -16);
    // Sizes only a damaged file carries: the height can still be negated.
    for (const int size : {INT_MIN, INT_MAX}) {
        text->Font.Size = size;
        EXPECT_EQ(std::abs(text->Font.Height()), INT_MAX) << size;
    }
    text->Font.Size = 12;
    EXPECT_EQ(text->FormattedPixelSize(), 16);
    plan.SetViewSize(Round(180 / 72.0 * 600), Round(130 / 72.0 * 600));  // 600 dpi output
    EXPECT_EQ(text->FormattedPixelSize(), Round(16 * 1500.0 / 180));
}

TEST_F(TextDraw, AutoFillStretchesOverTheBoxAndThreePixelsBeyond)
{
    auto* text = AddText(20, 30, 120, 60, {"DataValue=ABC", "FontSize=12"});
    EXPECT_EQ(text->AutoFillTarget(), QRectF(17, 27, 106, 36));
    const QImage img = Draw(text);
    const QRect ink = Ink(img);
    // All ink inside the target, spread over nearly all of it.
    EXPECT_TRUE(QRect(17, 27, 106, 36).contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                                      << ink.height();
    EXPECT_GT(ink.width(), 95);
    EXPECT_LT(ink.left(), 20);  // past the box's left edge
    EXPECT_GT(ink.right(), 119);

    // A box of other proportions: the text follows them, the share of the
    // target its ink covers stays.
    auto* wide = AddText(10, 80, 170, 90, {"DataValue=ABC", "FontSize=12"});
    const QRect wideInk = Ink(Draw(wide));
    EXPECT_NEAR(wideInk.width() / 166.0, ink.width() / 106.0, 0.03);
    EXPECT_NEAR(wideInk.height() / 16.0, ink.height() / 36.0, 0.1);
}

TEST_F(TextDraw, RightAlignedFormattedTextEndsOnePixelPastTheBox)
{
    // A full block glyph fills its advance, so its ink shows the placement.
    auto* text = AddText(20, 20, 120, 60, {"DataValue=\u2588\u2588", "AutoFill=0", "Alignment=Right", "FontSize=12"});
    const QRect ink = Ink(Draw(text));
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(ink.right(), 120, 1);
    EXPECT_GE(ink.left(), 60);
}

TEST_F(TextDraw, PlaceholderFrameOnlyOnScreenAndOnlyWhenEmpty)
{
    auto* empty = AddText(20, 20, 60, 40, {});
    const QImage img = Draw(empty);
    // Dotted: one pixel on, one off, from l - 3 to r + 2.
    EXPECT_EQ(Ink(img), QRect(QPoint(17, 17), QPoint(62, 42)));
    EXPECT_NE(img.pixel(17, 17), kBack);
    EXPECT_EQ(img.pixel(18, 17), kBack);
    EXPECT_NE(img.pixel(19, 17), kBack);
    plan.Printing = true;
    EXPECT_TRUE(Ink(Draw(empty)).isNull());
    plan.Printing = false;
    auto* filled = AddText(20, 20, 60, 40, {"DataValue=   ", "AutoFill=0"});
    EXPECT_TRUE(Ink(Draw(filled)).isNull());  // blanks: no ink, no frame
}

TEST_F(TextDraw, DateAndTimeAtEveryDrawing)
{
    auto* text = AddText(0, 0, 50, 20, {"DataOrigin=2", "DataExpression=Fun_Time_HM", "DataValue=old"});
    const QDateTime at(QDate(2003, 12, 26), QTime(12, 6, 18));
    EXPECT_EQ(text->DisplayedText(at), QString("12:06"));
    EXPECT_EQ(text->DataValue, QString("12:06"));
    EXPECT_EQ(text->DisplayedText(at.addSecs(3600)), QString("13:06"));
    text->DataExpression = "Fun_Date_YMD";
    EXPECT_EQ(text->DisplayedText(at), QString("2003-12-26"));
    // An unknown function keeps the value; the pattern applies to it.
    text->DataExpression = "Fun_Unknown";
    text->DataValue = "2.5";
    text->FormatText = true;
    text->DataFormat = "%.3f";
    EXPECT_EQ(text->DisplayedText(at), QString("2.500"));
    EXPECT_EQ(text->DataValue, QString("2.5"));
}

TEST_F(TextDraw, FormattedDrawingStoresTheReducedAngle)
{
    auto* text = AddText(20, 20, 120, 120, {"DataValue=turn", "AutoFill=0", "Angle=450"});
    EXPECT_EQ(text->Angle, 450);
    Draw(text);
    EXPECT_EQ(text->Angle, 90);
    text->StoreProperties();
    EXPECT_EQ(text->Properties.Value(u"Angle"), QString("90"));
    // Turned text is taller than wide.
    auto* flat = AddText(20, 20, 120, 120, {"DataValue=turnturnturn", "AutoFill=0"});
    auto* turned = AddText(20, 20, 120, 120, {"DataValue=turnturnturn", "AutoFill=0", "Angle=90"});
    const QRect a = Ink(Draw(flat)), b = Ink(Draw(turned));
    EXPECT_GT(a.width(), a.height());
    EXPECT_GT(b.height(), b.width());
}

TEST_F(TextDraw, MissingFacesAreSubstituted)
{
    for (const char* face : {"Verdana", "Times New Roman MT Extra Bold", "No Such Face 123", "Arial"}) {
        TPlanFont f;
        f.Name = QString::fromLatin1(face);
        const QFontInfo info(f.ToQFont(20));
        EXPECT_TRUE(QFontDatabase::families().contains(info.family())) << face << " -> " << info.family().toStdString();
    }
    // A missing face still draws.
    auto* text = AddText(10, 10, 100, 40, {"DataValue=Hello", "FontName=No Such Face 123", "AutoFill=0"});
    EXPECT_FALSE(Ink(Draw(text)).isNull());
}

TEST_F(TextDraw, PathologicalTextsStillDraw)
{
    // Hundreds of glyphs squeezed into a narrow box, a very long stretched
    // line and a word of 60,000 characters in a formatted box: each draws
    // (from a bitmap, or measured by prefixes) instead of taking minutes.
    plan.SetViewSize(750, 542);  // about 300 dpi
    const QString dense = QString("W@#%").repeated(100);
    auto* squeezed = AddText(10, 0, 14, 130, {"DataValue=" + dense});
    auto* longLine = AddText(20, 0, 170, 40, {"DataValue=" + QString("stretch ").repeated(5000)});
    auto* word = AddText(20, 50, 170, 120, {"DataValue=" + QString("longword").repeated(7500), "AutoFill=0"});
    for (TLabelObject* o : {static_cast<TLabelObject*>(squeezed), static_cast<TLabelObject*>(longLine),
                            static_cast<TLabelObject*>(word)})
        EXPECT_FALSE(Ink(Draw(o)).isNull());
    EXPECT_TRUE(QRect(QPoint(38, 0), QPoint(62, 542)).contains(Ink(Draw(squeezed))));
}
