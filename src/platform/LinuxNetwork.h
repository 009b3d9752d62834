#pragma once

#include "platform/Network.h"

#include <map>
#include <string>

namespace platform {

// Adapters from getifaddrs and the kernel's route table; sockets are LinuxDatagramSocket.
// Loopback and interfaces that are administratively down are not LAN adapters and are left out.
class LinuxNetwork : public Network {
public:
    std::optional<std::vector<Adapter>> GetAdapters() override;
    std::unique_ptr<DatagramSocket> CreateDatagramSocket(EventLoop& loop) override;

    // First default gateway per interface (lowest metric, then table order) from the text of
    // /proc/net/route.
    static std::map<std::string, std::string> ParseDefaultGateways(const std::string& routeText);
    // The effective reverse-path filter of an interface: the larger of "all" and its own; -1
    // when it cannot be read.
    static int ReversePathFilter(const std::string& interface);
};

} // namespace platform
