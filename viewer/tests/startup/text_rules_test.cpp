// The shared text and number rules.
#include "startup/TextRules.h"

#include <gtest/gtest.h>

using namespace TextRules;

TEST(TextRules, NumericValueReadsTheLeadingNumber)
{
    struct Case { const char* text; double expected; } cases[] = {
        {"12.5 kg", 12.5}, {"75%", 75}, {"", 0}, {"abc", 0}, {"  -3.25", -3.25}, {"1 000", 1000},
        {"1.5e3x", 1500}, {"2e", 2}, {".5", 0.5}, {"+7", 7}, {"1.2.3", 1.2}, {"-", 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(QString::fromUtf8(c.text)), c.expected) << c.text;
        // Whether a number was there at all: only the texts whose first non-blank is a digit, sign or point.
        double v = -1;
        const bool has = LeadingNumber(QString::fromUtf8(c.text), v);
        EXPECT_EQ(has, c.expected != 0) << c.text;
        EXPECT_DOUBLE_EQ(v, c.expected) << c.text;
    }
    double zero = -1;
    EXPECT_TRUE(LeadingNumber(QStringLiteral("0 kg"), zero));
    EXPECT_EQ(zero, 0.0);
    EXPECT_EQ(NumericValue(QVariant()), 0.0);
    EXPECT_EQ(NumericValue(QVariant(12.5)), 12.5);
}

TEST(TextRules, StrictNumberAcceptsOnlyWholeNumbers)
{
    struct Case { const char* text; bool ok; double value; } cases[] = {
        {"12.5", true, 12.5}, {" 1.50 ", true, 1.5}, {"-2", true, -2}, {"", false, 0},
        {"12.5 kg", false, 0}, {"abc", false, 0}, {"1e3", true, 1000},
    };
    for (const Case& c : cases) {
        double v = -99;
        EXPECT_EQ(StrictNumber(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    double v = 0;
    EXPECT_FALSE(StrictNumber(QVariant(), v));
    EXPECT_TRUE(StrictNumber(QVariant(3), v));
    EXPECT_EQ(v, 3);
}

TEST(TextRules, DecimalTexts)
{
    EXPECT_EQ(DecimalText(12.5), "12.5");
    EXPECT_EQ(DecimalText(25), "25");
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(0.1 + 0.2), "0.3");
    EXPECT_EQ(DecimalText(1e15), "1E+15");
    EXPECT_EQ(DecimalText(123456789012345.0), "123456789012345");
    EXPECT_EQ(DecimalText(-0.0001), "-0.0001");
    EXPECT_EQ(DecimalTextSingle(7986.0f), "7986");
    EXPECT_EQ(DecimalTextSingle(6000.0f * 1.1f), "6600");
    EXPECT_EQ(DecimalTextSingle(0.1f), "0.1");
    EXPECT_EQ(TwoDecimalText(12.5), "12.50");
    EXPECT_EQ(TwoDecimalText(0), "0.00");
    EXPECT_EQ(TwoDecimalText(1234567.891), "1234567.89");
    EXPECT_EQ(TwoDecimalText(0.005), "0.01");
    EXPECT_EQ(DisplayText(QVariant()), "");
    EXPECT_EQ(DisplayText(QVariant(1.50)), "1.5");
}
