#pragma once

#include "platform/DatagramSocket.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class EventLoop;

struct AdapterAddress {
    std::string IPText;   // dotted
    std::string MaskText; // dotted
};

// One local network adapter as the system lists it.
struct Adapter {
    std::string Description; // the interface name
    uint8_t MAC[6] = {};
    std::vector<AdapterAddress> Addresses; // IPv4, in the system's order
    std::string GatewayText;               // first default gateway of the interface, or empty
};

// Adapters and UDP sockets: the real system, or an in-memory network in tests.
class Network {
public:
    virtual ~Network() = default;
    // Null when the list cannot be had or there is no adapter at all.
    virtual std::optional<std::vector<Adapter>> GetAdapters() = 0;
    virtual std::unique_ptr<DatagramSocket> CreateDatagramSocket(EventLoop& loop) = 0;
};

} // namespace platform
