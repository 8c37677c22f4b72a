#include "startup/NarrowText.h"

#include <QList>
#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>

namespace NarrowText {

namespace {

bool IsUtf8(const QByteArray& charset)
{
    const QByteArray c = charset.toUpper();
    // ASCII is what the C/POSIX locale reports; it cannot hold a Chinese name, so UTF-8 stands for it.
    return c.isEmpty() || c == "UTF-8" || c == "UTF8" || c == "ANSI_X3.4-1968" || c == "ASCII" || c == "US-ASCII";
}

// Converts with iconv, putting `replacement` (in the target set) for each input unit it cannot convert.
QByteArray Convert(const QByteArray& in, const char* from, const char* to, const QByteArray& replacement,
                   int inputUnit)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return QByteArray();
    QByteArray out;
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = size_t(in.size());
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, int(dst - buffer));
        if (rc != size_t(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or an incomplete sequence at the end: replace one unit and go on.
        out.append(replacement);
        const size_t skip = std::min(size_t(inputUnit), srcLeft);
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);   // a stateful set's closing sequence
    out.append(buffer, int(dst - buffer));
    iconv_close(cd);
    return out;
}

} // namespace

QByteArray Charset()
{
    const QByteArray codeset = nl_langinfo(CODESET);
    return IsUtf8(codeset) ? QByteArray("UTF-8") : codeset;
}

QString ToUnicode(const QByteArray& bytes, const QByteArray& charset)
{
    if (IsUtf8(charset)) return QString::fromUtf8(bytes);
    return QString::fromUtf8(Convert(bytes, charset.constData(), "UTF-8", QByteArray("\xEF\xBF\xBD"), 1));
}

QByteArray FromUnicode(const QString& text, const QByteArray& charset)
{
    if (IsUtf8(charset)) return text.toUtf8();
    // UTF-32 input, so one unit is one character whatever its plane.
    const QList<uint> ucs4 = text.toUcs4();
    const QByteArray in(reinterpret_cast<const char*>(ucs4.constData()), int(ucs4.size() * sizeof(uint)));
    return Convert(in, "UTF-32LE", charset.constData(), QByteArray("?"), 4);
}

QString ToUnicode(const QByteArray& bytes) { return ToUnicode(bytes, Charset()); }
QByteArray FromUnicode(const QString& text) { return FromUnicode(text, Charset()); }

} // namespace NarrowText
