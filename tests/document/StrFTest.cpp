// String, number, colour and hex helpers of plan text.
#include "common/DocTestSupport.h"
#include "document/DataOrigin.h"
#include "document/MGraph.h"
#include "document/PlanValues.h"
#include "document/PropertyList.h"
#include "document/StrF.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(StrF, ReplaceAllNeverRescansInsertedText)
{
    EXPECT_EQ(ReplaceAll("a = b = c", " = ", "="), QString("a=b=c"));
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), QString("aaaaaa"));
    EXPECT_EQ(ReplaceAll("x  =  y", " = ", "="), QString("x = y"));
    EXPECT_EQ(ReplaceAll("", "a", "b"), QString());
    EXPECT_EQ(ReplaceAll("abc", "", "b"), QString());
    EXPECT_EQ(TrimLeftSpaces("  \tkey=v "), QString("\tkey=v "));
}

TEST(StrF, IntegerConversionFollowsPlanTextRules)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    } cases[] = {
        {"12", true, 12},          {" 12", true, 12},         {"12 ", false, 0},  {"-7", true, -7},
        {"+7", true, 7},           {"$FF", true, 255},        {"$0000FF", true, 255},
        {"0000FF", false, 0},      {"$FFFFFFFF", true, -1},   {"$100000000", false, 0},
        {"2147483647", true, 2147483647}, {"2147483648", false, 0}, {"-2147483648", true, INT32_MIN},
        {"", false, 0},            {"-", false, 0},           {"1.5", false, 0},  {"0x10", false, 0},
    };
    for (const Case& c : cases) {
        int v = 0;
        EXPECT_EQ(TryStrToInt(QString::fromLatin1(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    EXPECT_THROW(StrToInt(u"abc"), EConvertError);
    try {
        StrToInt(u"abc");
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(StrF, RealsAndBooleans)
{
    double d = 0;
    EXPECT_TRUE(TryStrToFloat(u"0.8", d));
    EXPECT_DOUBLE_EQ(d, 0.8);
    EXPECT_TRUE(TryStrToFloat(u" -1.5e3 ", d));
    EXPECT_DOUBLE_EQ(d, -1500);
    EXPECT_FALSE(TryStrToFloat(u"0,8", d));
    EXPECT_FALSE(TryStrToFloat(u"1,000", d));
    EXPECT_FALSE(TryStrToFloat(u"inf", d));
    EXPECT_FALSE(TryStrToFloat(u"nan", d));

    bool b = false;
    EXPECT_TRUE(TryStrToBool(u"-1", b) && b);
    EXPECT_TRUE(TryStrToBool(u"0", b) && !b);
    EXPECT_TRUE(TryStrToBool(u"2", b) && b);
    EXPECT_TRUE(TryStrToBool(u"TRUE", b) && b);
    EXPECT_TRUE(TryStrToBool(u"false", b) && !b);
    EXPECT_FALSE(TryStrToBool(u"yes", b));
}

TEST(StrF, RealsAreWrittenInTheGeneralForm)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},           {1, "1"},           {0.8, "0.8"},      {-2.5, "-2.5"},
        {100, "100"},       {0.1 + 0.2, "0.3"}, {0.00001, "0.00001"}, {0.000001, "1E-6"},
        {1.5e-7, "1.5E-7"}, {123456789012345.0, "123456789012345"}, {1e15, "1E15"},
        {1e20, "1E20"},     {2.54, "2.54"},     {1.0 / 3, "0.333333333333333"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStr(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(PlanValues, ColourText)
{
    EXPECT_EQ(ColorToText(clRed), QString("Red"));
    EXPECT_EQ(ColorToText(12632256), QString("Silver"));
    EXPECT_EQ(ColorToText(0x123456), QString("1193046"));
    EXPECT_EQ(ColorToText(-16777201), QString("-16777201"));
    // Reading: names in any case, integers ("$" hex), anything else is white.
    EXPECT_EQ(TextToColor("red"), clRed);
    EXPECT_EQ(TextToColor("FUCHSIA"), clFuchsia);
    EXPECT_EQ(TextToColor("$0000FF"), clRed);
    EXPECT_EQ(TextToColor("0000FF"), clWhite);
    EXPECT_EQ(TextToColor("255"), clRed);
    EXPECT_EQ(TextToColor("-16777201"), -16777201);
    EXPECT_EQ(TextToColor("clRed"), clWhite);
    EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(QColorToColor(QColor(0, 128, 0)), clGreen);
}

TEST(PlanValues, HexText)
{
    const QByteArray bytes("\x00\x7F\x80\xFF\x0A", 5);
    EXPECT_EQ(BytesToHex(bytes), QString("007F80FF0A"));
    EXPECT_EQ(HexToBytes(u"007F80FF0A"), bytes);
    EXPECT_EQ(HexToBytes(u"007f80ff0a"), bytes);
    // A pair that does not convert gives 0; an odd last character stands alone.
    EXPECT_EQ(HexToBytes(u"41ZZ42"), QByteArray("A\0B", 3));
    EXPECT_EQ(HexToBytes(u"414"), QByteArray("A\x04", 2));
    EXPECT_EQ(HexToBytes(u"$F"), QByteArray("\x0F", 1));
    EXPECT_EQ(HexToBytes(u""), QByteArray());
}

TEST(PlanValues, FontStyleLetters)
{
    EXPECT_EQ(FontStyleLetters(fsBold | fsItalic), QString("IB"));
    EXPECT_EQ(FontStyleLetters(fsStrikeOut | fsUnderline | fsBold | fsItalic), QString("IBUS"));
    EXPECT_EQ(FontStyleLetters({}), QString());
    EXPECT_EQ(LettersToFontStyle("SBxI"), fsStrikeOut | fsBold | fsItalic);
    EXPECT_EQ(LettersToFontStyle("ib"), TFontStyles());
}

TEST(PropertyList, KeysMatchAnyCaseAndSettingRewritesInPlace)
{
    TPropertyList p;
    p.Lines = QStringList{"name=A", "Unknown=x=y", "X1=5"};
    EXPECT_EQ(p.Value(u"NAME"), QString("A"));
    EXPECT_EQ(p.Value(u"unknown"), QString("x=y"));
    EXPECT_EQ(p.Value(u"Unknown=x"), QString());
    EXPECT_EQ(p.IndexOfName(u"X"), -1);
    p.SetValue("Name", "B");
    p.SetValue("Y1", "7");
    EXPECT_EQ(p.Lines, (QStringList{"Name=B", "Unknown=x=y", "X1=5", "Y1=7"}));
    p.SetValue("x1", "");
    EXPECT_EQ(p.Lines, (QStringList{"Name=B", "Unknown=x=y", "Y1=7"}));

    // A key written twice (files made elsewhere): only the first line is
    // read, and setting it removes the others, so writing twice writes the same.
    p.Lines = QStringList{"Name=", "X1=1", "NAME=never read", "X1=2", "X1=3"};
    EXPECT_EQ(p.Value(u"Name"), QString());
    p.SetValue("Name", "");
    p.SetValue("X1", "9");
    EXPECT_EQ(p.Lines, (QStringList{"X1=9"}));
}

TEST(MGraph, RoundingAndGeometry)
{
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(1e12), INT32_MAX);
    EXPECT_EQ(Round(NAN), 0);
    EXPECT_DOUBLE_EQ(RoundTo3(12.3456), 12.346);

    const QRect r = NormalizedRect(10, 20, 4, 2);
    EXPECT_EQ(r, EdgeRect(1, -1, 13, 23));
    EXPECT_TRUE(PointInRect(r, 13, 23));
    EXPECT_FALSE(PointInRect(r, 14, 23));
    EXPECT_FALSE(PointInRect(EdgeRect(5, 5, 4, 10), 5, 6));  // unordered: empty

    EXPECT_EQ(PointDistance({0, 0}, {3, 4}), 5);
    EXPECT_EQ(PointDistance({0, 0}, {1, 1}), 1);
    // A 1-pixel line from (0, 0) to (10, 0) is hit at (5, 2) and missed at (5, 3).
    EXPECT_TRUE(PointNearSegment({5, 2}, {0, 0}, {10, 0}, 1));
    EXPECT_FALSE(PointNearSegment({5, 3}, {0, 0}, {10, 0}, 1));

    EXPECT_EQ(HexByte("ff"), 255);
    EXPECT_EQ(HexByte("$1"), 1);
    EXPECT_EQ(HexByte("g1"), 0);

    const QPen pen = CreateStyledPen(3, psDash, Qt::red);
    EXPECT_EQ(pen.width(), 3);
    EXPECT_EQ(pen.style(), Qt::DashLine);
    EXPECT_EQ(pen.capStyle(), Qt::SquareCap);
    EXPECT_EQ(pen.joinStyle(), Qt::RoundJoin);
}

TEST(DataOrigin, DateTimeFunctions)
{
    const QDateTime t(QDate(2003, 12, 26), QTime(12, 6, 18));
    struct Case {
        const char* function;
        const char* text;
        const char* digits;
    } cases[] = {
        {"Fun_Date_MDY", "12-26-2003", "12262003"}, {"Fun_Date_DMY", "26-12-2003", "26122003"},
        {"Fun_Date_YMD", "2003-12-26", "20031226"}, {"Fun_Time_HMS", "12:06:18", "120618"},
        {"Fun_Time_HM", "12:06", "1206"},
    };
    for (const Case& c : cases) {
        QString v;
        EXPECT_TRUE(DateTimeFunctionValue(c.function, false, t, v));
        EXPECT_EQ(v, QString::fromLatin1(c.text));
        EXPECT_TRUE(DateTimeFunctionValue(c.function, true, t, v));
        EXPECT_EQ(v, QString::fromLatin1(c.digits));
    }
    QString v = "kept";
    EXPECT_FALSE(DateTimeFunctionValue("fun_date_ymd", false, t, v));
    EXPECT_EQ(v, QString("kept"));
    EXPECT_EQ(DateTimeFunctionIndex("Fun_Time_HM"), 5);
    // Hours run 00 to 23.
    EXPECT_TRUE(DateTimeFunctionValue("Fun_Time_HM", false, QDateTime(QDate(2003, 1, 1), QTime(23, 5)), v));
    EXPECT_EQ(v, QString("23:05"));
}
