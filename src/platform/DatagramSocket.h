#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// A UDP socket with broadcast allowed. Readiness comes through the event loop it was made on.
class DatagramSocket {
public:
    virtual ~DatagramSocket() = default;

    // Binds to ip:port ("" = any address) on the named interface ("" = any). The socket then
    // receives datagrams sent to that address and broadcasts arriving on that interface.
    virtual bool Open(const std::string& ipText, uint16_t port, const std::string& interface) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual int Handle() const = 0;
    // The bound address and port.
    virtual bool LocalName(std::string& ipText, uint16_t& port) const = 0;
    virtual bool SendTo(const uint8_t* data, size_t len, uint16_t port,
                        const std::string& ipText) = 0;
    // One datagram; its size, or -1 on error (including nothing waiting).
    virtual int Recv(uint8_t* buf, size_t capacity, uint16_t& srcPort, std::string& srcIp) = 0;
    // Whether a datagram is waiting now.
    virtual bool HasPending() = 0;
    // Called on the loop whenever datagrams are waiting.
    virtual void SetOnReadable(std::function<void()> onReadable) = 0;
    // The receive buffer the system granted (bytes, as it reports them); 0 when closed.
    virtual int ReceiveBufferSize() const = 0;
    // Whether the interface's strict reverse-path filter drops replies from another subnet.
    virtual bool StrictReversePathFilter() const = 0;
};

} // namespace platform
