#pragma once

#include "platform/DatagramSocket.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {
class EventLoop;
class MessageTarget;
class Network;
} // namespace platform

// One UDP socket on one local adapter. Each waiting datagram is handed to the protocol window
// by a synchronous NotifyMsg, one at a time.
class CUDPSocket {
public:
    // The event word's read bit, as the notification carries it.
    static constexpr uint32_t FD_READ_EVENT = 1;

    CUDPSocket(platform::EventLoop& loop, platform::Network& network);
    ~CUDPSocket();
    CUDPSocket(const CUDPSocket&) = delete;
    CUDPSocket& operator=(const CUDPSocket&) = delete;

    bool Open(platform::MessageTarget* notifyWnd, uint32_t notifyMsg);
    bool CreateSocket();
    void Close();
    bool SendTo(const uint8_t* data, size_t len, uint16_t port, const std::string& ipText);
    // One datagram; its size, 0 when closed, -1 on error.
    int Recv(uint8_t* buf, size_t capacity, uint16_t& srcPort, std::string& srcIp);
    // A readiness notification for `sock` with the event word `event`.
    void OnUMSocket(int sock, uint32_t event);
    // The socket handle, -1 when closed.
    int Handle() const;

    std::unique_ptr<platform::DatagramSocket> Sock;
    platform::MessageTarget* NotifyWnd = nullptr;
    uint32_t NotifyMsg = 0;
    uint8_t MAC[6] = {};
    std::string IPText;
    std::string MaskText;
    uint16_t Port = 0;
    std::string Iface; // the adapter's description: the interface the socket is bound to

private:
    void OnReadable();

    platform::EventLoop& loop_;
    platform::Network& network_;
    // Lets a notification loop notice that handling a datagram destroyed this socket.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
