// The text and number rules every window shares.
#pragma once

#include <QString>
#include <QVariant>

namespace TextRules {

// Numeric value of text: the longest leading decimal number ("." always the decimal point, blanks inside
// skipped, optional sign and exponent). No leading number, "", or Null give 0. "12.5 kg" -> 12.5, "75%" -> 75.
double NumericValue(const QString& text);
double NumericValue(const QVariant& value);
// The same reading, telling whether the text has a leading number at all ("0 kg" has, "n/a" has not).
bool LeadingNumber(const QString& text, double& value);

// Strict conversion: the whole text (blanks around allowed) must be a number in the user's locale.
bool StrictNumber(const QString& text, double& result);
bool StrictNumber(const QVariant& value, double& result);

// The standard number-to-text form: 15 significant digits (7 for single precision), no trailing zeros,
// no thousands separators, the locale's decimal separator, exponent form only for extreme magnitudes.
QString DecimalText(double value);
QString DecimalTextSingle(float value);

// Pattern "0.00": at least one digit before the separator, exactly two after.
QString TwoDecimalText(double value);

// Text of a database value for display: Null gives "", numbers their decimal text.
QString DisplayText(const QVariant& value);

// The English part of a bilingual name ("螺栓 BOLT"): after the first space of the name with its outer spaces
// removed; a name without a space is its own English part.
QString EnglishPart(const QString& name);

} // namespace TextRules
