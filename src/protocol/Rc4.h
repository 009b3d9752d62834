#pragma once

#include <cstddef>
#include <cstdint>

// The key used when the password is empty.
constexpr char RC4_DEFAULT_KEY[] = "qmzpvhtgan7281bcxwoy";
constexpr int RC4_DEFAULT_KEY_SIZE = sizeof(RC4_DEFAULT_KEY) - 1;

// RC4 in place with a fresh key schedule; its own inverse. keyLen <= 0 uses the built-in key.
void Rc4Crypt(const uint8_t* key, int keyLen, uint8_t* data, size_t len);
