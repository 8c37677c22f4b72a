#include "startup/TextRules.h"

#include <QLocale>
#include <cmath>
#include <cstdio>

namespace TextRules {

double NumericValue(const QString& text)
{
    double value = 0.0;
    LeadingNumber(text, value);
    return value;
}

bool LeadingNumber(const QString& text, double& value)
{
    value = 0.0;
    // Collect the leading number with blanks removed, then let the C library read it.
    QString digits;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] { while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i; };
    skipBlanks();
    if (i < n && (text[i] == '+' || text[i] == '-')) { digits += text[i]; ++i; }
    bool any = false, point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == ' ' || c == '\t') continue;
        if (c.isDigit() && c.unicode() < 128) { digits += c; any = true; }
        else if (c == '.' && !point) { digits += c; point = true; }
        else break;
    }
    if (!any) return false;
    // Optional exponent, kept only when digits follow it.
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        int j = i + 1;
        QString exp = QStringLiteral("e");
        while (j < n && text[j] == ' ') ++j;
        if (j < n && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        bool expDigits = false;
        for (; j < n; ++j) {
            if (text[j] == ' ') continue;
            if (text[j].isDigit() && text[j].unicode() < 128) { exp += text[j]; expDigits = true; }
            else break;
        }
        if (expDigits) digits += exp;
    }
    value = std::strtod(digits.toLatin1().constData(), nullptr);
    return true;
}

double NumericValue(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) return 0.0;
    switch (value.typeId()) {
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Int: case QMetaType::LongLong:
    case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::Bool:
        return value.toDouble();
    default:
        return NumericValue(value.toString());
    }
}

bool StrictNumber(const QString& text, double& result)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    const QLocale locale = QLocale::system();
    double v = locale.toDouble(t, &ok);
    if (!ok) return false;
    if (!std::isfinite(v)) return false;
    result = v;
    return true;
}

bool StrictNumber(const QVariant& value, double& result)
{
    if (value.isNull() || !value.isValid()) return false;
    switch (value.typeId()) {
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Int: case QMetaType::LongLong:
    case QMetaType::UInt: case QMetaType::ULongLong:
        result = value.toDouble();
        return true;
    default:
        return StrictNumber(value.toString(), result);
    }
}

static QString GeneralText(double value, int digits)
{
    if (value == 0.0) return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, value);
    QString s = QString::fromLatin1(buf);
    // %G strips trailing zeros already; it writes at least two exponent digits as the classic form does.
    const QChar sep = QLocale::system().decimalPoint().at(0);
    if (sep != '.') s.replace('.', sep);
    return s;
}

QString DecimalText(double value) { return GeneralText(value, 15); }
QString DecimalTextSingle(float value) { return GeneralText(static_cast<double>(value), 7); }

QString TwoDecimalText(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    QString s = QString::fromLatin1(buf);
    if (s == QLatin1String("-0.00")) s = QStringLiteral("0.00");
    const QChar sep = QLocale::system().decimalPoint().at(0);
    if (sep != '.') s.replace('.', sep);
    return s;
}

QString DisplayText(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) return QString();
    switch (value.typeId()) {
    case QMetaType::Double: case QMetaType::Float:
        return DecimalText(value.toDouble());
    default:
        return value.toString();
    }
}

QString EnglishPart(const QString& name)
{
    int first = 0, last = int(name.size());
    while (first < last && name[first] == QLatin1Char(' ')) ++first;
    while (last > first && name[last - 1] == QLatin1Char(' ')) --last;
    const QString trimmed = name.mid(first, last - first);
    const int space = trimmed.indexOf(QLatin1Char(' '));
    return space < 0 ? trimmed : trimmed.mid(space + 1);
}

} // namespace TextRules
