// Amounts in Chinese capital numerals.
#include "OstrelDll.h"
#include "OstrelNarrow.h"
#include "TextForms.h"

#include <cmath>

namespace {

const std::u16string kCapitalDigits = u"壹贰叁肆伍陆柒捌玖";
const std::u16string kPlaceUnits = u"分角元拾佰仟万拾佰仟亿拾佰仟兆";   // place n (0 = 分) is entry n
const std::u16string kPlainDigits = u"零壹贰叁肆伍陆柒捌玖";
const std::u16string kGroupInnerUnits[] = {u"", u"拾", u"佰", u"仟"};
const std::u16string kGroupUnits[] = {u"", u"万", u"亿", u"兆"};
constexpr double kLimitYuan = 9999999999999.0;
constexpr int kPlaces = 15;

// The digits of a stretch of the place string as a number; blanks count for nothing.
long long DigitsValue(const std::u16string& places, int first, int count)
{
    long long v = 0;
    for (int k = first; k < first + count; ++k)
        if (places[k] >= u'0' && places[k] <= u'9') v = v * 10 + (places[k] - u'0');
    return v;
}

// The amount in 分, right-aligned in 15 places; index 0 holds place 14 (兆), index 14 place 0 (分).
std::u16string PlaceString(long long cents)
{
    std::u16string digits = OstrelNarrow::FromUtf8(std::to_string(cents));
    return std::u16string(kPlaces - digits.size(), u' ') + digits;
}

std::u16string CapitalAmount(long long cents)
{
    const std::u16string places = PlaceString(cents);
    bool placeSet[kPlaces + 1] = {};   // the place above 兆 is never set
    std::u16string out;
    for (int n = kPlaces - 1; n >= 0; --n) {
        const int index = kPlaces - 1 - n;
        const char16_t c = places[index];
        if (c >= u'1' && c <= u'9') {
            // A zero was skipped between this digit and the one before it.
            if (DigitsValue(places, 0, index) > 0 && !placeSet[n + 1]) out += u"零";
            out += kCapitalDigits[c - u'1'];
            out += kPlaceUnits[n];
            placeSet[n] = true;
            continue;
        }
        placeSet[n] = false;
        // A zero digit writes no unit, so the units that close a group are written here: 元 after any
        // non-zero yuan part, 万 and 亿 after a group whose upper digits are not all zero.
        if (n == 2 && DigitsValue(places, 0, 12) > 0) out += u"元";
        if (n == 6 && DigitsValue(places, 5, 3) > 0) out += u"万";
        if (n == 10 && DigitsValue(places, 1, 3) > 0) out += u"亿";
    }
    return out + u"整";
}

} // namespace

std::u16string OstrelFunctionS::MoneyChange(std::u16string& MoneyS)
{
    double value = 0;
    if (!OstrelText::ParseNumber(MoneyS, value)) return u"数据错误";
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    const double whole = std::floor(magnitude);
    if (whole > kLimitYuan) return u"数据错误";

    // Round the fraction alone to cents, so the whole yuan never pick up representation error.
    const double rounded = whole + std::round((magnitude - whole) * 100.0) / 100.0;
    const long long cents = std::llround(rounded * 100.0);
    MoneyS = OstrelText::DecimalText(negative && cents != 0 ? -rounded : rounded);
    if (cents == 0) return u"零元";
    return (negative ? u"负" : u"") + CapitalAmount(cents);
}

std::u16string OstrelFunctionS::MoneyChangeS(std::u16string& MoneyS)
{
    double value = 0;
    if (!OstrelText::ParseNumber(MoneyS, value))
        throw OstrelError(OstrelStatus::TypeMismatch, "MoneyChangeS: the text is not a number");
    const std::u16string s = OstrelText::DecimalText(value);
    if (value < 0 || s.find(u'E') != std::u16string::npos)
        throw OstrelError(OstrelStatus::InvalidCall, "MoneyChangeS: only numbers from 0 to below 10^15 can be written");

    const size_t point = s.find(u'.');
    const std::u16string whole = s.substr(0, point);
    const int L = int(whole.size());
    int g = L % 4 != 0 ? L / 4 : L / 4 - 1;
    bool zeroPending = false;
    bool groupEmpty = false;
    std::u16string out;
    for (int j = 1; j <= L; ++j) {
        if (L - j - 4 * g == -1) {   // digit j starts the next lower group of four
            if (!groupEmpty) out += kGroupUnits[g];
            --g;
            zeroPending = false;
            groupEmpty = true;
        }
        const int d = whole[j - 1] - u'0';
        if (d == 0) {
            zeroPending = true;
            continue;
        }
        if (zeroPending) out += u"零";
        out += kPlainDigits[d];
        out += kGroupInnerUnits[(L - j) % 4];
        zeroPending = false;
        groupEmpty = false;
    }
    // A whole part of zero is written, so 0 and 0.5 do not come out empty or as a bare point.
    if (out.empty()) out = u"零";
    if (point != std::u16string::npos) {
        out += u"点";
        for (size_t k = point + 1; k < s.size(); ++k) out += kPlainDigits[s[k] - u'0'];
    }
    return out;
}
