// Number texts shared by the library's classes.
#pragma once

#include <string>

namespace OstrelText {

// The standard number-to-text form: up to 15 significant digits, no trailing zeros, "." as the decimal
// point, exponent form ("1E+15") only for extreme magnitudes.
std::u16string DecimalText(double value);

// The whole text, blanks around allowed, as a decimal number (optional sign, fraction and exponent).
// Infinity, NaN, hexadecimal and thousands separators are refused.
bool ParseNumber(const std::u16string& text, double& value);

} // namespace OstrelText
