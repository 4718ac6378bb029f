#include "engine/datasheet/SequenceGenerator.h"

#include "common/DatasheetTestUtil.h"

#include <gtest/gtest.h>

TEST(Sequence, Examples)
{
    struct Case {
        const char* name;
        TSequenceSettings settings;
        QStringList first;  // leading values
        int count;
        QString last;
    };
    const QList<Case> cases = {
        {"width from To", {"A-", "1", "100", "", 1, 1}, {"A-001", "A-002"}, 100, "A-100"},
        {"repeat and step", {"", "8", "12", "", 2, 2}, {"08", "08", "10", "10", "12", "12"}, 6, "12"},
        {"one value", {"", "5", "5", "", 1, 1}, {"5"}, 1, "5"},
        {"zeros of From do not count", {"", "010", "15", "", 1, 1}, {"10", "11"}, 6, "15"},
        {"step past the end", {"#", "1", "10", "/x", 1, 3}, {"#01/x", "#04/x", "#07/x", "#10/x"}, 4, "#10/x"},
        {"blanks around numbers", {"", " 7", "9 ", "", 1, 1}, {"7", "8", "9"}, 3, "9"},
        {"negative numbers pad after the sign", {"", "-2", "100", "", 1, 51}, {"-02", "049"}, 3, "100"},
        {"64-bit To", {"S", "9223372036854775800", "9223372036854775807", "", 1, 1}, {"S9223372036854775800"}, 8,
         "S9223372036854775807"},
        {"the most values", {"", "1", "500000", "", 2, 1}, {"000001", "000001"}, 1000000, "500000"},
    };
    for (const Case& c : cases) {
        QStringList values{"stale"};
        EXPECT_EQ(GenerateSequence(c.settings, values), QString()) << c.name;
        ASSERT_EQ(values.size(), c.count) << c.name;
        EXPECT_EQ(values.mid(0, int(c.first.size())), c.first) << c.name;
        EXPECT_EQ(values.back(), c.last) << c.name;
    }
}

TEST(Sequence, Errors)
{
    struct Case {
        TSequenceSettings settings;
        QString error;
    };
    const QString tooMany = QStringLiteral("A sequence can hold at most 1000000 values");
    const QList<Case> cases = {
        {{"", "", "5", "", 1, 1}, "'' is not a valid integer value"},
        {{"", "1", "x9", "", 1, 1}, "'x9' is not a valid integer value"},
        {{"", "1.5", "9", "", 1, 1}, "'1.5' is not a valid integer value"},
        {{"", "1", "99999999999999999999", "", 1, 1}, "'99999999999999999999' is not a valid integer value"},
        {{"", "12", "8", "", 1, 1}, "Begine number must less than End number!"},
        {{"", "1", "1000001", "", 1, 1}, tooMany},
        {{"", "1", "500001", "", 2, 1}, tooMany},
        {{"", "-9223372036854775808", "9223372036854775807", "", 100, 100}, tooMany},
    };
    for (const Case& c : cases) {
        QStringList values;
        const QString error = GenerateSequence(c.settings, values);
        EXPECT_TRUE(error.startsWith(c.error)) << error.toStdString();
        EXPECT_TRUE(values.isEmpty());
    }
}
