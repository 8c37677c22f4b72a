#include "TextForms.h"

#include <cctype>
#include <cmath>
#include <charconv>

namespace OstrelText {

std::u16string DecimalText(double value)
{
    if (value == 0.0) return u"0";
    // to_chars ignores the C locale, which a client may have set to one with a decimal comma.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::u16string out;
    for (const char* p = buf; p != r.ptr; ++p) out += char16_t(*p == 'e' ? 'E' : *p);
    return out;
}

bool ParseNumber(const std::u16string& text, double& value)
{
    std::string s;
    for (char16_t c : text) {
        if (c > 0x7F) return false;
        s += char(c);
    }
    size_t b = s.find_first_not_of(" \t");
    size_t e = s.find_last_not_of(" \t");
    if (b == std::string::npos) return false;
    s = s.substr(b, e - b + 1);
    // Only the plain decimal form: sign, digits with one optional point, optional exponent.
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    const char* first = s.c_str();
    if (*first == '+') ++first;   // from_chars takes no plus sign
    double v = 0;
    const auto r = std::from_chars(first, s.c_str() + s.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

} // namespace OstrelText
