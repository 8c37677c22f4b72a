// Text files in the system's narrow character set (support texts, the basket's text export): the locale's
// character set when it is a legacy one such as GBK (a zh_CN.GBK locale), UTF-8 in every other case,
// the C/POSIX locale included. The rule is the utility library's, so settings and text files agree.
#pragma once

#include <QByteArray>
#include <QString>

namespace NarrowText {

// The narrow character set in force, as iconv names it ("UTF-8", "GBK", ...).
QByteArray Charset();

// Bytes of the narrow set to text; a byte sequence the set does not define becomes U+FFFD.
QString ToUnicode(const QByteArray& bytes);
// Text to bytes of the narrow set; a character the set cannot hold becomes "?".
QByteArray FromUnicode(const QString& text);

} // namespace NarrowText
