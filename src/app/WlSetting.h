#pragma once

#include <cstdint>

// A device's wireless settings; text fields are NUL-terminated.
struct WlSetting {
    char SSID[33] = {};
    uint8_t StdChannel = 0; // 0 automatic
    uint8_t ExtChannel = 0;
    uint8_t ChannelList[256] = {}; // one channel per byte, then 0
    int32_t SecurityMode = 0;      // 0 none, 1 WEP, 2 WPA-PSK, 3 WPA
    int32_t AuthMode = 0;          // 0 open, 1 shared, 2 automatic
    int32_t WepKeyLen = 0;         // 0 64 bit, 1 128 bit
    int32_t WepKeyIndex = 0;
    char WepKey[128] = {};
    int32_t WpaMode = 0;   // 0 WPA, 1 WPA2, 2 either
    int32_t WpaCipher = 0; // 0 TKIP, 1 AES, 2 both
    char WpaPsk[128] = {};
    uint32_t WpsDevicePin = 0;
    uint32_t WpsPin = 0;
};
