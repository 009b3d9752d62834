#include "DeviceSim.h"

#include "app/TextHelpers.h"
#include "platform/EventLoop.h"
#include "platform/LinuxNetwork.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TlvWriter.h"

#include <arpa/inet.h>
#include <cstdio>
#include <fstream>
#include <unistd.h>

using nlohmann::json;

namespace {

// The device answers in its own key; an empty password means the built-in key.
void Crypt(const std::string& password, uint8_t* data, size_t len) {
    Rc4Crypt(reinterpret_cast<const uint8_t*>(password.data()), int(password.size()), data, len);
}

// One received TLV, copied out of the datagram for the request log.
struct Item {
    uint8_t Type;
    std::vector<uint8_t> Value;
};

// False when a TLV claims more bytes than are left.
bool Walk(const std::vector<uint8_t>& area, std::vector<Item>& out) {
    return WalkTlvs(area.data(), area.size(), [&](const Tlv& t) {
        out.push_back(Item{t.Type, std::vector<uint8_t>(t.Value, t.Value + t.Len)});
    });
}

// The state file's name of a failed receive check.
const char* CheckName(PacketCheck check) {
    switch (check) {
    case PacketCheck::Ok:
        return nullptr;
    case PacketCheck::Length:
        return "length";
    case PacketCheck::Magic:
        return "magic word";
    case PacketCheck::Version:
        return "version";
    case PacketCheck::TotalLength:
        return "total length";
    }
    return nullptr;
}

DeviceSim::Fill Result(uint8_t result) {
    return [result](TlvWriter& w) { w.AddU8(TLVTYPE_OTHER_RESULT, result); };
}

enum class Kind { Text, Mac, Address, Byte, Bytes, Port, Number, Empty };
struct TlvName {
    uint8_t Type;
    const char* Name;
    Kind Form;
};
const TlvName TLV_NAMES[] = {
    {DEV_NAME, "DEV_NAME", Kind::Text},
    {DEV_MAC, "DEV_MAC", Kind::Mac},
    {IP_MODE, "IP_MODE", Kind::Byte},
    {LAN_IP, "LAN_IP", Kind::Address},
    {LAN_NETMASK, "LAN_NETMASK", Kind::Address},
    {LAN_GATEWAY, "LAN_GATEWAY", Kind::Address},
    {WL_SSID, "WL_SSID", Kind::Text},
    {WL_CH_LIST, "WL_CH_LIST", Kind::Bytes},
    {WL_EXT_CH, "WL_EXT_CH", Kind::Byte},
    {WL_STD_CH, "WL_STD_CH", Kind::Byte},
    {WL_SECURITY_MODE, "WL_SECURITY_MODE", Kind::Byte},
    {WL_AUTH_MODE, "WL_AUTH_MODE", Kind::Byte},
    {WL_WEPKEY_LEN, "WL_WEPKEY_LEN", Kind::Byte},
    {WL_WEPKEY, "WL_WEPKEY", Kind::Text},
    {WL_WEPKEY_INDEX, "WL_WEPKEY_INDEX", Kind::Byte},
    {WL_WPA_MODE, "WL_WPA_MODE", Kind::Byte},
    {WL_WPA_CIPHER, "WL_WPA_CIPHER", Kind::Byte},
    {WL_WPA_PSK, "WL_WPA_PSK", Kind::Text},
    {WL_WPS_PBC, "WL_WPS_PBC", Kind::Empty},
    {WL_WPS_PIN, "WL_WPS_PIN", Kind::Text},
    {TLVTYPE_OTHER_AUTH, "TLVTYPE_OTHER_AUTH", Kind::Text},
    {TLVTYPE_OTHER_RESULT, "TLVTYPE_OTHER_RESULT", Kind::Byte},
    {TLVTYPE_OTHER_PORT, "TLVTYPE_OTHER_PORT", Kind::Port},
    {TLVTYPE_OTHER_GETCONFIG, "TLVTYPE_OTHER_GETCONFIG", Kind::Byte},
    {TLVTYPE_OTHER_CONNECTTIMEOUT, "TLVTYPE_OTHER_CONNECTTIMEOUT", Kind::Bytes},
    {TLVTYPE_OTHER_WPS_STATUS, "TLVTYPE_OTHER_WPS_STATUS", Kind::Number},
};
const char* const OP_NAMES[] = {"OP_DISCOVER",  "OP_LOGIN", "OP_LOGOUT", "OP_GETCONFIG",
                                "OP_SETCONFIG", "OP_5",     "OP_EVENT"};

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char b[3];
    for (uint8_t x : bytes) {
        std::snprintf(b, sizeof b, "%02X", x);
        out += b;
    }
    return out;
}

std::string Dotted(uint32_t hostOrder) {
    in_addr a{};
    a.s_addr = htonl(hostOrder);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

uint32_t Be32(const std::vector<uint8_t>& v) {
    return ReadU32BE(v.data());
}
std::string Text(const std::vector<uint8_t>& v) {
    return std::string(v.begin(), v.end());
}

json DecodeTlv(const Item& t) {
    json j;
    const TlvName* known = nullptr;
    for (const auto& n : TLV_NAMES)
        if (n.Type == t.Type)
            known = &n;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", t.Type);
    j["type"] = known ? known->Name : code;
    j["code"] = t.Type;
    j["length"] = t.Value.size();
    j["hex"] = Hex(t.Value);
    json value = nullptr;
    const auto& v = t.Value;
    switch (known ? known->Form : Kind::Bytes) {
    case Kind::Text:
        value = Text(v);
        break;
    case Kind::Mac:
        if (v.size() == 6)
            value = MacToText(v.data());
        break;
    case Kind::Address:
        if (v.size() == 4)
            value = Dotted(Be32(v));
        break;
    case Kind::Byte:
        if (v.size() == 1)
            value = v[0];
        break;
    case Kind::Bytes:
        value = v;
        break;
    case Kind::Port:
        if (v.size() == 2)
            value = (v[0] << 8) | v[1];
        break;
    case Kind::Number:
        if (v.size() == 4)
            value = Be32(v);
        break;
    case Kind::Empty:
        break;
    }
    if (!known)
        value = nullptr;
    j["value"] = value;
    return j;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

DeviceSim::DeviceSim(platform::EventLoop& loop, SimConfig config)
    : loop_(loop), config_(std::move(config)) {
    uint64_t mac = 0;
    for (uint8_t b : config_.MAC)
        mac = mac << 8 | b;
    for (int i = 0; i < config_.Count; ++i) {
        Device d;
        for (int k = 0; k < 6; ++k)
            d.MAC[k] = uint8_t((mac + uint64_t(i)) >> (8 * (5 - k)));
        d.Name = config_.Count == 1 ? config_.Name : config_.Name + "-" + std::to_string(i + 1);
        d.Config = config_.Device;
        devices_.push_back(std::move(d));
    }
}

DeviceSim::~DeviceSim() = default;

bool DeviceSim::Start() {
    std::string iface = config_.BindInterface;
    std::string ip = config_.BindIP;
    if (iface.empty() || ip.empty()) {
        platform::LinuxNetwork net;
        auto adapters = net.GetAdapters();
        for (const auto& a : adapters.value_or(std::vector<platform::Adapter>{})) {
            if (!iface.empty() && a.Description != iface)
                continue;
            if (iface.empty())
                iface = a.Description;
            if (ip.empty() && !a.Addresses.empty())
                ip = a.Addresses.front().IPText;
            break;
        }
    }
    if (iface.empty()) {
        std::fprintf(stderr, "signalmate-devsim: no network interface to listen on\n");
        return false;
    }
    std::vector<uint16_t> ports{DEVICE_PORT};
    if (config_.LoginPort && config_.LoginPort != DEVICE_PORT)
        ports.push_back(config_.LoginPort);
    for (uint16_t port : ports) {
        platform::LinuxNetwork net;
        auto socket = net.CreateDatagramSocket(loop_);
        if (!socket->Open(ip, port, iface)) {
            std::fprintf(stderr, "signalmate-devsim: cannot listen on %s port %u (%s)\n",
                         iface.c_str(), unsigned(port), ip.c_str());
            return false;
        }
        platform::DatagramSocket* raw = socket.get();
        socket->SetOnReadable([this, raw] { OnReadable(*raw); });
        sockets_.push_back(std::move(socket));
    }
    WriteState();
    return true;
}

void DeviceSim::OnReadable(platform::DatagramSocket& socket) {
    // Drain everything waiting: a discovery storm must not sit in the queue.
    std::vector<uint8_t> buf(65536);
    while (socket.HasPending()) {
        Peer from{&socket, 0, {}};
        const int n = socket.Recv(buf.data(), buf.size(), from.Port, from.IP);
        if (n < 0)
            break;
        Handle(buf.data(), size_t(n), socket, from);
    }
}

void DeviceSim::Handle(const uint8_t* data, size_t size, platform::DatagramSocket& socket,
                       const Peer& from) {
    std::string localIp;
    uint16_t localPort = 0;
    socket.LocalName(localIp, localPort);
    json entry;
    entry["seq"] = requests_.size() + 1;
    entry["from"] = from.IP + ":" + std::to_string(from.Port);
    entry["port"] = localPort;
    entry["size"] = size;
    entry["answers"] = json::array();

    const char* error = CheckName(CheckPacket(data, size));
    if (error) {
        entry["error"] = error;
        requests_.push_back(std::move(entry));
        WriteState();
        return;
    }
    const int opcode = data[HDR_OPCODE];
    const std::string client = MacToText(data + HDR_MAC);
    entry["mac"] = client;
    entry["opcode"] = opcode;
    entry["op"] = opcode < 7 ? OP_NAMES[opcode] : "OP_" + std::to_string(opcode);
    entry["length"] = size - HEADER_SIZE;

    std::vector<uint8_t> area(data + HEADER_SIZE, data + size);
    if (opcode != OP_DISCOVER)
        Crypt(config_.Password, area.data(), area.size());
    std::vector<Item> tlvs;
    const bool whole = Walk(area, tlvs);
    entry["walk"] = whole ? "ok" : "not enough bytes in buffer";
    entry["tlvs"] = json::array();
    for (const Item& t : tlvs)
        entry["tlvs"].push_back(DecodeTlv(t));

    const int seen = ++seen_[opcode];
    auto drop = config_.Drop.find(opcode);
    entry["dropped"] = drop != config_.Drop.end() && seen <= drop->second;
    if (entry["dropped"]) {
        requests_.push_back(std::move(entry));
        WriteState();
        return;
    }

    auto answer = [&](const Device& d, const std::string& outcome) {
        if (!outcome.empty())
            entry["answers"].push_back({{"device", MacToText(d.MAC.data())}, {"outcome", outcome}});
    };
    for (size_t i = 0; i < devices_.size(); ++i) {
        Device& dev = devices_[i];
        switch (opcode) {
        case OP_DISCOVER: {
            Reply(
                dev, OP_DISCOVER, [&dev](TlvWriter& w) { w.AddText(DEV_NAME, dev.Name); }, from,
                config_.DelayMs + uint32_t(uint64_t(i) * config_.SpreadMs / devices_.size()));
            answer(dev, "discovered");
            break;
        }
        case OP_LOGIN:
            answer(dev, HandleLogin(dev, area, from, client, entry));
            break;
        case OP_LOGOUT:
            if (!dev.LoggedIn)
                break;
            dev.LoggedIn = false;
            ++dev.LoginGen;
            Reply(dev, OP_LOGOUT, Result(1), from, config_.DelayMs);
            answer(dev, "logged out");
            break;
        case OP_GETCONFIG:
            if (!dev.LoggedIn)
                break;
            Reply(
                dev, OP_GETCONFIG, [this, &dev](TlvWriter& w) { ConfigArea(dev, w); }, from,
                config_.DelayMs);
            answer(dev, "config sent");
            break;
        case OP_SETCONFIG:
            if (!dev.LoggedIn)
                break;
            answer(dev, HandleSetConfig(dev, area, from, entry));
            break;
        default:
            break;
        }
    }
    requests_.push_back(std::move(entry));
    WriteState();
    Flush();
}

void DeviceSim::Flush() {
    auto out = std::move(outbox_);
    outbox_.clear();
    for (const auto& [packet, to] : out)
        SendNow(packet, to);
}

std::string DeviceSim::HandleLogin(Device& dev, const std::vector<uint8_t>& area, const Peer& from,
                                   const std::string& client, json&) {
    std::vector<Item> tlvs;
    const bool whole = Walk(area, tlvs);
    const Item* mac = nullptr;
    const Item* auth = nullptr;
    for (const Item& t : tlvs) {
        if (t.Type == DEV_MAC && t.Value.size() == 6)
            mac = &t;
        if (t.Type == TLVTYPE_OTHER_AUTH)
            auth = &t;
    }
    // Deciphered with the wrong key, neither the MAC nor the text come out.
    if (!whole || !mac || !auth || Text(auth->Value) != CLIENT_AUTH_TEXT) {
        Reply(dev, OP_LOGIN, Result(0), from, config_.DelayMs);
        return "wrong password";
    }
    if (!std::equal(mac->Value.begin(), mac->Value.end(), dev.MAC.begin()))
        return ""; // a login to another device
    dev.LoggedIn = true;
    dev.Client = client;
    ++dev.LoginGen;
    const uint16_t port = config_.LoginPort;
    Reply(
        dev, OP_LOGIN,
        [port](TlvWriter& w) {
            w.AddU8(TLVTYPE_OTHER_RESULT, 1);
            if (port)
                w.AddU16(TLVTYPE_OTHER_PORT, port);
        },
        from, config_.DelayMs);
    ArmConnectTimeout(dev, from);
    return "login ok";
}

std::string DeviceSim::HandleSetConfig(Device& dev, const std::vector<uint8_t>& area,
                                       const Peer& from, json&) {
    std::vector<Item> tlvs;
    const bool whole = Walk(area, tlvs);
    std::map<uint8_t, std::vector<uint8_t>> got;
    for (const Item& t : tlvs)
        got.emplace(t.Type, t.Value);
    auto refuse = [&](const char* why) {
        Reply(dev, OP_SETCONFIG, Result(0), from, config_.DelayMs);
        return std::string("refused: ") + why;
    };
    auto byte = [&](uint8_t type, int& field) {
        auto it = got.find(type);
        if (it != got.end() && it->second.size() == 1)
            field = it->second[0];
    };
    if (!whole)
        return refuse("malformed");

    DeviceConfig next = dev.Config;
    std::string outcome;
    bool wps = false;
    if (got.count(IP_MODE)) {
        if (got[IP_MODE].size() != 1)
            return refuse("IP_MODE");
        next.IPMode = got[IP_MODE][0] != 0;
        if (!next.IPMode) {
            for (uint8_t t : {LAN_IP, LAN_NETMASK, LAN_GATEWAY})
                if (!got.count(t) || got[t].size() != 4)
                    return refuse("static address incomplete");
            next.IPAddr = Be32(got[LAN_IP]);
            next.NetMask = Be32(got[LAN_NETMASK]);
            next.Gateway = Be32(got[LAN_GATEWAY]);
        }
        outcome = "address set";
    } else if (got.count(WL_SSID)) {
        const std::string ssid = Text(got[WL_SSID]);
        if (ssid.empty() || ssid.size() > 32)
            return refuse("WL_SSID");
        next.SSID = ssid;
        byte(WL_STD_CH, next.StdChannel);
        byte(WL_EXT_CH, next.ExtChannel);
        byte(WL_SECURITY_MODE, next.SecurityMode);
        byte(WL_AUTH_MODE, next.AuthMode);
        byte(WL_WEPKEY_INDEX, next.WepKeyIndex);
        byte(WL_WPA_MODE, next.WpaMode);
        byte(WL_WPA_CIPHER, next.WpaCipher);
        if (next.SecurityMode < 0 || next.SecurityMode > 3)
            return refuse("WL_SECURITY_MODE");
        if (next.SecurityMode == 1) {
            if (!got.count(WL_WEPKEY))
                return refuse("WL_WEPKEY missing");
            next.WepKey = Text(got[WL_WEPKEY]);
            const size_t n = next.WepKey.size();
            if (n == 5 || n == 10)
                next.WepKeyLen = 0;
            else if (n == 13 || n == 26)
                next.WepKeyLen = 1;
            else
                return refuse("WL_WEPKEY length");
        }
        if (next.SecurityMode == 2) {
            if (!got.count(WL_WPA_PSK))
                return refuse("WL_WPA_PSK missing");
            next.WpaPsk = Text(got[WL_WPA_PSK]);
            if (next.WpaPsk.size() < 8 || next.WpaPsk.size() > 64)
                return refuse("WL_WPA_PSK length");
        }
        outcome = "wireless set";
    } else if (got.count(WL_WPS_PBC)) {
        dev.WpsMode = "pbc";
        dev.WpsPin.clear();
        wps = true;
        outcome = "wps pbc started";
    } else if (got.count(WL_WPS_PIN)) {
        const std::string pin = Text(got[WL_WPS_PIN]);
        if (pin.size() != 8 || !AllDigits(pin))
            return refuse("WL_WPS_PIN");
        dev.WpsMode = "pin";
        dev.WpsPin = pin;
        wps = true;
        outcome = "wps pin started";
    } else {
        return refuse("nothing to set");
    }
    dev.Config = next;
    Reply(dev, OP_SETCONFIG, Result(1), from, config_.DelayMs);
    if (wps)
        StartWps(dev, from);
    return outcome;
}

void DeviceSim::ConfigArea(const Device& dev, TlvWriter& w) const {
    const DeviceConfig& c = dev.Config;
    w.AddU8(IP_MODE, uint8_t(c.IPMode));
    w.AddU32(LAN_IP, c.IPAddr);
    w.AddU32(LAN_NETMASK, c.NetMask);
    w.AddU32(LAN_GATEWAY, c.Gateway);
    w.AddText(WL_SSID, c.SSID);
    w.Add(WL_CH_LIST, c.ChannelList.data(), c.ChannelList.size());
    w.AddU8(WL_EXT_CH, uint8_t(c.ExtChannel));
    w.AddU8(WL_STD_CH, uint8_t(c.StdChannel));
    w.AddU8(WL_SECURITY_MODE, uint8_t(c.SecurityMode));
    w.AddU8(WL_AUTH_MODE, uint8_t(c.AuthMode));
    w.AddU8(WL_WEPKEY_LEN, uint8_t(c.WepKeyLen));
    w.AddU8(WL_WEPKEY_INDEX, uint8_t(c.WepKeyIndex));
    w.AddU8(WL_WPA_MODE, uint8_t(c.WpaMode));
    w.AddU8(WL_WPA_CIPHER, uint8_t(c.WpaCipher));
    w.AddU32(WL_WPS_PIN, c.WpsDevicePin);
}

void DeviceSim::Reply(const Device& dev, uint8_t opcode, const Fill& fill, const Peer& to,
                      uint32_t delayMs) {
    // Room for every TLV at its largest.
    std::vector<uint8_t> packet(HEADER_SIZE + 16 * (2 + 255));
    BuildHeader(packet.data(), dev.MAC.data());
    packet[HDR_OPCODE] = opcode;
    TlvWriter w(packet.data(), packet.size());
    fill(w);
    packet.resize(w.Size());
    if (opcode != OP_DISCOVER)
        Crypt(config_.Password, packet.data() + HEADER_SIZE, w.Length());
    if (delayMs == 0)
        outbox_.push_back({packet, to}); // after the state that shows the request is written
    else
        Later(delayMs, [this, packet, to] { SendNow(packet, to); });
}

void DeviceSim::SendNow(const std::vector<uint8_t>& packet, const Peer& to) {
    if (config_.Unicast)
        to.Socket->SendTo(packet.data(), packet.size(), to.Port, to.IP);
    else
        to.Socket->SendTo(packet.data(), packet.size(), LOCAL_PORT, "255.255.255.255");
}

void DeviceSim::Later(uint32_t ms, std::function<void()> fn) {
    auto timer = std::make_unique<platform::Timer>(loop_, ms);
    platform::Timer* raw = timer.get();
    raw->OnTimer = [this, raw, fn = std::move(fn)](platform::Timer& t) {
        t.SetEnabled(false);
        fn();
        // Freed on a later turn, never inside its own call.
        loop_.invokeLater([this, raw] {
            std::erase_if(timers_, [raw](const auto& p) { return p.get() == raw; });
        });
    };
    raw->SetEnabled(true);
    timers_.push_back(std::move(timer));
}

void DeviceSim::StartWps(Device& dev, const Peer& to) {
    ++dev.WpsRuns;
    const uint64_t gen = ++dev.WpsGen;
    std::vector<uint32_t> codes;
    switch (config_.Wps) {
    case WpsScript::Success:
        codes = {3, 4, 5, 9, 10, 12, 34};
        break;
    case WpsScript::Failure:
        codes = {2};
        break;
    case WpsScript::Idle:
        codes = {3, 1};
        break;
    case WpsScript::Silence:
        break;
    }
    const size_t index = size_t(&dev - devices_.data());
    for (size_t k = 0; k < codes.size(); ++k) {
        const uint32_t code = codes[k];
        Later(config_.DelayMs + uint32_t(k + 1) * config_.WpsStepMs, [this, index, gen, code, to] {
            Device& d = devices_[index];
            if (d.WpsGen != gen)
                return;
            Reply(
                d, OP_EVENT, [code](TlvWriter& w) { w.AddU32(TLVTYPE_OTHER_WPS_STATUS, code); }, to,
                0);
            d.Events.push_back({{"event", "TLVTYPE_OTHER_WPS_STATUS"}, {"value", code}});
            WriteState();
            Flush();
        });
    }
}

void DeviceSim::ArmConnectTimeout(Device& dev, const Peer& to) {
    if (config_.ConnectTimeoutS == 0)
        return;
    const size_t index = size_t(&dev - devices_.data());
    const uint64_t gen = dev.LoginGen;
    Later(config_.ConnectTimeoutS * 1000, [this, index, gen, to] {
        Device& d = devices_[index];
        if (d.LoginGen != gen || !d.LoggedIn)
            return;
        d.LoggedIn = false;
        ++d.LoginGen;
        Reply(
            d, OP_EVENT, [](TlvWriter& w) { w.Add(TLVTYPE_OTHER_CONNECTTIMEOUT, nullptr, 0); }, to,
            0);
        d.Events.push_back({{"event", "TLVTYPE_OTHER_CONNECTTIMEOUT"}, {"value", nullptr}});
        WriteState();
        Flush();
    });
}

json DeviceSim::DeviceJson(const Device& dev) const {
    const DeviceConfig& c = dev.Config;
    return {{"mac", MacToText(dev.MAC.data())},
            {"name", dev.Name},
            {"password", config_.Password},
            {"loggedIn", dev.LoggedIn},
            {"client", dev.Client},
            {"config",
             {{"IPMode", c.IPMode},
              {"IPAddr", Dotted(c.IPAddr)},
              {"NetMask", Dotted(c.NetMask)},
              {"Gateway", Dotted(c.Gateway)},
              {"SSID", c.SSID},
              {"ChannelList", c.ChannelList},
              {"StdChannel", c.StdChannel},
              {"ExtChannel", c.ExtChannel},
              {"SecurityMode", c.SecurityMode},
              {"AuthMode", c.AuthMode},
              {"WepKeyLen", c.WepKeyLen},
              {"WepKeyIndex", c.WepKeyIndex},
              {"WepKey", c.WepKey},
              {"WpaMode", c.WpaMode},
              {"WpaCipher", c.WpaCipher},
              {"WpaPsk", c.WpaPsk},
              {"WpsDevicePin", c.WpsDevicePin}}},
            {"wps", {{"mode", dev.WpsMode}, {"pin", dev.WpsPin}, {"runs", dev.WpsRuns}}},
            {"events", dev.Events}};
}

void DeviceSim::WriteState() {
    if (config_.StatePath.empty())
        return;
    json state;
    state["pid"] = ::getpid();
    state["devices"] = json::array();
    for (const Device& d : devices_)
        state["devices"].push_back(DeviceJson(d));
    state["requests"] = requests_;
    // Readers never see half a file: write beside it, then rename over it.
    const std::string tmp = config_.StatePath + ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << state.dump(1) << '\n';
        if (!out)
            return;
    }
    std::rename(tmp.c_str(), config_.StatePath.c_str());
}
