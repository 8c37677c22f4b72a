#include "OstrelDll.h"
#include "OstrelTestText.h"

#include <gtest/gtest.h>

namespace {

struct MoneyCase {
    const char* in;
    const char* result;
    const char* out;   // MoneyS afterwards
};

void ExpectMoney(const MoneyCase& c)
{
    OstrelFunctionS f;
    std::u16string money = U16(c.in);
    EXPECT_EQ(Utf8(f.MoneyChange(money)), c.result) << "amount " << c.in;
    EXPECT_EQ(Utf8(money), c.out) << "amount " << c.in;
}

TEST(MoneyChange, WritesAmountsAndRoundsTheCallersText)
{
    const MoneyCase cases[] = {
        {"0", "零元", "0"},
        {"0.5", "伍角整", "0.5"},
        {"0.29", "贰角玖分整", "0.29"},
        {"1", "壹元整", "1"},
        {"1.05", "壹元零伍分整", "1.05"},
        {"10.5", "壹拾元零伍角整", "10.5"},
        {"101", "壹佰零壹元整", "101"},
        {"1010", "壹仟零壹拾元整", "1010"},
        {"1234.56", "壹仟贰佰叁拾肆元伍角陆分整", "1234.56"},
        {"10000", "壹万元整", "10000"},
        {"10001", "壹万零壹元整", "10001"},
        {"10000.05", "壹万元零伍分整", "10000.05"},
        {"100010000", "壹亿零壹万元整", "100010000"},
        {"12345678.9", "壹仟贰佰叁拾肆万伍仟陆佰柒拾捌元玖角整", "12345678.9"},
        {"123.456", "壹佰贰拾叁元肆角陆分整", "123.46"},
        {"2.999", "叁元整", "3"},
        {"1000000000000", "壹兆元整", "1000000000000"},
        {"9999999999999.99", "玖兆玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分整", "9999999999999.99"},
        {"10000000000000", "数据错误", "10000000000000"},
        {"abc", "数据错误", "abc"},
    };
    for (const MoneyCase& c : cases) ExpectMoney(c);
}

// Amounts whose 元 went missing or stood alone, and signed amounts that lost their sign.
TEST(MoneyChange, WritesYuanOnlyAfterAYuanPartAndKeepsTheSign)
{
    const MoneyCase cases[] = {
        {"10000.5", "壹万元零伍角整", "10000.5"},
        {"100000000.1", "壹亿元零壹角整", "100000000.1"},
        {"200000.3", "贰拾万元零叁角整", "200000.3"},
        {"0.05", "伍分整", "0.05"},
        {"0.01", "壹分整", "0.01"},
        {"-5.5", "负伍元伍角整", "-5.5"},
        {"-0.001", "零元", "0"},
        {"-10000000000000", "数据错误", "-10000000000000"},
    };
    for (const MoneyCase& c : cases) ExpectMoney(c);
}

TEST(MoneyChange, RefusesTextThatIsNotAPlainNumber)
{
    for (const char* bad : {"", "  ", "12abc", "1,000", "&H10", "inf", "nan", "1e", "."}) {
        OstrelFunctionS f;
        std::u16string money = U16(bad);
        EXPECT_EQ(Utf8(f.MoneyChange(money)), "数据错误") << "text '" << bad << "'";
        EXPECT_EQ(Utf8(money), bad);
    }
}

TEST(MoneyChangeS, WritesNumbersGroupByGroup)
{
    const std::pair<const char*, const char*> cases[] = {
        {"7", "柒"},
        {"15", "壹拾伍"},
        {"101", "壹佰零壹"},
        {"1001", "壹仟零壹"},
        {"10001", "壹万零壹"},
        {"12345", "壹万贰仟叁佰肆拾伍"},
        {"12345678", "壹仟贰佰叁拾肆万伍仟陆佰柒拾捌"},
        {"100000000", "壹亿"},
        {"100000001", "壹亿零壹"},
        {"100010000", "壹亿零壹万"},
        {"3.14", "叁点壹肆"},
        {"20.05", "贰拾点零伍"},
        // A zero whole part is written rather than left out.
        {"0", "零"},
        {"0.5", "零点伍"},
        {".5", "零点伍"},
        {"1000000000000", "壹兆"},
    };
    for (const auto& [in, expected] : cases) {
        OstrelFunctionS f;
        std::u16string number = U16(in);
        EXPECT_EQ(Utf8(f.MoneyChangeS(number)), expected) << "number " << in;
        EXPECT_EQ(Utf8(number), in) << "MoneyS is read only";
    }
}

TEST(MoneyChangeS, FailsWithAStatusForWhatItCannotWrite)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"abc", OstrelStatus::TypeMismatch},
        {"", OstrelStatus::TypeMismatch},
        {"-5", OstrelStatus::InvalidCall},
        {"1000000000000000", OstrelStatus::InvalidCall},
    };
    for (const auto& [in, status] : cases) {
        OstrelFunctionS f;
        std::u16string number = U16(in);
        try {
            f.MoneyChangeS(number);
            ADD_FAILURE() << "no failure for " << in;
        } catch (const OstrelError& e) {
            EXPECT_EQ(e.Status(), status) << in;
        }
    }
}

} // namespace
