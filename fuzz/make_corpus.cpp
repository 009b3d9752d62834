// Writes the fuzz target's seed corpus: valid device replies built with the packet codec, each
// behind the control bytes that put the engine in the state awaiting it.
#include "FuzzInput.h"

#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TFormUDP.h"
#include "protocol/TlvWriter.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Fill = std::function<void(TlvWriter&)>;

std::vector<uint8_t> Packet(uint8_t opcode, const Fill& fill) {
    std::vector<uint8_t> p(RECEIVE_BUFFER_SIZE);
    BuildHeader(p.data(), FUZZ_DEVICE_MAC);
    p[HDR_OPCODE] = opcode;
    TlvWriter w(p.data(), p.size());
    fill(w);
    p.resize(w.Size());
    return p;
}

bool Write(const std::string& dir, const std::string& name, int32_t pending, uint8_t flags,
           const std::vector<uint8_t>& packet) {
    const std::string path = dir + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const uint8_t control[FUZZ_CONTROL_SIZE] = {uint8_t(pending), flags};
    bool ok = std::fwrite(control, 1, sizeof control, f) == sizeof control &&
              std::fwrite(packet.data(), 1, packet.size(), f) == packet.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const uint8_t plain = FUZZ_PLAIN;
    const uint8_t device = uint8_t(1 << FUZZ_DEVMAC_SHIFT);
    const uint8_t loggedIn = FUZZ_LOGGED_IN | device | plain;
    auto result = [](uint8_t r) { return [r](TlvWriter& w) { w.AddU8(TLVTYPE_OTHER_RESULT, r); }; };

    const auto discover =
        Packet(OP_DISCOVER, [](TlvWriter& w) { w.AddText(DEV_NAME, "Lobby AP"); });
    const auto longName = Packet(OP_DISCOVER, [](TlvWriter& w) {
        w.AddText(DEV_NAME, "A name of forty characters for the list!");
    });
    const auto loginOk = Packet(OP_LOGIN, [](TlvWriter& w) {
        w.AddU8(TLVTYPE_OTHER_RESULT, 1);
        w.AddU16(TLVTYPE_OTHER_PORT, 5440);
    });
    const auto loginRefused = Packet(OP_LOGIN, result(0));
    const auto logout = Packet(OP_LOGOUT, result(1));
    const auto config = Packet(OP_GETCONFIG, [](TlvWriter& w) {
        const uint8_t channels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        w.AddU8(IP_MODE, 0);
        w.AddU32(LAN_IP, 0xC0A801FE);
        w.AddU32(LAN_NETMASK, 0xFFFFFF00);
        w.AddU32(LAN_GATEWAY, 0xC0A80101);
        w.AddText(WL_SSID, "Lobby");
        w.Add(WL_CH_LIST, channels, sizeof channels);
        w.AddU8(WL_EXT_CH, 0);
        w.AddU8(WL_STD_CH, 6);
        w.AddU8(WL_SECURITY_MODE, 2);
        w.AddU8(WL_AUTH_MODE, 0);
        w.AddU8(WL_WEPKEY_LEN, 0);
        w.AddU8(WL_WEPKEY_INDEX, 1);
        w.AddU8(WL_WPA_MODE, 2);
        w.AddU8(WL_WPA_CIPHER, 1);
        w.AddU32(WL_WPS_PIN, 12345670);
        w.AddText(0x7f, "unknown");
    });
    const auto empty = Packet(OP_GETCONFIG, [](TlvWriter&) {});
    const auto setOk = Packet(OP_SETCONFIG, result(1));
    const auto setRefused = Packet(OP_SETCONFIG, result(0));
    auto wps = [](uint32_t code) {
        return Packet(OP_EVENT, [code](TlvWriter& w) { w.AddU32(TLVTYPE_OTHER_WPS_STATUS, code); });
    };
    const auto timeout =
        Packet(OP_EVENT, [](TlvWriter& w) { w.Add(TLVTYPE_OTHER_CONNECTTIMEOUT, nullptr, 0); });

    // As on the wire: enciphered with the built-in key, for the harness's own decipher path.
    auto wire = [](std::vector<uint8_t> p) {
        Rc4Crypt(nullptr, 0, p.data() + HEADER_SIZE, p.size() - HEADER_SIZE);
        return p;
    };
    const auto loginWire = wire(loginOk), configWire = wire(config);

    struct Seed {
        const char* Name;
        int32_t Pending;
        uint8_t Flags;
        const std::vector<uint8_t>& Packet;
    };
    const auto wps3 = wps(3), wps34 = wps(34), wps2 = wps(2);
    const Seed seeds[] = {
        {"discover_reply", REQ_DISCOVER, plain, discover},
        {"discover_reply_long_name", REQ_DISCOVER, plain, longName},
        {"discover_reply_listed", REQ_DISCOVER, plain | FUZZ_LISTED, discover},
        {"login_reply_port", REQ_LOGIN, plain, loginOk},
        {"login_reply_refused", REQ_LOGIN, plain, loginRefused},
        {"logout_reply", REQ_LOGOUT, loggedIn, logout},
        {"getconfig_reply", REQ_GETCONFIG, loggedIn, config},
        {"getconfig_reply_empty", REQ_GETCONFIG, loggedIn, empty},
        {"setconfig_reply_ip", REQ_IPSETTING, loggedIn, setOk},
        {"setconfig_reply_wireless", REQ_WLSETTING, loggedIn, setOk},
        {"setconfig_reply_wps_pbc", REQ_WPSPBC, loggedIn, setOk},
        {"setconfig_reply_wps_pin_refused", REQ_WPSPIN, loggedIn, setRefused},
        {"event_wps_3", REQ_NONE, loggedIn, wps3},
        {"event_wps_34", REQ_NONE, loggedIn, wps34},
        {"event_wps_2", REQ_NONE, loggedIn, wps2},
        {"event_connect_timeout", REQ_NONE, loggedIn, timeout},
        {"login_reply_wire", REQ_LOGIN, 0, loginWire},
        {"getconfig_reply_wire", REQ_GETCONFIG, FUZZ_LOGGED_IN | device, configWire},
    };
    for (const Seed& s : seeds) {
        if (!Write(dir, s.Name, s.Pending, s.Flags, s.Packet)) {
            std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), s.Name);
            return 1;
        }
    }
    return 0;
}
