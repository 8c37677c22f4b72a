// Text conversions shared by the library's classes.
#pragma once

#include <string>

namespace OstrelText {

// UTF-16 to UTF-8 and back; file names, host names and X11 titles are UTF-8 here.
std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);

// The standard number-to-text form: up to 15 significant digits, no trailing zeros, "." as the decimal
// point, exponent form ("1E+15") only for extreme magnitudes.
std::u16string DecimalText(double value);

// The whole text, blanks around allowed, as a decimal number (optional sign, fraction and exponent).
// Infinity, NaN, hexadecimal and thousands separators are refused.
bool ParseNumber(const std::u16string& text, double& value);

} // namespace OstrelText
