#include "startup/NarrowText.h"

#include <OstrelNarrow.h>

namespace NarrowText {

QByteArray Charset() { return QByteArray::fromStdString(OstrelNarrow::CharsetName()); }

QString ToUnicode(const QByteArray& bytes)
{
    return QString::fromStdU16String(OstrelNarrow::Decode(bytes.toStdString()));
}

QByteArray FromUnicode(const QString& text)
{
    return QByteArray::fromStdString(OstrelNarrow::Encode(text.toStdU16String()));
}

} // namespace NarrowText
