// Conversion between UTF-16 and the locale's narrow character set: the locale's own set when it is a legacy
// multi-byte set such as GBK (a zh_CN.GBK locale), UTF-8 in every other case (the C locale included).
#pragma once

#include <string>

namespace OstrelNarrow {
// Name of the narrow set in use, as iconv knows it ("GBK", "UTF-8", ...).
std::string CharsetName();
// Characters the set cannot hold become "?"; bytes that are not valid text become U+FFFD.
std::string Encode(const std::u16string& text);
std::u16string Decode(const std::string& bytes);
// UTF-8 form, for file names (always UTF-8 here, whatever the narrow set).
std::string Utf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& bytes);
// The longest prefix of bytes of at most maxBytes that does not split a character.
std::string CutToBytes(const std::string& bytes, size_t maxBytes);
}
