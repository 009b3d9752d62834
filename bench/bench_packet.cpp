// What one received datagram costs the engine (checks, decipher, the handler with its log lines
// and the hex dump) against RC4 alone on the same bytes: a get-config reply with every TLV.
#include "app/CGlobalVar.h"
#include "platform/Dialogs.h"
#include "platform/Network.h"
#include "platform/PollEventLoop.h"
#include "platform/Shell.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TFormUDP.h"
#include "protocol/TlvWriter.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

const uint8_t PC_MAC[6] = {0x02, 0x50, 0x43, 0x00, 0x00, 0x01};
const uint8_t DEVICE_MAC[6] = {0x00, 0x1B, 0x2C, 0x0D, 0x0E, 0x42};

// One adapter whose socket sends nowhere and never has anything to read.
class StandInSocket : public platform::DatagramSocket {
public:
    bool Open(const std::string& ipText, uint16_t port, const std::string&) override {
        ip_ = ipText;
        port_ = port;
        open_ = true;
        return true;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    int Handle() const override { return open_ ? 100 : -1; }
    bool LocalName(std::string& ipText, uint16_t& port) const override {
        ipText = ip_;
        port = port_;
        return true;
    }
    bool SendTo(const uint8_t*, size_t, uint16_t, const std::string&) override { return true; }
    int Recv(uint8_t*, size_t, uint16_t&, std::string&) override { return -1; }
    bool HasPending() override { return false; }
    void SetOnReadable(std::function<void()>) override {}
    int ReceiveBufferSize() const override { return 0; }
    bool StrictReversePathFilter() const override { return false; }

private:
    std::string ip_;
    uint16_t port_ = 0;
    bool open_ = false;
};

class StandInNetwork : public platform::Network {
public:
    std::optional<std::vector<platform::Adapter>> GetAdapters() override {
        platform::Adapter a;
        a.Description = "eth0";
        std::memcpy(a.MAC, PC_MAC, 6);
        a.Addresses.push_back({"192.168.0.100", "255.255.255.0"});
        return std::vector<platform::Adapter>{a};
    }
    std::unique_ptr<platform::DatagramSocket> CreateDatagramSocket(platform::EventLoop&) override {
        return std::make_unique<StandInSocket>();
    }
};

class NoDialogs : public platform::Dialogs {
public:
    platform::MsgResult MessageBox(const std::string&, const std::string&, platform::MsgButtons,
                                   platform::MsgIcon) override {
        return platform::MsgResult::Ok;
    }
    void ShowError(const std::string&) override {}
};

class NoShell : public platform::Shell {
public:
    bool HasAssociatedProgram(const std::string&) override { return false; }
    bool Open(const std::string&) override { return false; }
    void RunHidden(const std::vector<std::string>&) override {}
    bool FindTopLevelWindow(const std::string&) override { return false; }
};

// The reply as it arrives: header plain, TLVs enciphered with the built-in key.
std::vector<uint8_t> ConfigReply() {
    std::vector<uint8_t> p(RECEIVE_BUFFER_SIZE);
    BuildHeader(p.data(), DEVICE_MAC);
    p[HDR_OPCODE] = OP_GETCONFIG;
    TlvWriter w(p.data(), p.size());
    const uint8_t channels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    w.AddU8(IP_MODE, 0);
    w.AddU32(LAN_IP, 0xC0A801FE);
    w.AddU32(LAN_NETMASK, 0xFFFFFF00);
    w.AddU32(LAN_GATEWAY, 0xC0A80101);
    w.AddText(WL_SSID, "Lobby wireless network");
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
    p.resize(w.Size());
    Rc4Crypt(nullptr, 0, p.data() + HEADER_SIZE, w.Length());
    return p;
}

// Both benchmarks copy the datagram first: the engine deciphers in place.
void BM_ReceiveConfigReply(benchmark::State& state) {
    platform::PollEventLoop loop;
    StandInNetwork network;
    NoDialogs dialogs;
    NoShell shell;
    GlobalVar.Password.clear();
    TFormUDP udp(loop, network, dialogs, shell, nullptr);
    if (!udp.OpenSockets() || udp.Sockets.empty()) {
        state.SkipWithError("no socket");
        return;
    }
    std::memcpy(udp.DevMAC, DEVICE_MAC, 6);
    udp.LoggedIn = true;
    CUDPSocket* socket = udp.Sockets.front().get();
    const std::vector<uint8_t> reply = ConfigReply();
    std::vector<uint8_t> buf(reply.size());
    const std::string from = "192.168.1.254";
    for (auto _ : state) {
        std::memcpy(buf.data(), reply.data(), reply.size());
        udp.PendingReq = REQ_GETCONFIG;
        udp.ProcRecvData(buf.data(), int(buf.size()), socket, DEVICE_PORT, from);
        benchmark::DoNotOptimize(GlobalVar.CurWlSetting);
    }
    if (udp.PendingReq != REQ_NONE)
        state.SkipWithError("the reply was not taken");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(reply.size()));
    state.counters["bytes"] = double(reply.size());
}
BENCHMARK(BM_ReceiveConfigReply);

void BM_Rc4Alone(benchmark::State& state) {
    const std::vector<uint8_t> reply = ConfigReply();
    std::vector<uint8_t> buf(reply.size());
    for (auto _ : state) {
        std::memcpy(buf.data(), reply.data(), reply.size());
        Rc4Crypt(nullptr, 0, buf.data() + HEADER_SIZE, buf.size() - HEADER_SIZE);
        benchmark::DoNotOptimize(buf.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(reply.size()));
    state.counters["bytes"] = double(reply.size());
}
BENCHMARK(BM_Rc4Alone);

} // namespace

BENCHMARK_MAIN();
