#include "platform/LinuxDatagramSocket.h"

#include "platform/EventLoop.h"
#include "platform/LinuxNetwork.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

LinuxDatagramSocket::LinuxDatagramSocket(EventLoop& loop) : loop_(loop) {}

LinuxDatagramSocket::~LinuxDatagramSocket() {
    Close();
}

bool LinuxDatagramSocket::Open(const std::string& ipText, uint16_t port,
                               const std::string& interface) {
    Close();
    in_addr wanted{};
    wanted.s_addr = htonl(INADDR_ANY);
    if (!ipText.empty() && inet_pton(AF_INET, ipText.c_str(), &wanted) != 1)
        return false;

    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0)
        return false;
    auto fail = [fd] {
        ::close(fd);
        return false;
    };
    const int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0)
        return fail();

    // The forced size passes the system's cap when we may; otherwise take what the cap allows.
    const int wanted_size = WANTED_RCVBUF;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &wanted_size, sizeof wanted_size) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &wanted_size, sizeof wanted_size);
    int granted = 0;
    socklen_t glen = sizeof granted;
    ::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &granted, &glen);

    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr = wanted;
    unsigned ifindex = 0;
    if (!interface.empty()) {
        ifindex = if_nametoindex(interface.c_str());
        if (ifindex == 0 || ::setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, interface.c_str(),
                                         socklen_t(interface.size())) != 0)
            return fail();
        // On the interface, unicast to the adapter's address and limited broadcasts both arrive.
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
    }
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return fail();

    sockaddr_in bound{};
    socklen_t blen = sizeof bound;
    port_ = port;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &blen) == 0)
        port_ = ntohs(bound.sin_port);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, interface.empty() ? &bound.sin_addr : &wanted, text, sizeof text);
    ipText_ = text;
    fd_ = fd;
    rcvbuf_ = granted;
    ifindex_ = ifindex;

    strictRpFilter_ = !interface.empty() && LinuxNetwork::ReversePathFilter(interface) == 1;

    loop_.watchReadable(fd_, [this] {
        if (onReadable_)
            onReadable_();
    });
    return true;
}

void LinuxDatagramSocket::Close() {
    if (fd_ < 0)
        return;
    loop_.unwatch(fd_);
    ::close(fd_);
    fd_ = -1;
    rcvbuf_ = 0;
    strictRpFilter_ = false;
}

bool LinuxDatagramSocket::LocalName(std::string& ipText, uint16_t& port) const {
    if (fd_ < 0)
        return false;
    ipText = ipText_;
    port = port_;
    return true;
}

bool LinuxDatagramSocket::SendTo(const uint8_t* data, size_t len, uint16_t port,
                                 const std::string& ipText) {
    if (fd_ < 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (inet_pton(AF_INET, ipText.c_str(), &to.sin_addr) != 1)
        return false;

    iovec iov{const_cast<uint8_t*>(data), len};
    msghdr msg{};
    msg.msg_name = &to;
    msg.msg_namelen = sizeof to;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    // Bound to the any-address, the source would be the interface's primary address: name ours.
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    if (ifindex_ != 0) {
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        cmsghdr* cm = CMSG_FIRSTHDR(&msg);
        cm->cmsg_level = IPPROTO_IP;
        cm->cmsg_type = IP_PKTINFO;
        cm->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_ifindex = int(ifindex_);
        inet_pton(AF_INET, ipText_.c_str(), &info.ipi_spec_dst);
        std::memcpy(CMSG_DATA(cm), &info, sizeof info);
    }
    ssize_t n;
    do {
        n = ::sendmsg(fd_, &msg, 0);
    } while (n < 0 && errno == EINTR);
    return n == ssize_t(len);
}

int LinuxDatagramSocket::Recv(uint8_t* buf, size_t capacity, uint16_t& srcPort,
                              std::string& srcIp) {
    if (fd_ < 0)
        return 0;
    sockaddr_in from{};
    socklen_t flen = sizeof from;
    ssize_t n;
    do {
        n = ::recvfrom(fd_, buf, capacity, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &flen);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return -1;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    srcIp = text;
    srcPort = ntohs(from.sin_port);
    return int(n);
}

bool LinuxDatagramSocket::HasPending() {
    if (fd_ < 0)
        return false;
    uint8_t probe;
    return ::recv(fd_, &probe, 1, MSG_PEEK | MSG_DONTWAIT | MSG_TRUNC) >= 0;
}

void LinuxDatagramSocket::SetOnReadable(std::function<void()> onReadable) {
    onReadable_ = std::move(onReadable);
}

} // namespace platform
