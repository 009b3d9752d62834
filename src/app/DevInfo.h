#pragma once

#include <cstdint>

// One device found by discovery; copied whole.
struct DevInfo {
    uint32_t LocalIP = 0;   // host order: adapter whose socket heard the reply
    uint32_t LocalMask = 0; // host order
    uint32_t DevIP = 0;     // host order: source address of the reply
    uint8_t MAC[6] = {};
    char DevName[34] = {}; // at most 33 characters
};
