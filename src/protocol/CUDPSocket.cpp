#include "protocol/CUDPSocket.h"

#include "app/DebugPrint.h"
#include "app/TextHelpers.h"
#include "platform/MessageTarget.h"
#include "platform/Network.h"

namespace {
// Datagrams handed over per readiness call; a level-triggered loop calls again for the rest.
constexpr int MAX_DATAGRAMS_PER_WAKE = 4096;
} // namespace

CUDPSocket::CUDPSocket(platform::EventLoop& loop, platform::Network& network)
    : loop_(loop), network_(network) {}

CUDPSocket::~CUDPSocket() {
    *alive_ = false;
    Close();
}

bool CUDPSocket::Open(platform::MessageTarget* notifyWnd, uint32_t notifyMsg) {
    NotifyWnd = notifyWnd;
    NotifyMsg = notifyMsg;
    return CreateSocket();
}

bool CUDPSocket::CreateSocket() {
    Sock = network_.CreateDatagramSocket(loop_);
    if (!Sock)
        return false;
    if (!Sock->Open(IPText, Port, Iface)) {
        Close();
        return false;
    }
    std::string boundIp;
    uint16_t boundPort = 0;
    if (Sock->LocalName(boundIp, boundPort)) {
        IPText = boundIp;
        Port = boundPort;
    }
    DebugPrint("CUDPSocket::CreateSocket(%s:%u, %s) receive buffer %d bytes", IPText.c_str(),
               unsigned(Port), Iface.c_str(), Sock->ReceiveBufferSize());
    if (Sock->StrictReversePathFilter())
        DebugPrint("CUDPSocket::CreateSocket(%s) strict rp_filter: the kernel drops replies from a "
                   "device on another subnet",
                   Iface.c_str());
    Sock->SetOnReadable([this] { OnReadable(); });
    return true;
}

void CUDPSocket::Close() {
    if (!Sock)
        return;
    Sock->SetOnReadable({});
    Sock->Close();
    Sock.reset();
}

int CUDPSocket::Handle() const {
    return Sock && Sock->IsOpen() ? Sock->Handle() : -1;
}

bool CUDPSocket::SendTo(const uint8_t* data, size_t len, uint16_t port, const std::string& ipText) {
    if (!Sock || !Sock->IsOpen())
        return false;
    return Sock->SendTo(data, len, port, ipText);
}

int CUDPSocket::Recv(uint8_t* buf, size_t capacity, uint16_t& srcPort, std::string& srcIp) {
    if (!Sock || !Sock->IsOpen())
        return 0;
    return Sock->Recv(buf, capacity, srcPort, srcIp);
}

void CUDPSocket::OnReadable() {
    std::shared_ptr<bool> alive = alive_;
    for (int i = 0; i < MAX_DATAGRAMS_PER_WAKE && *alive && NotifyWnd && Sock && Sock->HasPending();
         ++i)
        OnUMSocket(Sock->Handle(), FD_READ_EVENT);
}

void CUDPSocket::OnUMSocket(int sock, uint32_t event) {
    DebugPrint("CUDPSocket::OnUMSocket(%s) %x %x", MacToText(MAC).c_str(), unsigned(sock),
               unsigned(event));
    if (sock == Handle() && (event & 0xFFFF) == FD_READ_EVENT && NotifyWnd)
        NotifyWnd->SendMessage(NotifyMsg, 1, reinterpret_cast<intptr_t>(this));
}
