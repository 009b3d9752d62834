#include "support/EngineFixture.h"

#include "app/FixedText.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

using Note = RecordingWindow::Note;

namespace {

std::string TextHex(const std::string& text) {
    return ToHex(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

const std::string HDR = "53 57 50 31 32 33 34 35 02 00 1b 2c 0d 0e ff";

std::vector<uint8_t> Area(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

} // namespace

TEST_F(EngineTest, EveryRequestHasItsExactBytes) {
    LoggedIn();
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::function<void(TFormUDP&)> send;
        std::string plain; // the whole datagram before enciphering
    } rows[] = {
        {"logout", [] {}, [](TFormUDP& u) { u.SendLogout(0); }, HDR + " 02 00 00"},
        {"get-config", [] {}, [](TFormUDP& u) { u.SendGetConfig(2000); },
         HDR + " 03 00 03 93 01 00"},
        {"login", [] {}, [](TFormUDP& u) { u.SendLogin(2000); },
         HDR + " 01 00 65 02 06 a0 b1 c2 d3 e4 f5 90 5b " +
             TextHex("NV-5180RX peer link granted; hello from the setup tool, please keep this "
                     "text unchanged now")},
        {"dhcp with addresses left in the record",
         [] { GlobalVar.NewIPSetting = {1, 0xC0A80102, 0xFFFFFF00, 0xC0A801FE, 0x08080808, 0}; },
         [](TFormUDP& u) { u.SendIPSetting(32000); }, HDR + " 04 00 03 30 01 01"},
        {"static: mode, address, mask, gateway, big-endian",
         [] { GlobalVar.NewIPSetting = {0, 0xC0A80102, 0xFFFFFF00, 0xC0A801FE, 0x08080808, 1}; },
         [](TFormUDP& u) { u.SendIPSetting(32000); },
         HDR + " 04 00 15 30 01 00 31 04 c0 a8 01 02 32 04 ff ff ff 00 33 04 c0 a8 01 fe"},
        {"wireless, no security, automatic channel",
         [] {
             WlSetting wl;
             SetFixedText(wl.SSID, "home");
             wl.ExtChannel = 3; // not sent while the standard channel is automatic
             wl.AuthMode = 1;
             SetFixedText(wl.WpaPsk, "unused-key");
             GlobalVar.NewWlSetting = wl;
         },
         [](TFormUDP& u) { u.SendWlSetting(32000); },
         HDR + " 04 00 0c 50 04 68 6f 6d 65 53 01 00 60 01 00"},
        {"wireless, fixed channel carries the extension channel",
         [] {
             WlSetting wl;
             SetFixedText(wl.SSID, "ab");
             wl.StdChannel = 6;
             wl.ExtChannel = 2;
             wl.SecurityMode = 3; // WPA: nothing after the mode
             GlobalVar.NewWlSetting = wl;
         },
         [](TFormUDP& u) { u.SendWlSetting(32000); },
         HDR + " 04 00 0d 50 02 61 62 53 01 06 52 01 02 60 01 03"},
        {"WEP with an empty key",
         [] {
             WlSetting wl;
             SetFixedText(wl.SSID, "w");
             wl.SecurityMode = 1;
             wl.AuthMode = 2;
             wl.WepKeyLen = 1;
             wl.WepKeyIndex = 3;
             GlobalVar.NewWlSetting = wl;
         },
         [](TFormUDP& u) { u.SendWlSetting(32000); },
         HDR + " 04 00 11 50 01 77 53 01 00 60 01 01 61 01 02 63 00 67 01 00"},
        {"WPA-PSK",
         [] {
             WlSetting wl;
             SetFixedText(wl.SSID, "w");
             wl.SecurityMode = 2;
             wl.WpaMode = 1;
             wl.WpaCipher = 2;
             SetFixedText(wl.WpaPsk, "secret12");
             SetFixedText(wl.WepKey, "ignored");
             GlobalVar.NewWlSetting = wl;
         },
         [](TFormUDP& u) { u.SendWlSetting(32000); },
         HDR + " 04 00 19 50 01 77 53 01 00 60 01 02 68 01 01 69 01 02 6a 08 " +
             TextHex("secret12")},
        {"WPS push button", [] {}, [](TFormUDP& u) { u.SendWPSPBC(10000); },
         HDR + " 04 00 02 6b 00"},
        {"WPS PIN of four digits gets leading zeros", [] { GlobalVar.NewWlSetting.WpsPin = 1234; },
         [](TFormUDP& u) { u.SendWPSPIN(10000); }, HDR + " 04 00 0a 6c 08 " + TextHex("00001234")},
    };
    for (const Row& r : rows) {
        r.prepare();
        const size_t before = net.SentLog.size();
        r.send(Udp());
        ASSERT_EQ(net.SentLog.size(), before + 1) << r.name;
        const FakeNetwork::Datagram& d = net.SentLog.back();
        EXPECT_EQ(d.DstIp, "255.255.255.255") << r.name;
        EXPECT_EQ(d.DstPort, 5432) << r.name;
        const std::vector<uint8_t> plain = LastSentPlain();
        EXPECT_EQ(ToHex(plain), ToHex(FromHex(r.plain))) << r.name;
        if (d.Data.size() > HEADER_SIZE) {
            EXPECT_NE(ToHex(d.Data), ToHex(plain)) << r.name << ": not enciphered";
        }
        // The device deciphers it with the same password to the same items.
        EXPECT_EQ(ToHex(device->Requests.back().Area),
                  ToHex(std::vector<uint8_t>(plain.begin() + HEADER_SIZE, plain.end())))
            << r.name;
        Udp().SendLogout(0); // nothing left awaited between rows
        loop.RunUntilIdle();
    }
}

TEST_F(EngineTest, DiscoveryIs18PlainBytesAndListsEachDeviceOnce) {
    FakeDevice second(net, "eth0", "192.168.1.2", DEV_MAC_B, std::string(40, 'N'), "other");
    FakeDevice silent(net, "eth0", "192.168.1.3", (const uint8_t[6]){2, 2, 2, 2, 2, 2}, "x", "");
    silent.EmptyDiscoveryReply = true;

    ASSERT_TRUE(Udp().SendDiscover(4000, true));
    ASSERT_EQ(net.SentLog.size(), 1u);
    EXPECT_EQ(ToHex(net.SentLog[0].Data), ToHex(FromHex(HDR + " 00 00 00")));
    EXPECT_EQ(net.SentLog[0].SrcPort, 5433);
    EXPECT_EQ(shell.Commands,
              (std::vector<std::vector<std::string>>{{"ip", "-4", "neigh", "flush", "all"}}));
    loop.RunUntilIdle();
    device->SendReply(OP_DISCOVER, Area({DEV_NAME, 3, 'd', 'u', 'p'})); // a second answer
    loop.Advance(3999);
    EXPECT_TRUE(window.Notes.empty()) << "the search window is not over yet";
    loop.Advance(1);
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_TIMEOUT, REQ_DISCOVER, 0}}));
    EXPECT_TRUE(log.Contains("  already exist"));

    std::vector<DevInfo> list;
    Udp().GetDevList(list);
    ASSERT_EQ(list.size(), 2u) << "the device answering without items is not listed";
    EXPECT_EQ(MacToText(list[0].MAC), "A0:B1:C2:D3:E4:F5");
    EXPECT_STREQ(list[0].DevName, "AP-One");
    EXPECT_EQ(list[0].LocalIP, 0xC0A8010Au);
    EXPECT_EQ(list[0].LocalMask, 0xFFFFFF00u);
    EXPECT_EQ(list[0].DevIP, 0xC0A80101u);
    EXPECT_EQ(FixedText(list[1].DevName), std::string(33, 'N'));
    EXPECT_TRUE(log.Contains("  DevName=AP-One"));
    Udp().GetDevList(list);
    EXPECT_EQ(list.size(), 4u) << "copies are appended";

    // A search without renew keeps the list and adds only new devices.
    FakeDevice third(net, "eth0", "192.168.1.4", (const uint8_t[6]){4, 4, 4, 4, 4, 4}, "t", "");
    Udp().SendDiscover(1000, false);
    loop.Advance(1000);
    EXPECT_EQ(Udp().DevList.size(), 3u);
    EXPECT_EQ(shell.Commands.size(), 1u);
}

TEST_F(EngineTest, ManyRepliesInOneBurstAreAllRead) {
    std::vector<std::unique_ptr<FakeDevice>> more;
    for (int i = 0; i < 300; ++i) {
        const uint8_t mac[6] = {0x02, 0, 0, 0, uint8_t(i >> 8), uint8_t(i)};
        more.push_back(std::make_unique<FakeDevice>(net, "eth0", "192.168.1.99", mac, "d", ""));
    }
    EXPECT_EQ(Search().size(), 301u);
}

TEST_F(EngineTest, SocketsOnePerAdapterOnItsFirstUsableAddress) {
    net.Adapters->clear();
    const uint8_t m1[6] = {1, 1, 1, 1, 1, 1}, m2[6] = {2, 2, 2, 2, 2, 2},
                  m3[6] = {3, 3, 3, 3, 3, 3};
    net.AddAdapter("eth0", m1, {"0.0.0.0"});                   // unplugged
    net.AddAdapter("eth1", m2, {"10.0.0.5", "10.0.1.5"});      // two addresses
    net.AddAdapter("wlan0", m3, {"172.16.0.9", "172.16.1.9"}); // first cannot be bound
    net.UnbindableIps.insert("172.16.0.9");

    ASSERT_TRUE(Udp().OpenSockets());
    ASSERT_EQ(Udp().Sockets.size(), 2u);
    EXPECT_EQ(Udp().Sockets[0]->IPText, "10.0.0.5");
    EXPECT_EQ(Udp().Sockets[0]->Iface, "eth1");
    EXPECT_EQ(Udp().Sockets[0]->Port, 5433);
    EXPECT_EQ(Udp().Sockets[1]->IPText, "172.16.1.9");
    EXPECT_EQ(Udp().Sockets[1]->MaskText, "255.255.255.0");
    EXPECT_TRUE(log.Contains("Addr=02:02:02:02:02:02, IP=10.0.0.5, Iface=eth1"));
    EXPECT_FALSE(log.Contains("Addr=01:01:01:01:01:01, IP=0.0.0.0, Iface=eth0"));
    EXPECT_FALSE(log.Contains("Addr=02:02:02:02:02:02, IP=10.0.1.5, Iface=eth1"));
    EXPECT_EQ(MacToText(Udp().LocalMAC), "02:02:02:02:02:02") << "first adapter with an address";

    // Every request leaves through every socket with that socket's MAC in its header.
    Udp().SendDiscover(4000, false);
    ASSERT_EQ(net.SentLog.size(), 2u);
    EXPECT_EQ(net.SentLog[0].Iface, "eth1");
    EXPECT_EQ(MacToText(net.SentLog[0].Data.data() + HDR_MAC), "02:02:02:02:02:02");
    EXPECT_EQ(net.SentLog[1].Iface, "wlan0");
    EXPECT_EQ(MacToText(net.SentLog[1].Data.data() + HDR_MAC), "03:03:03:03:03:03");
}

TEST_F(EngineTest, NoUsableAdapterShowsTheBoxAndSendsNothing) {
    struct Row {
        const char* name;
        std::function<void(FakeNetwork&)> setup;
    } rows[] = {
        {"no adapter list", [](FakeNetwork& n) { n.Adapters.reset(); }},
        {"no adapters", [](FakeNetwork& n) { n.Adapters->clear(); }},
        {"nothing binds", [](FakeNetwork& n) { n.UnbindableIps.insert("192.168.1.10"); }},
    };
    for (const Row& r : rows) {
        VirtualEventLoop rowLoop;
        FakeNetwork rowNet;
        rowNet.AddAdapter("eth0", PC_MAC, {"192.168.1.10"});
        r.setup(rowNet);
        FakeDialogs rowDialogs;
        rowDialogs.Expect(platform::MsgResult::Ok);
        TFormUDP u(rowLoop, rowNet, rowDialogs, shell, &window);
        EXPECT_FALSE(u.SendDiscover(4000, true)) << r.name;
        EXPECT_TRUE(u.Sockets.empty()) << r.name;
        EXPECT_TRUE(rowNet.SentLog.empty()) << r.name;
        EXPECT_EQ(u.PendingReq, REQ_NONE) << r.name;
        ASSERT_EQ(rowDialogs.Shown.size(), 1u) << r.name;
        EXPECT_EQ(rowDialogs.Shown[0].Title, "Signalmate Setup");
        EXPECT_EQ(rowDialogs.Shown[0].Text, "Unable to initialize adapter interface.");
        EXPECT_EQ(rowDialogs.Shown[0].Buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(rowDialogs.Shown[0].Icon, platform::MsgIcon::None);
        EXPECT_TRUE(log.Contains("TFormUDP::SendDiscover() FAIL init interface")) << r.name;
        log.Clear();
    }
}

TEST_F(EngineTest, LocalMacIsRandomWithoutAConfiguredAdapter) {
    net.Adapters->clear();
    net.AddAdapter("eth0", PC_MAC, {"0.0.0.0"});
    TFormUDP a(loop, net, dialogs, shell, &window);
    TFormUDP b(loop, net, dialogs, shell, &window);
    EXPECT_NE(MacToText(a.LocalMAC), MacToText(PC_MAC));
    EXPECT_NE(MacToText(a.LocalMAC), MacToText(b.LocalMAC));
}

TEST_F(EngineTest, LoginBindsToTheDeviceAndTakesItsPort) {
    device->LoginPort = 6000;
    std::vector<DevInfo> list = Search();
    GlobalVar.CurDevInfo = list.at(0);
    window.Notes.clear();
    ASSERT_TRUE(Udp().SendLogin(2000));
    EXPECT_EQ(Udp().PendingReq, REQ_LOGIN);
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, REQ_LOGIN, 1}}));
    EXPECT_TRUE(Udp().LoggedIn);
    EXPECT_EQ(Udp().PendingReq, REQ_NONE);
    EXPECT_EQ(MacToText(Udp().DevMAC), "A0:B1:C2:D3:E4:F5");
    EXPECT_EQ(Udp().DevPort, 6000);
    EXPECT_TRUE(log.Contains("  Result=1"));
    EXPECT_TRUE(log.Contains("  Port=6000"));
    EXPECT_EQ(Udp().LastLocalIP, "192.168.1.10");
    loop.Advance(5000);
    EXPECT_EQ(window.Notes.size(), 1u) << "no time-out after the reply";

    // Later requests go to the port the device named.
    Udp().SendGetConfig(2000);
    EXPECT_EQ(net.SentLog.back().DstPort, 6000);
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes.back(), (Note{UM_UDP_REPLY, REQ_GETCONFIG, 1}));
}

TEST_F(EngineTest, RefusedLoginKeepsDevMacButTakesThePort) {
    Search();
    GlobalVar.CurDevInfo = *Udp().DevList.at(0);
    window.Notes.clear();
    device->AnswerRequests = false;
    Udp().SendLogin(2000);
    device->SendReply(OP_LOGIN,
                      Area({TLVTYPE_OTHER_RESULT, 1, 0, TLVTYPE_OTHER_PORT, 2, 0x15, 0x99}));
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, REQ_LOGIN, 0}}));
    EXPECT_FALSE(Udp().LoggedIn);
    EXPECT_EQ(MacToText(Udp().DevMAC), "FF:FF:FF:FF:FF:FF");
    EXPECT_EQ(Udp().DevPort, 0x1599);
}

TEST_F(EngineTest, LoginTimeOutThenLateReplyIgnored) {
    Search();
    GlobalVar.CurDevInfo = *Udp().DevList.at(0);
    window.Notes.clear();
    device->HoldReplies = true;
    Udp().SendLogin(2000);
    loop.Advance(2000);
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_TIMEOUT, REQ_LOGIN, 0}}));
    EXPECT_TRUE(log.Contains("TFormUDP::TimerWaitTimer() 2"));
    EXPECT_EQ(Udp().PendingReq, REQ_NONE);
    log.Clear();
    device->ReleaseHeld();
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes.size(), 1u);
    EXPECT_FALSE(Udp().LoggedIn);
    EXPECT_EQ(log.Lines.end(), std::find(log.Lines.begin(), log.Lines.end(), "  Result=1"));
    auto at = std::find(log.Lines.begin(), log.Lines.end(), "TFormUDP::RecvLogin()");
    ASSERT_NE(at, log.Lines.end());
    ASSERT_NE(at + 1, log.Lines.end());
    EXPECT_EQ(*(at + 1), "  ignore data");
}

TEST_F(EngineTest, AfterLoginOtherDevicesAreNotHeard) {
    FakeDevice other(net, "eth0", "192.168.1.2", DEV_MAC_B, "AP-Two", DEFAULT_PASSWORD);
    other.AnswerRequests = false;
    LoggedIn();
    ASSERT_EQ(MacToText(GlobalVar.CurDevInfo.MAC), "A0:B1:C2:D3:E4:F5");
    Udp().SendGetConfig(2000);
    other.SendReply(OP_GETCONFIG, Area({IP_MODE, 1, 1}));
    other.SendReply(OP_DISCOVER, Area({DEV_NAME, 1, 'x'}));
    other.SendWpsStatus(3);
    loop.RunUntilIdle();
    EXPECT_EQ(std::count(log.Lines.begin(), log.Lines.end(),
                         "TFormUDP::ProcRecvData() FAIL destination address doesn't match"),
              3);
    // Only device A's own reply was handled.
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, REQ_GETCONFIG, 1}}));
    EXPECT_EQ(GlobalVar.CurIPSetting.IPAddr, 0xC0A80101u);
}

TEST_F(EngineTest, RenewedSearchLogsOutFirst) {
    LoggedIn();
    const size_t before = net.SentLog.size();
    ASSERT_TRUE(Udp().SendDiscover(4000, true));
    ASSERT_EQ(net.SentLog.size(), before + 2);
    EXPECT_EQ(net.SentLog[before].Data[HDR_OPCODE], OP_LOGOUT);
    EXPECT_EQ(net.SentLog[before + 1].Data[HDR_OPCODE], OP_DISCOVER);
    EXPECT_FALSE(Udp().LoggedIn);
    EXPECT_EQ(Udp().PendingReq, REQ_DISCOVER);
    EXPECT_EQ(MacToText(Udp().DevMAC), "FF:FF:FF:FF:FF:FF");
    EXPECT_EQ(Udp().DevPort, 5432);
    loop.RunUntilIdle();
    EXPECT_FALSE(device->LoggedIn);
    loop.Advance(4000);
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_TIMEOUT, REQ_DISCOVER, 0}}));
}

TEST_F(EngineTest, LogoutWithAndWithoutWaiting) {
    LoggedIn();
    Udp().SendLogout(2000);
    EXPECT_TRUE(Udp().LoggedIn) << "a waited logout ends with its reply";
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, REQ_LOGOUT, 1}}));
    EXPECT_FALSE(Udp().LoggedIn);

    LoggedIn();
    device->AnswerRequests = false;
    Udp().SendGetConfig(15000);
    Udp().SendLogout(0);
    EXPECT_FALSE(Udp().LoggedIn);
    EXPECT_EQ(Udp().PendingReq, REQ_NONE);
    loop.Advance(20000);
    EXPECT_TRUE(window.Notes.empty()) << "the replaced request's time-out does not fire";
}

TEST_F(EngineTest, OwnBroadcastHeardBackIsDropped) {
    const uint8_t wlanMac[6] = {0x00, 0x1b, 0x2c, 0x0d, 0x0e, 0x01};
    net.AddAdapter("wlan0", wlanMac, {"10.1.1.7"});
    net.EchoBroadcastToPc = true;
    std::vector<DevInfo> list = Search();
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(std::count(log.Lines.begin(), log.Lines.end(),
                         "TFormUDP::ProcRecvData() FAIL received a request"),
              2);
}

TEST_F(EngineTest, ReceiveChecksInOrder) {
    LoggedIn();
    device->AnswerRequests = false;
    Udp().SendGetConfig(2000); // something awaited, so only the checks stop a datagram
    auto packet = [&](const uint8_t* mac, int lengthDelta, size_t cut = 0) {
        std::vector<uint8_t> p(HEADER_SIZE);
        BuildHeader(p.data(), mac);
        p[HDR_OPCODE] = OP_GETCONFIG;
        WriteU16BE(p.data() + HDR_LENGTH, uint16_t(3 + lengthDelta));
        p.insert(p.end(), {0x30, 0x01, 0x01});
        p.erase(p.end() - std::ptrdiff_t(std::min(cut, p.size())), p.end());
        return p;
    };
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* line;
    } rows[] = {
        {"17 bytes", packet(DEV_MAC_A, 0, 4), "TFormUDP::ProcRecvData() FAIL length"},
        {"magic",
         [&] {
             auto p = packet(DEV_MAC_A, 0);
             p[0] = 's';
             return p;
         }(),
         "TFormUDP::ProcRecvData() FAIL magic word"},
        {"version",
         [&] {
             auto p = packet(DEV_MAC_A, 0);
             p[8] = 1;
             return p;
         }(),
         "TFormUDP::ProcRecvData() FAIL version"},
        {"own MAC before length", packet(PC_MAC, 1),
         "TFormUDP::ProcRecvData() FAIL received a request"},
        {"foreign MAC before length", packet(DEV_MAC_B, 1),
         "TFormUDP::ProcRecvData() FAIL destination address doesn't match"},
        {"Length one more than arrived", packet(DEV_MAC_A, 1),
         "TFormUDP::ProcRecvData() FAIL total length"},
    };
    CUDPSocket* socket = Udp().Sockets.at(0).get();
    for (Row& r : rows) {
        log.Clear();
        Udp().ProcRecvData(r.bytes.data(), int(r.bytes.size()), socket, 5432, "192.168.1.1");
        EXPECT_EQ(log.Lines, std::vector<std::string>{r.line}) << r.name;
    }
    EXPECT_EQ(Udp().PendingReq, REQ_GETCONFIG) << "no datagram reached a handler";
    loop.RunUntilIdle();
    EXPECT_TRUE(window.Notes.empty());
}

TEST_F(EngineTest, ReceiveLogAndDump) {
    Udp().SendDiscover(4000, true);
    ASSERT_TRUE(log.Contains("[Tx] size=18"));
    EXPECT_TRUE(log.Contains("53 57 50 31 32 33 34 35 02 00 1B 2C 0D 0E FF 00 "));
    EXPECT_TRUE(log.Contains("00 00 "));
    log.Clear();
    loop.RunUntilIdle();
    const std::vector<std::string> expected = {
        "CUDPSocket::OnUMSocket(00:1B:2C:0D:0E:FF) " +
            [&] {
                char b[16];
                std::snprintf(b, sizeof b, "%x", unsigned(Udp().Sockets[0]->Handle()));
                return std::string(b);
            }() +
            " 1",
        "Local IP:192.168.1.10",
        "[Rx] 192.168.1.1:5432 size=26",
        "53 57 50 31 32 33 34 35 02 A0 B1 C2 D3 E4 F5 00 ",
        "00 08 01 06 41 50 2D 4F 6E 65 ",
        "TFormUDP::RecvDiscover()",
        "  DevName=AP-One",
    };
    EXPECT_EQ(log.Lines, expected);
}

TEST_F(EngineTest, NotificationForAnotherHandleIsOnlyLogged) {
    Udp().OpenSockets();
    log.Clear();
    CUDPSocket& s = *Udp().Sockets.at(0);
    device->SendReply(OP_DISCOVER, Area({DEV_NAME, 1, 'x'})); // waiting, but not announced
    s.OnUMSocket(s.Handle() + 77, CUDPSocket::FD_READ_EVENT);
    s.OnUMSocket(s.Handle(), 0x00100020); // close event with an error bit: logged only
    EXPECT_EQ(log.Lines.size(), 2u);
    EXPECT_FALSE(log.Contains("Local IP:192.168.1.10"));
}

TEST_F(EngineTest, DestructionLogsOutAndClosesSockets) {
    LoggedIn();
    const size_t before = net.SentLog.size();
    udp.reset();
    ASSERT_EQ(net.SentLog.size(), before + 1);
    EXPECT_EQ(net.SentLog.back().Data[HDR_OPCODE], OP_LOGOUT);
    loop.RunUntilIdle(); // the reply finds no socket and no engine
    EXPECT_TRUE(window.Notes.empty());
}
