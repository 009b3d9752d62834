#include "protocol/Rc4.h"

#include <utility>

void Rc4Crypt(const uint8_t* key, int keyLen, uint8_t* data, size_t len) {
    if (keyLen <= 0 || !key) {
        key = reinterpret_cast<const uint8_t*>(RC4_DEFAULT_KEY);
        keyLen = RC4_DEFAULT_KEY_SIZE;
    }
    uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<uint8_t>(i);
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + s[i] + key[i % keyLen]);
        std::swap(s[i], s[j]);
    }
    uint8_t i = 0;
    j = 0;
    for (size_t k = 0; k < len; ++k) {
        i = static_cast<uint8_t>(i + 1);
        j = static_cast<uint8_t>(j + s[i]);
        std::swap(s[i], s[j]);
        data[k] ^= s[static_cast<uint8_t>(s[i] + s[j])];
    }
}
