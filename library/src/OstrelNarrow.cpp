#include "OstrelNarrow.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <vector>

namespace OstrelNarrow {

namespace {
std::string Upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// Runs iconv over the whole input; where it cannot convert it writes the replacement and skips one unit.
std::string Convert(const char* to, const char* from, const char* in, size_t inLen, size_t unit,
                    const std::string& replacement)
{
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    std::vector<char> buffer(4096);
    char* src = const_cast<char*>(in);
    size_t left = inLen;
    while (left > 0) {
        char* dst = buffer.data();
        size_t room = buffer.size();
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buffer.data(), dst - buffer.data());
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out += replacement;
            const size_t skip = std::min(unit, left);
            src += skip;
            left -= skip;
        }
    }
    char* dst = buffer.data();
    size_t room = buffer.size();
    iconv(cd, nullptr, nullptr, &dst, &room);
    out.append(buffer.data(), dst - buffer.data());
    iconv_close(cd);
    return out;
}
} // namespace

std::string CharsetName()
{
    const std::string set = Upper(nl_langinfo(CODESET));
    static const char* legacy[] = {"GBK", "GB2312", "GB18030", "BIG5", "BIG5-HKSCS", "EUC-JP", "EUC-KR",
                                   "EUC-TW", "SHIFT_JIS", "SJIS", "CP936", "CP949", "CP950", "EUC-CN"};
    for (const char* l : legacy)
        if (set == l) return set;
    return "UTF-8";
}

std::string Encode(const std::u16string& text)
{
    const std::string set = CharsetName();
    return Convert(set.c_str(), "UTF-16LE", reinterpret_cast<const char*>(text.data()), text.size() * 2, 2, "?");
}

std::string Utf8(const std::u16string& text)
{
    return Convert("UTF-8", "UTF-16LE", reinterpret_cast<const char*>(text.data()), text.size() * 2, 2, "?");
}

namespace {
std::u16string ToUtf16(const std::string& bytes, const char* set)
{
    const std::string replacement("\xFD\xFF", 2);   // U+FFFD in UTF-16LE
    const std::string wide = Convert("UTF-16LE", set, bytes.data(), bytes.size(), 1, replacement);
    std::u16string out(wide.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(wide[2 * i]) |
                                       (static_cast<unsigned char>(wide[2 * i + 1]) << 8));
    return out;
}
} // namespace

std::u16string Decode(const std::string& bytes) { return ToUtf16(bytes, CharsetName().c_str()); }

std::u16string FromUtf8(const std::string& bytes) { return ToUtf16(bytes, "UTF-8"); }

std::string CutToBytes(const std::string& bytes, size_t maxBytes)
{
    if (bytes.size() <= maxBytes) return bytes;
    const bool utf8 = CharsetName() == "UTF-8";
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = bytes[i];
        size_t len = 1;
        if (utf8) len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        else if (c >= 0x81 && c <= 0xFE)
            // GB18030 four-byte sequences have a digit as their second byte.
            len = (i + 1 < bytes.size() && bytes[i + 1] >= '0' && bytes[i + 1] <= '9') ? 4 : 2;
        if (i + len > maxBytes) break;
        i += len;
    }
    return bytes.substr(0, i);
}

} // namespace OstrelNarrow
