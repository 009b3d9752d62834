#pragma once

#include "app/DevInfo.h"
#include "platform/MessageTarget.h"
#include "platform/Timer.h"
#include "protocol/CIPHelp.h"
#include "protocol/CUDPSocket.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Dialogs;
class EventLoop;
class Network;
class Shell;
} // namespace platform

// Request kinds: what PendingReq awaits, and the first parameter of the result messages.
constexpr int32_t REQ_NONE = 0;
constexpr int32_t REQ_DISCOVER = 1;
constexpr int32_t REQ_LOGIN = 2;
constexpr int32_t REQ_LOGOUT = 3;
constexpr int32_t REQ_IPSETTING = 4;
constexpr int32_t REQ_WLSETTING = 5;
constexpr int32_t REQ_GETCONFIG = 6;
constexpr int32_t REQ_WPSPBC = 7;
constexpr int32_t REQ_WPSPIN = 8;

// The protocol window: owns the sockets, the devices found, the login and the one outstanding
// request; results are posted to the main window.
class TFormUDP : public platform::MessageTarget {
public:
    TFormUDP(platform::EventLoop& loop, platform::Network& network, platform::Dialogs& dialogs,
             platform::Shell& shell, platform::MessageTarget* mainWindow);
    ~TFormUDP() override;

    void WndProc(platform::Message& msg) override;

    bool SendDiscover(uint32_t timeout, bool renew);
    // Appends a copy of every device found to `list`.
    void GetDevList(std::vector<DevInfo>& list) const;
    bool SendLogin(uint32_t timeout);
    bool SendLogout(uint32_t timeout);
    bool SendGetConfig(uint32_t timeout);
    bool SendIPSetting(uint32_t timeout);
    bool SendWlSetting(uint32_t timeout);
    bool SendWPSPBC(uint32_t timeout);
    bool SendWPSPIN(uint32_t timeout);

    bool OpenSockets();
    void CloseSockets();
    void ClearDevList();

    void UDPSocketRead(CUDPSocket* socket);
    void ProcRecvData(uint8_t* data, int size, CUDPSocket* socket, uint16_t srcPort,
                      const std::string& srcIp);
    void TimerWaitTimer();

    // "[Tx] size=%d" (no source given) or "[Rx] ip:port size=%d", then the bytes 16 to a line.
    static void DumpPacket(const char* direction, const uint8_t* data, size_t size,
                           const std::string* srcIp = nullptr, uint16_t srcPort = 0);

    int32_t PendingReq = REQ_NONE;
    uint8_t LocalMAC[6] = {};
    uint8_t DevMAC[6] = {};
    uint16_t DevPort = 0;
    std::vector<std::unique_ptr<CUDPSocket>> Sockets;
    std::vector<std::unique_ptr<DevInfo>> DevList;
    bool LoggedIn = false;
    std::string LastLocalIP;
    platform::Timer TimerWait;

private:
    void RecvDiscover(const uint8_t* packet, CUDPSocket* socket, const std::string& srcIp);
    void RecvLogin(const uint8_t* packet);
    void RecvLogout(const uint8_t* packet);
    void RecvGetConfig(const uint8_t* packet);
    void RecvSetConfig(const uint8_t* packet);
    void RecvEvent(const uint8_t* packet);

    // Header into a zeroed buffer; TLVs then go through a TlvWriter over the same buffer.
    void StartRequest(uint8_t* buf, uint8_t opcode) const;
    // Logs, enciphers and sends out of every socket; then arms the time-out or clears the wait.
    void SendRequest(uint8_t* buf, size_t size, int32_t kind, uint32_t timeout);
    void SendPacket(uint8_t* buf, size_t size);
    void Crypt(uint8_t* area, size_t len) const;
    void PostToMain(uint32_t msg, uintptr_t wparam, intptr_t lparam);
    bool OwnsSocket(const CUDPSocket* socket) const;

    platform::Network& network_;
    platform::Dialogs& dialogs_;
    platform::Shell& shell_;
    platform::MessageTarget* mainWindow_;
    CIPHelp ipHelp_;
    std::vector<uint8_t> recvBuf_;
};

// The protocol window of the running program, for the pages; null while there is none.
extern TFormUDP* FormUDP;
