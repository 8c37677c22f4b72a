// UTF-16 texts of the library as UTF-8, so tests compare with readable literals and failures print them.
#pragma once

#include <string>

inline std::string Utf8(const std::u16string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size()) c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        if (c < 0x80) out += char(c);
        else if (c < 0x800) out += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        else if (c < 0x10000) out += {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        else out += {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    }
    return out;
}

inline std::u16string U16(const std::string& s)
{
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const unsigned char b = s[i];
        const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= extra; ++k) c = (c << 6) | (s[i + k] & 0x3F);
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += {char16_t(0xD800 + (c >> 10)), char16_t(0xDC00 + (c & 0x3FF))};
        } else {
            out += char16_t(c);
        }
    }
    return out;
}
