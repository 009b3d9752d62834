#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What one emulated device holds and reports; numbers in host order.
struct DeviceConfig {
    int IPMode = 0; // 1 automatic, 0 static
    uint32_t IPAddr = 0xC0A801FE;
    uint32_t NetMask = 0xFFFFFF00;
    uint32_t Gateway = 0xC0A80101;
    std::string SSID = "Signalmate";
    std::vector<uint8_t> ChannelList{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    int StdChannel = 0;
    int ExtChannel = 0;
    int SecurityMode = 0;
    int AuthMode = 0;
    int WepKeyLen = 0;
    int WepKeyIndex = 0;
    std::string WepKey;
    int WpaMode = 0;
    int WpaCipher = 0;
    std::string WpaPsk;
    uint32_t WpsDevicePin = 12345670;
};

enum class WpsScript { Success, Failure, Idle, Silence };

// The emulator's command line.
struct SimConfig {
    std::array<uint8_t, 6> MAC{0x00, 0x1B, 0x2C, 0x0D, 0x0E, 0x01};
    std::string Name = "NV-5180RX";
    std::string Password = "tumbo";
    DeviceConfig Device;
    uint16_t LoginPort = 0; // 0: the login reply names no port
    bool Unicast = false;
    std::map<int, int> Drop; // opcode -> how many of its first requests are dropped
    uint32_t DelayMs = 0;
    WpsScript Wps = WpsScript::Success;
    uint32_t WpsStepMs = 500;
    uint32_t ConnectTimeoutS = 0; // 0: never
    int Count = 1;
    uint32_t SpreadMs = 0;
    std::string StatePath;
    std::string BindInterface; // empty: the first adapter of the namespace
    std::string BindIP;        // empty: that adapter's first address
};
