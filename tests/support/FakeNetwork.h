#pragma once

#include "platform/Network.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform {
class EventLoop;
}
class FakeDevice;

// An in-memory network: adapters as the test sets them, sockets whose datagrams arrive on the
// event loop's next turns, fake devices attached to adapters, and a record of every send.
class FakeNetwork : public platform::Network {
public:
    struct Datagram {
        std::string Iface; // interface it travelled on
        std::string SrcIp;
        uint16_t SrcPort = 0;
        std::string DstIp;
        uint16_t DstPort = 0;
        std::vector<uint8_t> Data;
    };

    std::optional<std::vector<platform::Adapter>> GetAdapters() override { return Adapters; }
    std::unique_ptr<platform::DatagramSocket>
    CreateDatagramSocket(platform::EventLoop& loop) override;

    // A PC adapter with one address per entry of `ips` (mask 255.255.255.0).
    platform::Adapter& AddAdapter(const std::string& iface, const uint8_t mac[6],
                                  const std::vector<std::string>& ips,
                                  const std::string& gateway = "");
    void Attach(FakeDevice& device);
    void Detach(FakeDevice& device);

    // Delivers a datagram to the PC sockets that would receive it on that interface.
    void DeliverToPc(const Datagram& d);
    // Called by the sockets: records and routes a datagram sent by the PC.
    void SentByPc(const Datagram& d, int socketId);

    // Null: the adapter list cannot be had.
    std::optional<std::vector<platform::Adapter>> Adapters = std::vector<platform::Adapter>();
    // Addresses that refuse to be bound (another program holds the port).
    std::set<std::string> UnbindableIps;
    // What every socket reports as its granted receive buffer.
    int ReceiveBufferSize = 4 * 1024 * 1024;
    // Interfaces whose reverse-path filter is strict.
    std::set<std::string> StrictReversePathFilter;
    // A broadcast of the PC is heard back on its other sockets too.
    bool EchoBroadcastToPc = false;
    // Every datagram the PC sent, in order.
    std::vector<Datagram> SentLog;

    class Socket;

private:
    friend class Socket;
    std::map<int, Socket*> sockets_;
    std::vector<FakeDevice*> devices_;
    int nextHandle_ = 1000;
};
