#pragma once

#include "platform/DatagramSocket.h"

namespace platform {

class EventLoop;

// A non-blocking IPv4 UDP socket with broadcast allowed. Opened on an interface, it is bound to
// the any-address and the interface, so that it hears both datagrams to the adapter's address and
// limited broadcasts arriving there, and its broadcasts leave through that interface.
class LinuxDatagramSocket : public DatagramSocket {
public:
    // What the socket asks the kernel for; a burst of replies from many devices must fit.
    static constexpr int WANTED_RCVBUF = 4 * 1024 * 1024;

    explicit LinuxDatagramSocket(EventLoop& loop);
    ~LinuxDatagramSocket() override;
    LinuxDatagramSocket(const LinuxDatagramSocket&) = delete;
    LinuxDatagramSocket& operator=(const LinuxDatagramSocket&) = delete;

    bool Open(const std::string& ipText, uint16_t port, const std::string& interface) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }
    int Handle() const override { return fd_; }
    bool LocalName(std::string& ipText, uint16_t& port) const override;
    bool SendTo(const uint8_t* data, size_t len, uint16_t port, const std::string& ipText) override;
    int Recv(uint8_t* buf, size_t capacity, uint16_t& srcPort, std::string& srcIp) override;
    bool HasPending() override;
    void SetOnReadable(std::function<void()> onReadable) override;

    int ReceiveBufferSize() const override { return rcvbuf_; }
    bool StrictReversePathFilter() const override { return strictRpFilter_; }

private:
    EventLoop& loop_;
    int fd_ = -1;
    int rcvbuf_ = 0;
    bool strictRpFilter_ = false;
    unsigned ifindex_ = 0;
    std::string ipText_;
    uint16_t port_ = 0;
    std::function<void()> onReadable_;
};

} // namespace platform
