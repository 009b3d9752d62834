#include "protocol/TFormUDP.h"

#include "app/CGlobalVar.h"
#include "app/DebugPrint.h"
#include "app/FixedText.h"
#include "app/MessageTexts.h"
#include "app/Messages.h"
#include "app/TextHelpers.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TlvWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string_view>

TFormUDP* FormUDP = nullptr;

namespace {

const uint8_t ANY_MAC[6] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
const char* const BROADCAST_IP = "255.255.255.255";

} // namespace

TFormUDP::TFormUDP(platform::EventLoop& loop, platform::Network& network,
                   platform::Dialogs& dialogs, platform::Shell& shell,
                   platform::MessageTarget* mainWindow)
    : platform::MessageTarget(loop), TimerWait(loop, 0), network_(network), dialogs_(dialogs),
      shell_(shell), mainWindow_(mainWindow), ipHelp_(network), recvBuf_(RECEIVE_BUFFER_SIZE) {
    TimerWait.SetEnabled(false);
    TimerWait.OnTimer = [this](platform::Timer&) { TimerWaitTimer(); };
    std::string mask, gateway;
    if (!ipHelp_.FindAdapter(0, mask, gateway, LocalMAC)) {
        std::mt19937 gen(static_cast<uint32_t>(std::time(nullptr)) ^ std::random_device{}());
        for (uint8_t& b : LocalMAC)
            b = static_cast<uint8_t>(gen());
    }
}

TFormUDP::~TFormUDP() {
    CloseSockets();
    ClearDevList();
}

void TFormUDP::WndProc(platform::Message& msg) {
    if (msg.Msg == UM_SOCKET && msg.WParam == 1) {
        auto* socket = reinterpret_cast<CUDPSocket*>(msg.LParam);
        // A socket closed since it notified is no longer ours to read.
        if (OwnsSocket(socket))
            UDPSocketRead(socket);
    }
}

bool TFormUDP::OwnsSocket(const CUDPSocket* socket) const {
    for (const auto& s : Sockets)
        if (s.get() == socket)
            return true;
    return false;
}

void TFormUDP::PostToMain(uint32_t msg, uintptr_t wparam, intptr_t lparam) {
    if (mainWindow_)
        mainWindow_->PostMessage(msg, wparam, lparam);
}

// ---- sockets -------------------------------------------------------------------------------

bool TFormUDP::OpenSockets() {
    std::optional<std::vector<platform::Adapter>> list = ipHelp_.GetAdapterList();
    if (!list)
        return false;
    bool any = false;
    for (const platform::Adapter& adapter : *list) {
        for (const platform::AdapterAddress& addr : adapter.Addresses) {
            if (AddressFromText(addr.IPText) == 0)
                continue;
            DebugPrint("Addr=%s, IP=%s, Iface=%s", MacToText(adapter.MAC).c_str(),
                       addr.IPText.c_str(), adapter.Description.c_str());
            auto socket = std::make_unique<CUDPSocket>(Loop(), network_);
            std::memcpy(socket->MAC, adapter.MAC, 6);
            socket->IPText = addr.IPText;
            socket->MaskText = addr.MaskText;
            socket->Port = LOCAL_PORT;
            socket->Iface = adapter.Description;
            if (socket->Open(this, UM_SOCKET)) {
                Sockets.push_back(std::move(socket));
                any = true;
                break; // one socket per adapter, on its first address that binds
            }
        }
    }
    return any;
}

void TFormUDP::CloseSockets() {
    if (LoggedIn) {
        SendLogout(0);
        PendingReq = REQ_NONE;
        LoggedIn = false;
    }
    Sockets.clear();
}

void TFormUDP::ClearDevList() {
    DevList.clear();
}

void TFormUDP::GetDevList(std::vector<DevInfo>& list) const {
    for (const auto& dev : DevList)
        list.push_back(*dev);
}

// ---- sending -------------------------------------------------------------------------------

void TFormUDP::DumpPacket(const char* direction, const uint8_t* data, size_t size,
                          const std::string* srcIp, uint16_t srcPort) {
    if (srcIp)
        DebugPrint("%s %s:%d size=%d", direction, srcIp->c_str(), int(srcPort), int(size));
    else
        DebugPrint("%s size=%d", direction, int(size));
    std::string line;
    char hex[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, "%02X ", data[i]);
        line += hex;
        if (i % 16 == 15) {
            DebugPrint("%s", line.c_str());
            line.clear();
        }
    }
    if (!line.empty())
        DebugPrint("%s", line.c_str());
}

void TFormUDP::Crypt(uint8_t* area, size_t len) const {
    const std::string& key = GlobalVar.Password;
    Rc4Crypt(reinterpret_cast<const uint8_t*>(key.data()), static_cast<int>(key.size()), area, len);
}

void TFormUDP::StartRequest(uint8_t* buf, uint8_t opcode) const {
    BuildHeader(buf, LocalMAC);
    buf[HDR_OPCODE] = opcode;
}

void TFormUDP::SendPacket(uint8_t* buf, size_t size) {
    DumpPacket("[Tx]", buf, size);
    Crypt(buf + HEADER_SIZE, size - HEADER_SIZE);
    for (const auto& socket : Sockets) {
        std::memcpy(buf + HDR_MAC, socket->MAC, 6);
        socket->SendTo(buf, size, DevPort, BROADCAST_IP);
    }
}

void TFormUDP::SendRequest(uint8_t* buf, size_t size, int32_t kind, uint32_t timeout) {
    PendingReq = kind;
    SendPacket(buf, size);
    TimerWait.SetEnabled(false);
    if (timeout != 0) {
        TimerWait.SetInterval(timeout);
        TimerWait.SetEnabled(true);
    } else {
        // Nothing is awaited now, so an earlier request's time-out must not fire either.
        PendingReq = REQ_NONE;
    }
}

bool TFormUDP::SendDiscover(uint32_t timeout, bool renew) {
    DebugPrint("TFormUDP::SendDiscover()");
    if (renew) {
        CloseSockets();
        ClearDevList();
        // Stale neighbour entries would send replies' answers to a device's old address.
        shell_.RunHidden({"ip", "-4", "neigh", "flush", "all"});
        if (!OpenSockets()) {
            DebugPrint("TFormUDP::SendDiscover() FAIL init interface");
            dialogs_.MessageBox(GlobalVar.AppTitle,
                                ReadMessageText(GlobalVar.Ini.get(), "ER_Ethr_Interface"),
                                platform::MsgButtons::Ok, platform::MsgIcon::None);
            return false;
        }
    }
    std::memcpy(DevMAC, ANY_MAC, 6);
    DevPort = DEVICE_PORT;
    uint8_t buf[DISCOVER_BUFFER_SIZE] = {};
    StartRequest(buf, OP_DISCOVER);
    SendRequest(buf, HEADER_SIZE, REQ_DISCOVER, timeout);
    return true;
}

bool TFormUDP::SendLogin(uint32_t timeout) {
    DebugPrint("TFormUDP::SendLogin()");
    DevPort = DEVICE_PORT;
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_LOGIN);
    TlvWriter w(buf, sizeof buf);
    w.Add(DEV_MAC, GlobalVar.CurDevInfo.MAC, 6);
    w.AddText(TLVTYPE_OTHER_AUTH, CLIENT_AUTH_TEXT);
    SendRequest(buf, w.Size(), REQ_LOGIN, timeout);
    return true;
}

bool TFormUDP::SendLogout(uint32_t timeout) {
    DebugPrint("TFormUDP::SendLogout()");
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_LOGOUT);
    SendRequest(buf, HEADER_SIZE, REQ_LOGOUT, timeout);
    if (timeout == 0)
        LoggedIn = false;
    return true;
}

bool TFormUDP::SendGetConfig(uint32_t timeout) {
    DebugPrint("TFormUDP::SendGetConfig()");
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_GETCONFIG);
    TlvWriter w(buf, sizeof buf);
    w.AddU8(TLVTYPE_OTHER_GETCONFIG, 0);
    SendRequest(buf, w.Size(), REQ_GETCONFIG, timeout);
    return true;
}

bool TFormUDP::SendIPSetting(uint32_t timeout) {
    DebugPrint("TFormUDP::SendIPSetting()");
    const IPSetting& ip = GlobalVar.NewIPSetting;
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_SETCONFIG);
    TlvWriter w(buf, sizeof buf);
    if (ip.IPMode != 0) {
        w.AddU8(IP_MODE, 1);
    } else {
        w.AddU8(IP_MODE, 0);
        w.AddU32(LAN_IP, ip.IPAddr);
        w.AddU32(LAN_NETMASK, ip.NetMask);
        w.AddU32(LAN_GATEWAY, ip.Gateway);
    }
    SendRequest(buf, w.Size(), REQ_IPSETTING, timeout);
    return true;
}

bool TFormUDP::SendWlSetting(uint32_t timeout) {
    DebugPrint("TFormUDP::SendWlSetting()");
    const WlSetting& wl = GlobalVar.NewWlSetting;
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_SETCONFIG);
    TlvWriter w(buf, sizeof buf);
    w.AddText(WL_SSID, FixedText(wl.SSID));
    w.AddU8(WL_STD_CH, wl.StdChannel);
    if (wl.StdChannel != 0)
        w.AddU8(WL_EXT_CH, wl.ExtChannel);
    w.AddU8(WL_SECURITY_MODE, static_cast<uint8_t>(wl.SecurityMode));
    if (wl.SecurityMode == 1) {
        w.AddU8(WL_AUTH_MODE, static_cast<uint8_t>(wl.AuthMode));
        w.AddText(WL_WEPKEY, FixedText(wl.WepKey));
        w.AddU8(WL_WEPKEY_INDEX, 0);
    } else if (wl.SecurityMode == 2) {
        w.AddU8(WL_WPA_MODE, static_cast<uint8_t>(wl.WpaMode));
        w.AddU8(WL_WPA_CIPHER, static_cast<uint8_t>(wl.WpaCipher));
        w.AddText(WL_WPA_PSK, FixedText(wl.WpaPsk));
    }
    SendRequest(buf, w.Size(), REQ_WLSETTING, timeout);
    return true;
}

bool TFormUDP::SendWPSPBC(uint32_t timeout) {
    DebugPrint("TFormUDP::SendWPSPBC()");
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_SETCONFIG);
    TlvWriter w(buf, sizeof buf);
    w.Add(WL_WPS_PBC, nullptr, 0);
    SendRequest(buf, w.Size(), REQ_WPSPBC, timeout);
    return true;
}

bool TFormUDP::SendWPSPIN(uint32_t timeout) {
    DebugPrint("TFormUDP::SendWPSPIN()");
    char pin[16];
    std::snprintf(pin, sizeof pin, "%08u", unsigned(GlobalVar.NewWlSetting.WpsPin));
    uint8_t buf[REQUEST_BUFFER_SIZE] = {};
    StartRequest(buf, OP_SETCONFIG);
    TlvWriter w(buf, sizeof buf);
    w.AddText(WL_WPS_PIN, pin);
    SendRequest(buf, w.Size(), REQ_WPSPIN, timeout);
    return true;
}

// ---- receiving -----------------------------------------------------------------------------

void TFormUDP::UDPSocketRead(CUDPSocket* socket) {
    DebugPrint("Local IP:%s", socket->IPText.c_str());
    LastLocalIP = socket->IPText;
    uint16_t srcPort = 0;
    std::string srcIp;
    int count = socket->Recv(recvBuf_.data(), recvBuf_.size(), srcPort, srcIp);
    if (count > 0)
        ProcRecvData(recvBuf_.data(), count, socket, srcPort, srcIp);
    else
        DebugPrint("TFormUDP::UDPSocketRead() %d", count);
}

void TFormUDP::ProcRecvData(uint8_t* data, int size, CUDPSocket* socket, uint16_t srcPort,
                            const std::string& srcIp) {
    const size_t n = size > 0 ? size_t(size) : 0;
    PacketCheck check = CheckHeaderFields(data, n);
    if (check != PacketCheck::Ok) {
        DebugPrint("%s", PacketCheckText(check));
        return;
    }
    const uint8_t* mac = data + HDR_MAC;
    for (const auto& s : Sockets) {
        if (std::memcmp(mac, s->MAC, 6) == 0) {
            DebugPrint("TFormUDP::ProcRecvData() FAIL received a request");
            return;
        }
    }
    if (std::memcmp(mac, LocalMAC, 6) == 0) {
        DebugPrint("TFormUDP::ProcRecvData() FAIL received a request");
        return;
    }
    if (std::memcmp(DevMAC, ANY_MAC, 6) != 0 && std::memcmp(mac, DevMAC, 6) != 0) {
        DebugPrint("TFormUDP::ProcRecvData() FAIL destination address doesn't match");
        return;
    }
    if (!TotalLengthMatches(data, n)) {
        DebugPrint("%s", PacketCheckText(PacketCheck::TotalLength));
        return;
    }
    const uint8_t opcode = data[HDR_OPCODE];
    if (opcode != OP_DISCOVER)
        Crypt(data + HEADER_SIZE, n - HEADER_SIZE);
    DumpPacket("[Rx]", data, n, &srcIp, srcPort);
    switch (opcode) {
    case OP_DISCOVER:
        RecvDiscover(data, socket, srcIp);
        break;
    case OP_LOGIN:
        RecvLogin(data);
        break;
    case OP_LOGOUT:
        RecvLogout(data);
        break;
    case OP_GETCONFIG:
        RecvGetConfig(data);
        break;
    case OP_SETCONFIG:
        RecvSetConfig(data);
        break;
    case OP_EVENT:
        RecvEvent(data);
        break;
    default:
        break;
    }
}

namespace {

const uint8_t* Area(const uint8_t* packet) {
    return packet + HEADER_SIZE;
}
size_t AreaLength(const uint8_t* packet) {
    return PacketLength(packet);
}

// The result byte of a reply that carries nothing else of interest; 0 (refused) without one.
uint8_t ResultOf(const uint8_t* packet) {
    uint8_t result = 0;
    WalkTlvs(Area(packet), AreaLength(packet), [&](const Tlv& t) {
        if (t.Type == TLVTYPE_OTHER_RESULT && t.Len >= 1) {
            result = t.Value[0];
            DebugPrint("  Result=%d", int(result));
        }
    });
    return result;
}

} // namespace

// Fixed-size values whose length byte is too small are not read: their bytes are not theirs.

void TFormUDP::RecvDiscover(const uint8_t* packet, CUDPSocket* socket, const std::string& srcIp) {
    DebugPrint("TFormUDP::RecvDiscover()");
    if (PendingReq != REQ_DISCOVER) {
        DebugPrint("  ignore data");
        return;
    }
    const uint8_t* mac = packet + HDR_MAC;
    for (const auto& dev : DevList) {
        if (std::memcmp(dev->MAC, mac, 6) == 0) {
            DebugPrint("  already exist");
            return;
        }
    }
    std::string name;
    size_t count = 0;
    WalkTlvs(
        Area(packet), AreaLength(packet),
        [&](const Tlv& t) {
            if (t.Type == DEV_NAME) {
                name.assign(reinterpret_cast<const char*>(t.Value),
                            std::min<size_t>(t.Len, sizeof(DevInfo::DevName) - 1));
                DebugPrint("  DevName=%s", name.c_str());
            }
        },
        &count);
    if (count == 0)
        return;
    auto dev = std::make_unique<DevInfo>();
    dev->LocalIP = AddressFromText(socket->IPText);
    dev->LocalMask = AddressFromText(socket->MaskText);
    dev->DevIP = AddressFromText(srcIp);
    std::memcpy(dev->MAC, mac, 6);
    SetFixedText(dev->DevName, name);
    DevList.push_back(std::move(dev));
}

void TFormUDP::RecvLogin(const uint8_t* packet) {
    DebugPrint("TFormUDP::RecvLogin()");
    if (PendingReq != REQ_LOGIN) {
        DebugPrint("  ignore data");
        return;
    }
    TimerWait.SetEnabled(false);
    PendingReq = REQ_NONE;
    uint8_t result = 0;
    WalkTlvs(Area(packet), AreaLength(packet), [&](const Tlv& t) {
        if (t.Type == TLVTYPE_OTHER_RESULT && t.Len >= 1) {
            result = t.Value[0];
            DebugPrint("  Result=%d", int(result));
        } else if (t.Type == TLVTYPE_OTHER_PORT && t.Len >= 2) {
            DevPort = ReadU16BE(t.Value);
            DebugPrint("  Port=%d", int(DevPort));
        }
    });
    LoggedIn = result != 0;
    if (result != 0)
        std::memcpy(DevMAC, packet + HDR_MAC, 6);
    PostToMain(UM_UDP_REPLY, REQ_LOGIN, result);
}

void TFormUDP::RecvLogout(const uint8_t* packet) {
    DebugPrint("TFormUDP::RecvLogout()");
    if (PendingReq != REQ_LOGOUT) {
        DebugPrint("  ignore data");
        return;
    }
    TimerWait.SetEnabled(false);
    PendingReq = REQ_NONE;
    const uint8_t result = ResultOf(packet);
    LoggedIn = result == 0;
    PostToMain(UM_UDP_REPLY, REQ_LOGOUT, result);
}

void TFormUDP::RecvGetConfig(const uint8_t* packet) {
    DebugPrint("TFormUDP::RecvGetConfig()");
    if (PendingReq != REQ_GETCONFIG) {
        DebugPrint("  ignore data");
        return;
    }
    TimerWait.SetEnabled(false);
    PendingReq = REQ_NONE;
    IPSetting& ip = GlobalVar.CurIPSetting;
    WlSetting& wl = GlobalVar.CurWlSetting;
    WalkTlvs(Area(packet), AreaLength(packet), [&](const Tlv& t) {
        const uint8_t* v = t.Value;
        // A fixed-size field is taken only from a TLV long enough to hold it.
        auto byteField = [&](const char* name, auto& field) {
            if (t.Len >= 1) {
                field = v[0];
                DebugPrint("  %s=%d", name, int(field));
            }
        };
        auto addressField = [&](const char* name, uint32_t& field) {
            if (t.Len >= 4) {
                field = ReadU32BE(v);
                DebugPrint("  %s=%X", name, unsigned(field));
            }
        };
        switch (t.Type) {
        case IP_MODE:
            if (t.Len >= 1) {
                ip.IPMode = v[0] != 0 ? 1 : 0;
                DebugPrint("  IP_MODE=%d", int(ip.IPMode));
            }
            break;
        case LAN_IP:
            addressField("LAN_IP", ip.IPAddr);
            break;
        case LAN_NETMASK:
            addressField("LAN_NETMASK", ip.NetMask);
            break;
        case LAN_GATEWAY:
            addressField("LAN_GATEWAY", ip.Gateway);
            break;
        case WL_SSID:
            SetFixedText(wl.SSID, std::string_view(reinterpret_cast<const char*>(v), t.Len));
            DebugPrint("  WL_SSID=%s", wl.SSID);
            break;
        case WL_CH_LIST: {
            std::memcpy(wl.ChannelList, v, t.Len); // at most 255, the field holds 256
            wl.ChannelList[t.Len] = 0;
            std::string list;
            char b[8];
            for (size_t i = 0; i < t.Len; ++i) {
                std::snprintf(b, sizeof b, " %d", int(v[i]));
                list += b;
            }
            DebugPrint("  WL_CH_LIST=(%d) %s", int(t.Len), list.c_str());
            break;
        }
        case WL_EXT_CH:
            byteField("WL_EXT_CH", wl.ExtChannel);
            break;
        case WL_STD_CH:
            byteField("WL_STD_CH", wl.StdChannel);
            break;
        case WL_SECURITY_MODE:
            byteField("WL_SECURITY_MODE", wl.SecurityMode);
            break;
        case WL_AUTH_MODE:
            byteField("WL_AUTH_MODE", wl.AuthMode);
            break;
        case WL_WEPKEY_LEN:
            byteField("WL_WEPKEY_LEN", wl.WepKeyLen);
            break;
        case WL_WEPKEY_INDEX:
            if (t.Len >= 1)
                DebugPrint("  WL_WEPKEY_INDEX=%d", int(v[0]));
            break;
        case WL_WPA_MODE:
            byteField("WL_WPA_MODE", wl.WpaMode);
            break;
        case WL_WPA_CIPHER:
            byteField("WL_WPA_CIPHER", wl.WpaCipher);
            break;
        case WL_WPS_PIN:
            if (t.Len >= 4) {
                wl.WpsDevicePin = ReadU32BE(v);
                DebugPrint("  WL_WPS_PIN=0x%08X", unsigned(wl.WpsDevicePin));
            }
            break;
        default:
            DebugPrint("  TLV=0x%X", unsigned(t.Type));
            break;
        }
    });
    PostToMain(UM_UDP_REPLY, REQ_GETCONFIG, 1);
}

void TFormUDP::RecvSetConfig(const uint8_t* packet) {
    DebugPrint("TFormUDP::RecvSetConfig()");
    if (PendingReq != REQ_IPSETTING && PendingReq != REQ_WLSETTING && PendingReq != REQ_WPSPBC &&
        PendingReq != REQ_WPSPIN) {
        DebugPrint("  ignore data");
        return;
    }
    const uint8_t result = ResultOf(packet);
    PostToMain(UM_UDP_REPLY, uintptr_t(PendingReq), result);
    TimerWait.SetEnabled(false);
    PendingReq = REQ_NONE;
}

void TFormUDP::RecvEvent(const uint8_t* packet) {
    DebugPrint("TFormUDP::RecvEvent()");
    WalkTlvs(Area(packet), AreaLength(packet), [&](const Tlv& t) {
        if (t.Type == TLVTYPE_OTHER_CONNECTTIMEOUT) {
            LoggedIn = false;
            DebugPrint("  TLVTYPE_OTHER_CONNECTTIMEOUT");
        } else if (t.Type == TLVTYPE_OTHER_WPS_STATUS) {
            if (t.Len >= 4) {
                const uint32_t status = ReadU32BE(t.Value);
                DebugPrint("  TLVTYPE_OTHER_WPS_STATUS %d", int(status));
                PostToMain(UM_UDP_EVENT, UDP_EVENT_WPS, intptr_t(status));
            }
        } else {
            DebugPrint("  TLV=0x%X", unsigned(t.Type));
        }
    });
}

void TFormUDP::TimerWaitTimer() {
    TimerWait.SetEnabled(false);
    DebugPrint("TFormUDP::TimerWaitTimer() %d", int(PendingReq));
    PostToMain(UM_UDP_TIMEOUT, uintptr_t(PendingReq), 0);
    PendingReq = REQ_NONE;
}
