#pragma once

#include "app/CGlobalVar.h"
#include "app/Messages.h"
#include "app/TextHelpers.h"
#include "platform/MessageTarget.h"
#include "protocol/PacketFormat.h"
#include "protocol/Rc4.h"
#include "protocol/TFormUDP.h"
#include "support/FakeDevice.h"
#include "support/FakeDialogs.h"
#include "support/FakeNetwork.h"
#include "support/FakeShell.h"
#include "support/HexBytes.h"
#include "support/LogCapture.h"
#include "support/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The main window as the engine sees it: keeps every message posted to it.
class RecordingWindow : public platform::MessageTarget {
public:
    struct Note {
        uint32_t Msg;
        uintptr_t WParam;
        intptr_t LParam;
        bool operator==(const Note&) const = default;
    };
    using platform::MessageTarget::MessageTarget;
    void WndProc(platform::Message& msg) override {
        Notes.push_back({msg.Msg, msg.WParam, msg.LParam});
    }
    std::vector<Note> Notes;
};

inline std::ostream& operator<<(std::ostream& os, const RecordingWindow::Note& n) {
    return os << "{0x" << std::hex << n.Msg << std::dec << ", " << n.WParam << ", " << n.LParam
              << "}";
}

// One PC adapter (eth0, 192.168.1.10) with a device on it; the engine is made on demand so a
// test can change the adapters first.
class EngineTest : public ::testing::Test {
protected:
    static constexpr uint8_t PC_MAC[6] = {0x00, 0x1b, 0x2c, 0x0d, 0x0e, 0xff};
    static constexpr uint8_t DEV_MAC_A[6] = {0xa0, 0xb1, 0xc2, 0xd3, 0xe4, 0xf5};
    static constexpr uint8_t DEV_MAC_B[6] = {0xa0, 0xb1, 0xc2, 0xd3, 0xe4, 0x06};

    void SetUp() override {
        GlobalVar.Password = DEFAULT_PASSWORD;
        GlobalVar.AppTitle = "Signalmate Setup";
        GlobalVar.CurDevInfo = DevInfo{};
        GlobalVar.CurIPSetting = IPSetting{};
        GlobalVar.NewIPSetting = IPSetting{};
        GlobalVar.CurWlSetting = WlSetting{};
        GlobalVar.NewWlSetting = WlSetting{};
        net.AddAdapter("eth0", PC_MAC, {"192.168.1.10"});
        device = std::make_unique<FakeDevice>(net, "eth0", "192.168.1.1", DEV_MAC_A, "AP-One",
                                              DEFAULT_PASSWORD);
    }
    void TearDown() override { GlobalVar.Password = DEFAULT_PASSWORD; }

    TFormUDP& Udp() {
        if (!udp)
            udp = std::make_unique<TFormUDP>(loop, net, dialogs, shell, &window);
        return *udp;
    }
    // A full search: replies gather for the whole window, then the time-out ends it.
    std::vector<DevInfo> Search() {
        EXPECT_TRUE(Udp().SendDiscover(4000, true));
        loop.Advance(4000);
        std::vector<DevInfo> list;
        Udp().GetDevList(list);
        return list;
    }
    // Search, pick device A and log in.
    void LoggedIn() {
        std::vector<DevInfo> list = Search();
        ASSERT_FALSE(list.empty());
        GlobalVar.CurDevInfo = list[0];
        Udp().SendLogin(2000);
        loop.RunUntilIdle();
        ASSERT_TRUE(Udp().LoggedIn);
        window.Notes.clear();
        log.Clear();
    }
    // The last datagram the PC sent, its TLV area deciphered with the current password.
    std::vector<uint8_t> LastSentPlain() const {
        EXPECT_FALSE(net.SentLog.empty());
        if (net.SentLog.empty())
            return {};
        std::vector<uint8_t> d = net.SentLog.back().Data;
        const std::string& key = GlobalVar.Password;
        Rc4Crypt(reinterpret_cast<const uint8_t*>(key.data()), int(key.size()),
                 d.data() + HEADER_SIZE, d.size() - HEADER_SIZE);
        return d;
    }

    LogCapture log;
    VirtualEventLoop loop;
    FakeNetwork net;
    FakeDialogs dialogs;
    FakeShell shell;
    RecordingWindow window{loop};
    std::unique_ptr<FakeDevice> device;
    std::unique_ptr<TFormUDP> udp;
};
