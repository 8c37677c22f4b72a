#include "startup/NarrowText.h"

#include <OstrelNarrow.h>

// One rule for the whole program: the utility library's, which the settings file is written with.
namespace NarrowText {

QByteArray Encode(const QString& text)
{
    const std::string bytes = OstrelNarrow::Encode(text.toStdU16String());
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString Decode(const QByteArray& bytes)
{
    return QString::fromStdU16String(OstrelNarrow::Decode(std::string(bytes.constData(), size_t(bytes.size()))));
}

} // namespace NarrowText
