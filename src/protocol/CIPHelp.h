#pragma once

#include "platform/Network.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The local network adapters with their IPv4 addresses, masks, first gateway and MAC.
class CIPHelp {
public:
    explicit CIPHelp(platform::Network& network) : Network(network) {}

    // Null when the list cannot be had or holds no adapter at all.
    std::optional<std::vector<platform::Adapter>> GetAdapterList();
    // The adapter holding `wanted` (host order; 0 = the first non-zero address): its mask, its
    // first gateway and, when `mac` is given, its MAC. Without a match, false with the mask and
    // gateway of the first non-zero address.
    bool FindAdapter(uint32_t wanted, std::string& mask, std::string& gateway, uint8_t* mac);

    platform::Network& Network;
};

// Dotted text to a host-order address; 0 for text that is not an IPv4 address.
uint32_t AddressFromText(const std::string& text);
