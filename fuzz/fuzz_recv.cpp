// The receive path under libFuzzer: any bytes into TFormUDP::ProcRecvData, with the engine put
// in each waiting state first (see FuzzInput.h), on the in-memory network and a silent desktop.
#include "FuzzInput.h"

#include "app/CGlobalVar.h"
#include "platform/Dialogs.h"
#include "platform/MessageTarget.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TFormUDP.h"
#include "support/FakeNetwork.h"
#include "support/FakeShell.h"
#include "support/VirtualEventLoop.h"

#include <cstring>
#include <vector>

namespace {

class SilentDialogs : public platform::Dialogs {
public:
    platform::MsgResult MessageBox(const std::string&, const std::string&, platform::MsgButtons,
                                   platform::MsgIcon) override {
        return platform::MsgResult::Ok;
    }
    void ShowError(const std::string&) override {}
};

// The main window: takes every result and drops it.
class MainWindow : public platform::MessageTarget {
public:
    using MessageTarget::MessageTarget;
    void WndProc(platform::Message&) override {}
};

constexpr int32_t REQUEST_KINDS = REQ_WPSPIN + 1;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    if (size < FUZZ_CONTROL_SIZE)
        return 0;
    const int32_t pending = int32_t(input[0] % REQUEST_KINDS);
    const uint8_t flags = input[1];
    std::vector<uint8_t> data(input + FUZZ_CONTROL_SIZE, input + size);

    VirtualEventLoop loop;
    FakeNetwork network;
    network.AddAdapter("eth0", FUZZ_PC_MAC, {"192.168.0.100"});
    SilentDialogs dialogs;
    FakeShell shell;
    MainWindow main(loop);
    GlobalVar.Password.clear();

    TFormUDP udp(loop, network, dialogs, shell, &main);
    if (!udp.OpenSockets() || udp.Sockets.empty())
        __builtin_trap(); // the harness itself is broken
    std::memcpy(udp.LocalMAC, FUZZ_PC_MAC, 6);
    switch ((flags & FUZZ_DEVMAC_MASK) >> FUZZ_DEVMAC_SHIFT) {
    case 1:
        std::memcpy(udp.DevMAC, FUZZ_DEVICE_MAC, 6);
        break;
    case 2:
        std::memcpy(udp.DevMAC, FUZZ_OTHER_MAC, 6);
        break;
    default:
        std::memset(udp.DevMAC, 0xff, 6);
        break;
    }
    udp.LoggedIn = (flags & FUZZ_LOGGED_IN) != 0;
    udp.PendingReq = pending;
    if (flags & FUZZ_LISTED) {
        auto dev = std::make_unique<DevInfo>();
        std::memcpy(dev->MAC, FUZZ_DEVICE_MAC, 6);
        udp.DevList.push_back(std::move(dev));
    }
    if ((flags & FUZZ_PLAIN) && data.size() > HEADER_SIZE && data[HDR_OPCODE] != OP_DISCOVER)
        Rc4Crypt(nullptr, 0, data.data() + HEADER_SIZE, data.size() - HEADER_SIZE);

    CUDPSocket* socket = udp.Sockets.front().get();
    udp.ProcRecvData(data.data(), int(data.size()), socket, DEVICE_PORT, "192.168.1.254");
    loop.RunUntilIdle(); // results reach the main window
    std::vector<DevInfo> list;
    udp.GetDevList(list);
    return 0;
}
