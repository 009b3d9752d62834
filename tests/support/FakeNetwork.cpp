#include "support/FakeNetwork.h"

#include "platform/EventLoop.h"
#include "support/FakeDevice.h"

#include <algorithm>
#include <cstring>
#include <deque>

namespace {
const char* const BROADCAST = "255.255.255.255";
}

class FakeNetwork::Socket : public platform::DatagramSocket {
public:
    Socket(FakeNetwork& net, platform::EventLoop& loop) : net_(net), loop_(loop) {}
    ~Socket() override { Close(); }

    bool Open(const std::string& ipText, uint16_t port, const std::string& interface) override {
        if (handle_ >= 0 || net_.UnbindableIps.count(ipText))
            return false;
        handle_ = net_.nextHandle_++;
        ip_ = ipText.empty() ? "0.0.0.0" : ipText;
        port_ = port ? port : static_cast<uint16_t>(40000 + handle_);
        iface_ = interface;
        net_.sockets_[handle_] = this;
        return true;
    }
    void Close() override {
        if (handle_ < 0)
            return;
        net_.sockets_.erase(handle_);
        handle_ = -1;
        queue_.clear();
    }
    bool IsOpen() const override { return handle_ >= 0; }
    int Handle() const override { return handle_; }
    int ReceiveBufferSize() const override { return handle_ >= 0 ? net_.ReceiveBufferSize : 0; }
    bool StrictReversePathFilter() const override {
        return handle_ >= 0 && net_.StrictReversePathFilter.count(iface_) != 0;
    }
    bool LocalName(std::string& ipText, uint16_t& port) const override {
        if (handle_ < 0)
            return false;
        ipText = ip_;
        port = port_;
        return true;
    }
    bool SendTo(const uint8_t* data, size_t len, uint16_t port,
                const std::string& ipText) override {
        if (handle_ < 0)
            return false;
        net_.SentByPc(Datagram{iface_, ip_, port_, ipText, port, {data, data + len}}, handle_);
        return true;
    }
    int Recv(uint8_t* buf, size_t capacity, uint16_t& srcPort, std::string& srcIp) override {
        if (handle_ < 0 || queue_.empty())
            return -1;
        Datagram d = std::move(queue_.front());
        queue_.pop_front();
        const size_t n = std::min(capacity, d.Data.size());
        std::memcpy(buf, d.Data.data(), n);
        srcPort = d.SrcPort;
        srcIp = d.SrcIp;
        return int(n);
    }
    bool HasPending() override { return !queue_.empty(); }
    void SetOnReadable(std::function<void()> onReadable) override {
        onReadable_ = std::move(onReadable);
    }

    bool Hears(const Datagram& d) const {
        return (iface_.empty() || iface_ == d.Iface) && port_ == d.DstPort &&
               (d.DstIp == BROADCAST || d.DstIp == ip_);
    }
    void Enqueue(const Datagram& d) {
        queue_.push_back(d);
        FakeNetwork* net = &net_;
        const int handle = handle_;
        // Readiness comes on a later turn of the loop, as a real descriptor's would.
        loop_.invokeLater([net, handle] {
            auto it = net->sockets_.find(handle);
            if (it != net->sockets_.end() && it->second->HasPending() && it->second->onReadable_) {
                auto cb = it->second->onReadable_;
                cb();
            }
        });
    }

private:
    FakeNetwork& net_;
    platform::EventLoop& loop_;
    int handle_ = -1;
    std::string ip_;
    uint16_t port_ = 0;
    std::string iface_;
    std::deque<Datagram> queue_;
    std::function<void()> onReadable_;
};

std::unique_ptr<platform::DatagramSocket>
FakeNetwork::CreateDatagramSocket(platform::EventLoop& loop) {
    return std::make_unique<Socket>(*this, loop);
}

platform::Adapter& FakeNetwork::AddAdapter(const std::string& iface, const uint8_t mac[6],
                                           const std::vector<std::string>& ips,
                                           const std::string& gateway) {
    if (!Adapters)
        Adapters.emplace();
    platform::Adapter a;
    a.Description = iface;
    std::memcpy(a.MAC, mac, 6);
    for (const std::string& ip : ips)
        a.Addresses.push_back({ip, "255.255.255.0"});
    a.GatewayText = gateway;
    Adapters->push_back(a);
    return Adapters->back();
}

void FakeNetwork::Attach(FakeDevice& device) {
    devices_.push_back(&device);
}

void FakeNetwork::Detach(FakeDevice& device) {
    devices_.erase(std::remove(devices_.begin(), devices_.end(), &device), devices_.end());
}

void FakeNetwork::DeliverToPc(const Datagram& d) {
    // Copy: a delivery may not change the socket set, but be safe against it.
    std::vector<Socket*> targets;
    for (auto& [handle, socket] : sockets_)
        if (socket->Hears(d))
            targets.push_back(socket);
    for (Socket* s : targets)
        s->Enqueue(d);
}

void FakeNetwork::SentByPc(const Datagram& d, int socketId) {
    SentLog.push_back(d);
    const bool broadcast = d.DstIp == BROADCAST;
    std::vector<FakeDevice*> devices = devices_;
    for (FakeDevice* dev : devices) {
        if (dev->Iface == d.Iface && dev->Listens(d.DstPort) && (broadcast || dev->IP == d.DstIp))
            dev->Receive(d.SrcIp, d.SrcPort, d.DstPort, d.Data);
    }
    if (EchoBroadcastToPc && broadcast) {
        for (auto& [handle, socket] : sockets_)
            if (handle != socketId)
                socket->Enqueue(d);
    }
}
