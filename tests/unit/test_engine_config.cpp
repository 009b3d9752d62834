#include "support/EngineFixture.h"

#include "app/FixedText.h"

#include <functional>
#include <string>

using Note = RecordingWindow::Note;

namespace {

std::vector<uint8_t> Area(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.reserve(a.size() + b.size());
    for (uint8_t x : b)
        a.push_back(x);
    return a;
}

std::vector<uint8_t> TextTlv(uint8_t type, const std::string& text) {
    std::vector<uint8_t> t;
    t.reserve(2 + text.size());
    t.push_back(type);
    t.push_back(uint8_t(text.size()));
    for (char c : text)
        t.push_back(uint8_t(c));
    return t;
}

} // namespace

// Logged in to device A, which answers nothing by itself: each test writes the replies.
class ConfigTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        LoggedIn();
        device->AnswerRequests = false;
    }
};

TEST_F(ConfigTest, GetConfigStoresEveryField) {
    // Fields without an item in the reply keep what they had.
    GlobalVar.CurIPSetting.DNS1 = 0x08080808;
    SetFixedText(GlobalVar.CurWlSetting.WpaPsk, "kept");
    Udp().SendGetConfig(2000);
    device->SendReply(OP_GETCONFIG, Area({IP_MODE,
                                          1,
                                          7,
                                          LAN_IP,
                                          4,
                                          192,
                                          168,
                                          1,
                                          2,
                                          LAN_NETMASK,
                                          4,
                                          255,
                                          255,
                                          0,
                                          0,
                                          LAN_GATEWAY,
                                          4,
                                          192,
                                          168,
                                          1,
                                          254,
                                          WL_CH_LIST,
                                          3,
                                          1,
                                          6,
                                          11,
                                          WL_EXT_CH,
                                          1,
                                          2,
                                          WL_STD_CH,
                                          1,
                                          9,
                                          WL_SECURITY_MODE,
                                          1,
                                          2,
                                          WL_AUTH_MODE,
                                          1,
                                          1,
                                          WL_WEPKEY_LEN,
                                          1,
                                          1,
                                          WL_WEPKEY_INDEX,
                                          1,
                                          3,
                                          WL_WPA_MODE,
                                          1,
                                          1,
                                          WL_WPA_CIPHER,
                                          1,
                                          2,
                                          WL_WPS_PIN,
                                          4,
                                          0x00,
                                          0xbc,
                                          0x61,
                                          0x4e,
                                          0x77,
                                          0}) +
                                        TextTlv(WL_SSID, std::string(40, 's')));
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, REQ_GETCONFIG, 1}}));
    EXPECT_EQ(Udp().PendingReq, REQ_NONE);
    const IPSetting& ip = GlobalVar.CurIPSetting;
    EXPECT_EQ(ip.IPMode, 1) << "any non-zero mode is automatic";
    EXPECT_EQ(ip.IPAddr, 0xC0A80102u);
    EXPECT_EQ(ip.NetMask, 0xFFFF0000u);
    EXPECT_EQ(ip.Gateway, 0xC0A801FEu);
    EXPECT_EQ(ip.DNS1, 0x08080808u);
    const WlSetting& wl = GlobalVar.CurWlSetting;
    EXPECT_EQ(FixedText(wl.SSID), std::string(32, 's'));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wl.ChannelList)), "\x01\x06\x0b");
    EXPECT_EQ(wl.ExtChannel, 2);
    EXPECT_EQ(wl.StdChannel, 9);
    EXPECT_EQ(wl.SecurityMode, 2);
    EXPECT_EQ(wl.AuthMode, 1);
    EXPECT_EQ(wl.WepKeyLen, 1);
    EXPECT_EQ(wl.WepKeyIndex, 0) << "the index is only logged";
    EXPECT_EQ(wl.WpaMode, 1);
    EXPECT_EQ(wl.WpaCipher, 2);
    EXPECT_EQ(wl.WpsDevicePin, 12345678u);
    EXPECT_EQ(FixedText(wl.WpaPsk), "kept");
    for (const char* line :
         {"TFormUDP::RecvGetConfig()", "  IP_MODE=1", "  LAN_IP=C0A80102", "  LAN_NETMASK=FFFF0000",
          "  LAN_GATEWAY=C0A801FE", "  WL_CH_LIST=(3)  1 6 11", "  WL_EXT_CH=2", "  WL_STD_CH=9",
          "  WL_SECURITY_MODE=2", "  WL_AUTH_MODE=1", "  WL_WEPKEY_LEN=1", "  WL_WEPKEY_INDEX=3",
          "  WL_WPA_MODE=1", "  WL_WPA_CIPHER=2", "  WL_WPS_PIN=0x00BC614E", "  TLV=0x77"})
        EXPECT_TRUE(log.Contains(line)) << line;
    EXPECT_TRUE(log.Contains("  WL_SSID=" + std::string(32, 's')));
}

TEST_F(ConfigTest, MalformedGetConfigStillSucceedsWithWhatCameBefore) {
    Udp().SendGetConfig(2000);
    device->SendReply(OP_GETCONFIG, Area({LAN_IP, 4, 10, 0, 0, 1, WL_STD_CH, 5, 3}));
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, REQ_GETCONFIG, 1}}));
    EXPECT_EQ(GlobalVar.CurIPSetting.IPAddr, 0x0A000001u);
    EXPECT_EQ(GlobalVar.CurWlSetting.StdChannel, 0);
    EXPECT_TRUE(log.Contains("  not enough bytes in buffer"));
}

TEST_F(ConfigTest, ShortFixedSizeItemsAreNotRead) {
    GlobalVar.CurIPSetting.IPAddr = 0x01020304;
    Udp().SendGetConfig(2000);
    device->SendReply(OP_GETCONFIG, Area({LAN_IP, 2, 10, 0, WL_STD_CH, 1, 4}));
    loop.RunUntilIdle();
    EXPECT_EQ(GlobalVar.CurIPSetting.IPAddr, 0x01020304u);
    EXPECT_EQ(GlobalVar.CurWlSetting.StdChannel, 4);
}

TEST_F(ConfigTest, SetRepliesCarryTheWaitingKind) {
    struct Row {
        const char* name;
        std::function<bool(TFormUDP&)> send;
        int32_t kind;
        std::vector<uint8_t> reply;
        intptr_t result;
    } rows[] = {
        {"address", [](TFormUDP& u) { return u.SendIPSetting(32000); }, REQ_IPSETTING,
         Area({TLVTYPE_OTHER_RESULT, 1, 1}), 1},
        {"wireless refused", [](TFormUDP& u) { return u.SendWlSetting(32000); }, REQ_WLSETTING,
         Area({TLVTYPE_OTHER_RESULT, 1, 0}), 0},
        {"push button", [](TFormUDP& u) { return u.SendWPSPBC(10000); }, REQ_WPSPBC,
         Area({0x77, 0, TLVTYPE_OTHER_RESULT, 1, 5}), 5},
        {"PIN without result counts as refused", [](TFormUDP& u) { return u.SendWPSPIN(10000); },
         REQ_WPSPIN, Area({}), 0},
    };
    for (const Row& r : rows) {
        window.Notes.clear();
        EXPECT_TRUE(r.send(Udp())) << r.name;
        EXPECT_EQ(Udp().PendingReq, r.kind) << r.name;
        device->SendReply(OP_SETCONFIG, r.reply);
        loop.RunUntilIdle();
        EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_REPLY, uintptr_t(r.kind), r.result}}))
            << r.name;
        EXPECT_EQ(Udp().PendingReq, REQ_NONE) << r.name;
        loop.Advance(40000);
        EXPECT_EQ(window.Notes.size(), 1u) << r.name << ": time-out stopped";
    }
}

TEST_F(ConfigTest, NoReplyGivesTheTimeOutOfTheKind) {
    struct Row {
        std::function<void(TFormUDP&)> send;
        uint32_t after;
        int32_t kind;
    } rows[] = {
        {[](TFormUDP& u) { u.SendGetConfig(15000); }, 15000, REQ_GETCONFIG},
        {[](TFormUDP& u) { u.SendIPSetting(32000); }, 32000, REQ_IPSETTING},
        {[](TFormUDP& u) { u.SendWlSetting(32000); }, 32000, REQ_WLSETTING},
        {[](TFormUDP& u) { u.SendWPSPBC(10000); }, 10000, REQ_WPSPBC},
        {[](TFormUDP& u) { u.SendWPSPIN(10000); }, 10000, REQ_WPSPIN},
        {[](TFormUDP& u) { u.SendLogout(2000); }, 2000, REQ_LOGOUT},
    };
    for (const Row& r : rows) {
        window.Notes.clear();
        r.send(Udp());
        loop.Advance(r.after - 1);
        EXPECT_TRUE(window.Notes.empty()) << r.kind;
        loop.Advance(1);
        EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_TIMEOUT, uintptr_t(r.kind), 0}}))
            << r.kind;
        EXPECT_EQ(Udp().PendingReq, REQ_NONE);
    }
}

TEST_F(ConfigTest, RepliesNotAwaitedAreIgnored) {
    const IPSetting before = GlobalVar.CurIPSetting;
    Udp().SendGetConfig(2000);
    device->SendReply(OP_SETCONFIG, Area({TLVTYPE_OTHER_RESULT, 1, 1}));
    device->SendReply(OP_LOGIN, Area({TLVTYPE_OTHER_RESULT, 1, 1}));
    loop.RunUntilIdle();
    EXPECT_TRUE(window.Notes.empty());
    EXPECT_EQ(Udp().PendingReq, REQ_GETCONFIG);
    EXPECT_EQ(std::count(log.Lines.begin(), log.Lines.end(), "  ignore data"), 2);
    loop.Advance(2000);
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_TIMEOUT, REQ_GETCONFIG, 0}}));

    // A get-config reply after its time-out changes nothing.
    device->SendReply(OP_GETCONFIG, Area({LAN_IP, 4, 1, 1, 1, 1}));
    loop.RunUntilIdle();
    EXPECT_EQ(GlobalVar.CurIPSetting.IPAddr, before.IPAddr);
    EXPECT_EQ(window.Notes.size(), 1u);
}

TEST_F(ConfigTest, EventsArriveWhateverIsPending) {
    device->SendWpsStatus(3);
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_EVENT, UDP_EVENT_WPS, 3}}));
    EXPECT_TRUE(log.Contains("  TLVTYPE_OTHER_WPS_STATUS 3"));

    window.Notes.clear();
    Udp().SendWPSPBC(10000);
    device->SendEvent(Area(
        {0x77, 1, 0, TLVTYPE_OTHER_WPS_STATUS, 4, 0, 0, 0, 34, TLVTYPE_OTHER_CONNECTTIMEOUT, 0}));
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes, (std::vector<Note>{{UM_UDP_EVENT, UDP_EVENT_WPS, 34}}));
    EXPECT_FALSE(Udp().LoggedIn) << "the device dropped the login";
    EXPECT_EQ(Udp().PendingReq, REQ_WPSPBC) << "events leave the request alone";
    EXPECT_TRUE(log.Contains("  TLVTYPE_OTHER_CONNECTTIMEOUT"));
    EXPECT_TRUE(log.Contains("  TLV=0x77"));
    device->SendReply(OP_SETCONFIG, Area({TLVTYPE_OTHER_RESULT, 1, 1}));
    loop.RunUntilIdle();
    EXPECT_EQ(window.Notes.back(), (Note{UM_UDP_REPLY, REQ_WPSPBC, 1}));
}

TEST_F(ConfigTest, UnhandledOpcodeAndEmptyPasswordKey) {
    device->SendReply(5, Area({TLVTYPE_OTHER_RESULT, 1, 1}));
    loop.RunUntilIdle();
    EXPECT_TRUE(window.Notes.empty());
    EXPECT_TRUE(log.Contains("[Rx] 192.168.1.1:5432 size=21"));

    // With an empty password both sides use the built-in key.
    GlobalVar.Password.clear();
    device->Password.clear();
    Udp().SendGetConfig(2000);
    EXPECT_EQ(ToHex(device->Requests.back().Area), "93 01 00");
    device->SendReply(OP_GETCONFIG, Area({WL_STD_CH, 1, 11}));
    loop.RunUntilIdle();
    EXPECT_EQ(GlobalVar.CurWlSetting.StdChannel, 11);
}
