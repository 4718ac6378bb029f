#include "document/SystemText.h"

#include <gtest/gtest.h>

TEST(SystemText, AsciiIsIdenticalBothWays)
{
    QByteArray ascii;
    for (int c = 0; c < 128; ++c)
        ascii += char(c);
    EXPECT_EQ(EncodeSystemText(DecodeSystemText(ascii)), ascii);
}

TEST(SystemText, ValidUtf8ReadsAsUtf8InvalidAsWindows1252)
{
    EXPECT_EQ(DecodeSystemText(QByteArray("M\xC3\xBCller")), QString::fromUtf8("Müller"));
    // 0x80 is the euro sign and 0xFC a u with diaeresis in Windows-1252; neither forms UTF-8 here.
    EXPECT_EQ(DecodeSystemText(QByteArray("\x80 M\xFCller")), QString::fromUtf8("€ Müller"));
    EXPECT_EQ(DecodeSystemText(QByteArray("\x93quoted\x94")), QString::fromUtf8("“quoted”"));
    // Each line decides for itself.
    EXPECT_EQ(DecodeSystemText(QByteArray("Gr\xC3\xBC\xC3\x9F"
                                          "e \xE2\x82\xAC\r\nM\xFCller\r\n")),
              QString::fromUtf8("Grüße €\r\nMüller\r\n"));
}

TEST(SystemText, RejectsMalformedUtf8)
{
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xC0\xAF")));          // overlong
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xED\xA0\x80")));      // surrogate
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xF4\x90\x80\x80")));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8(QByteArray("\xE2\x82")));          // cut short
    EXPECT_TRUE(IsValidUtf8(QByteArray("\xF0\x9F\x98\x80")));
}
