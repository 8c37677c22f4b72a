// Texts in the narrow character set: what the settings file and the ANSI text exports hold. It is the
// locale's set when that is a legacy multi-byte set such as GBK, UTF-8 in every other case.
#pragma once

#include <QByteArray>
#include <QString>

namespace NarrowText {
// Characters the set cannot hold become "?".
QByteArray Encode(const QString& text);
// Bytes that are not text of the set become U+FFFD.
QString Decode(const QByteArray& bytes);
}
