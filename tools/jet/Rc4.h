// RC4, with which Jet stores a block of its database definition page (under a fixed key).
#pragma once

#include <cstdint>
#include <utility>

namespace jet {

inline void Rc4(const uint8_t* key, int keyLength, uint8_t* data, int length)
{
    uint8_t s[256];
    for (int i = 0; i < 256; ++i) s[i] = static_cast<uint8_t>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % keyLength]) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xff];
    }
}

// The key of the definition page's block: 0x6b39dac7, little-endian.
inline constexpr uint8_t kHeaderKey[4] = {0xc7, 0xda, 0x39, 0x6b};

} // namespace jet
