#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// Copies text into a fixed char field, cut to the field's capacity and always NUL-terminated.
template <size_t N> void SetFixedText(char (&field)[N], std::string_view text) {
    static_assert(N > 0);
    size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, N - n);
}

// The text of a fixed char field up to its terminator (or its capacity, if it has none).
template <size_t N> std::string FixedText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}
