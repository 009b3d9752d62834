#include "support/FakeDevice.h"

#include "app/FixedText.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "support/FakeNetwork.h"

#include <cstring>
#include <string_view>

namespace {

void Put(std::vector<uint8_t>& area, uint8_t type, const void* value, size_t len) {
    area.push_back(type);
    area.push_back(static_cast<uint8_t>(len));
    const auto* p = static_cast<const uint8_t*>(value);
    area.insert(area.end(), p, p + len);
}
void Put8(std::vector<uint8_t>& area, uint8_t type, uint8_t v) {
    Put(area, type, &v, 1);
}
void Put32(std::vector<uint8_t>& area, uint8_t type, uint32_t v) {
    uint8_t b[4];
    WriteU32BE(b, v);
    Put(area, type, b, 4);
}

void Crypt(const std::string& password, std::vector<uint8_t>& area) {
    Rc4Crypt(reinterpret_cast<const uint8_t*>(password.data()), int(password.size()), area.data(),
             area.size());
}

} // namespace

FakeDevice::FakeDevice(FakeNetwork& net, const std::string& iface, const std::string& ip,
                       const uint8_t mac[6], const std::string& name, const std::string& password)
    : Iface(iface), IP(ip), Name(name), Password(password), net_(net) {
    std::memcpy(MAC, mac, 6);
    IP_.IPMode = 0;
    IP_.IPAddr = 0xC0A80101;
    IP_.NetMask = 0xFFFFFF00;
    IP_.Gateway = 0xC0A801FE;
    SetFixedText(Wl.SSID, "wireless");
    Wl.StdChannel = 6;
    const uint8_t channels[] = {1, 6, 11};
    std::memcpy(Wl.ChannelList, channels, sizeof channels);
    Wl.WpsDevicePin = 12345670;
    net_.Attach(*this);
}

FakeDevice::~FakeDevice() {
    net_.Detach(*this);
}

bool FakeDevice::Listens(uint16_t port) const {
    return port == DEVICE_PORT || (LoginPort != 0 && port == LoginPort);
}

void FakeDevice::Receive(const std::string& srcIp, uint16_t srcPort, uint16_t dstPort,
                         const std::vector<uint8_t>& data) {
    if (CheckPacket(data.data(), data.size()) != PacketCheck::Ok)
        return;
    Request req;
    req.Opcode = data[HDR_OPCODE];
    std::memcpy(req.SenderMac, data.data() + HDR_MAC, 6);
    req.SrcIp = srcIp;
    req.DstPort = dstPort;
    req.Raw = data;
    req.Area.assign(data.begin() + HEADER_SIZE, data.end());
    if (req.Opcode != OP_DISCOVER)
        Crypt(Password, req.Area);
    Requests.push_back(req);
    clientIp_ = srcIp;
    clientPort_ = srcPort;

    const std::vector<uint8_t>& area = Requests.back().Area;
    std::vector<uint8_t> reply;
    switch (req.Opcode) {
    case OP_DISCOVER:
        if (!AnswerDiscovery)
            return;
        if (!EmptyDiscoveryReply)
            Put(reply, DEV_NAME, Name.data(), Name.size());
        Send(OP_DISCOVER, reply);
        return;
    default:
        break;
    }
    if (!AnswerRequests)
        return;
    switch (req.Opcode) {
    case OP_LOGIN: {
        bool macOk = false, authOk = false;
        WalkTlvs(area.data(), area.size(), [&](const Tlv& t) {
            if (t.Type == DEV_MAC && t.Len == 6)
                macOk = std::memcmp(t.Value, MAC, 6) == 0;
            if (t.Type == TLVTYPE_OTHER_AUTH)
                authOk = std::string_view(reinterpret_cast<const char*>(t.Value), t.Len) ==
                         CLIENT_AUTH_TEXT;
        });
        if (authOk && !macOk)
            return; // a login to another device
        LoggedIn = authOk;
        Put8(reply, TLVTYPE_OTHER_RESULT, authOk ? 1 : 0);
        if (authOk && LoginPort) {
            uint8_t b[2];
            WriteU16BE(b, LoginPort);
            Put(reply, TLVTYPE_OTHER_PORT, b, 2);
        }
        Send(OP_LOGIN, reply);
        return;
    }
    case OP_LOGOUT:
        LoggedIn = false;
        Put8(reply, TLVTYPE_OTHER_RESULT, 1);
        Send(OP_LOGOUT, reply);
        return;
    case OP_GETCONFIG: {
        Put8(reply, IP_MODE, static_cast<uint8_t>(IP_.IPMode));
        Put32(reply, LAN_IP, IP_.IPAddr);
        Put32(reply, LAN_NETMASK, IP_.NetMask);
        Put32(reply, LAN_GATEWAY, IP_.Gateway);
        const std::string ssid = FixedText(Wl.SSID);
        Put(reply, WL_SSID, ssid.data(), ssid.size());
        const size_t nch = strnlen(reinterpret_cast<const char*>(Wl.ChannelList), 255);
        Put(reply, WL_CH_LIST, Wl.ChannelList, nch);
        Put8(reply, WL_EXT_CH, Wl.ExtChannel);
        Put8(reply, WL_STD_CH, Wl.StdChannel);
        Put8(reply, WL_SECURITY_MODE, static_cast<uint8_t>(Wl.SecurityMode));
        Put8(reply, WL_AUTH_MODE, static_cast<uint8_t>(Wl.AuthMode));
        Put8(reply, WL_WEPKEY_LEN, static_cast<uint8_t>(Wl.WepKeyLen));
        Put8(reply, WL_WEPKEY_INDEX, static_cast<uint8_t>(Wl.WepKeyIndex));
        Put8(reply, WL_WPA_MODE, static_cast<uint8_t>(Wl.WpaMode));
        Put8(reply, WL_WPA_CIPHER, static_cast<uint8_t>(Wl.WpaCipher));
        Put32(reply, WL_WPS_PIN, Wl.WpsDevicePin);
        Send(OP_GETCONFIG, reply);
        return;
    }
    case OP_SETCONFIG:
        WalkTlvs(area.data(), area.size(), [&](const Tlv& t) {
            const uint8_t* v = t.Value;
            switch (t.Type) {
            case IP_MODE:
                IP_.IPMode = v[0] ? 1 : 0;
                break;
            case LAN_IP:
                IP_.IPAddr = ReadU32BE(v);
                break;
            case LAN_NETMASK:
                IP_.NetMask = ReadU32BE(v);
                break;
            case LAN_GATEWAY:
                IP_.Gateway = ReadU32BE(v);
                break;
            case WL_SSID:
                SetFixedText(Wl.SSID, std::string_view(reinterpret_cast<const char*>(v), t.Len));
                break;
            case WL_STD_CH:
                Wl.StdChannel = v[0];
                break;
            case WL_EXT_CH:
                Wl.ExtChannel = v[0];
                break;
            case WL_SECURITY_MODE:
                Wl.SecurityMode = v[0];
                break;
            case WL_WPA_MODE:
                Wl.WpaMode = v[0];
                break;
            case WL_WPA_CIPHER:
                Wl.WpaCipher = v[0];
                break;
            default:
                break;
            }
        });
        Put8(reply, TLVTYPE_OTHER_RESULT, SetResult);
        Send(OP_SETCONFIG, reply);
        return;
    default:
        return;
    }
}

void FakeDevice::Send(uint8_t opcode, std::vector<uint8_t> area) {
    std::vector<uint8_t> packet(HEADER_SIZE);
    BuildHeader(packet.data(), MAC);
    packet[HDR_OPCODE] = opcode;
    WriteU16BE(packet.data() + HDR_LENGTH, static_cast<uint16_t>(area.size()));
    if (opcode != OP_DISCOVER)
        Crypt(Password, area);
    packet.insert(packet.end(), area.begin(), area.end());
    if (HoldReplies) {
        held_.push_back(packet);
        return;
    }
    net_.DeliverToPc({Iface, IP, DEVICE_PORT, "255.255.255.255",
                      clientPort_ ? clientPort_ : LOCAL_PORT, packet});
}

void FakeDevice::SendReply(uint8_t opcode, const std::vector<uint8_t>& area) {
    Send(opcode, area);
}

void FakeDevice::SendEvent(const std::vector<uint8_t>& area) {
    Send(OP_EVENT, area);
}

void FakeDevice::SendWpsStatus(uint32_t code) {
    std::vector<uint8_t> area;
    Put32(area, TLVTYPE_OTHER_WPS_STATUS, code);
    SendEvent(area);
}

void FakeDevice::ReleaseHeld() {
    std::vector<std::vector<uint8_t>> held;
    held.swap(held_);
    for (auto& packet : held)
        net_.DeliverToPc({Iface, IP, DEVICE_PORT, "255.255.255.255",
                          clientPort_ ? clientPort_ : LOCAL_PORT, packet});
}
