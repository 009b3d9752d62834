#include "CliRunner.h"

#include "app/CGlobalVar.h"
#include "app/FixedText.h"
#include "app/MessageTexts.h"
#include "app/Messages.h"
#include "app/SettingRules.h"
#include "app/TextHelpers.h"
#include "app/WpsStatusTexts.h"
#include "platform/EventLoop.h"
#include "platform/Timer.h"
#include "protocol/TFormUDP.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string Dotted(uint32_t a) {
    return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 0xFF) + "." +
           std::to_string((a >> 8) & 0xFF) + "." + std::to_string(a & 0xFF);
}

std::string UpperMac(std::string mac) {
    for (char& c : mac)
        c = c == '-' ? ':' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return mac;
}

std::vector<int> Channels(const WlSetting& wl) {
    std::vector<int> list;
    for (size_t i = 0; i < sizeof(wl.ChannelList) && wl.ChannelList[i]; ++i)
        list.push_back(wl.ChannelList[i]);
    return list;
}

bool SameIPSetting(const IPSetting& a, const IPSetting& b) {
    return a.IPMode == b.IPMode && a.IPAddr == b.IPAddr && a.NetMask == b.NetMask &&
           a.Gateway == b.Gateway && a.DNS1 == b.DNS1 && a.DNS2 == b.DNS2;
}

// An address option turned into the octets the address field would hold; false if it cannot.
bool AddressOption(const std::string& text, OctetTexts& octets) {
    if (!IsOctetText(text))
        return false;
    octets = SplitOctets(text);
    return true;
}

constexpr uint32_t WPS_LIMIT_MS = 180000;
constexpr uint32_t WPS_IDLE_AFTER_START_MS = 100000;

} // namespace

CliRunner::CliRunner(platform::EventLoop& loop, TFormUDP& udp, CliWindow& window, std::ostream& out,
                     std::ostream& err)
    : loop_(loop), udp_(udp), window_(window), out_(out), err_(err) {}

std::string CliRunner::Text(const char* key) const {
    return ReadMessageText(GlobalVar.Ini.get(), key);
}

int CliRunner::Fail(int code, const std::string& text) {
    err_ << "signalmate-cli: " << text << '\n';
    return code;
}

int CliRunner::Run(const CliOptions& options) {
    options_ = options;
    GlobalVar.Password = options_.Password;

    // Rules that need nothing from the device refuse before anything is sent.
    if (options_.Command == "set-wireless") {
        if (const char* key = CheckSsid(options_.SSID))
            return Fail(EXIT_REFUSED, Text(key));
        if (options_.Security == "wep") {
            WepKeyCheck wep = CheckWepKey(options_.WepLength == 128 ? 1 : 0, options_.WepKey);
            if (wep.ErrorKey)
                return Fail(EXIT_REFUSED, Text(wep.ErrorKey));
        } else if (options_.Security == "wpa-psk") {
            if (const char* key = CheckPsk(options_.Psk))
                return Fail(EXIT_REFUSED, Text(key));
        }
    } else if (options_.Command == "wps" && options_.WpsMethod == "pin") {
        if (const char* key = CheckPin(options_.Pin, nullptr))
            return Fail(EXIT_REFUSED, Text(key));
    } else if (options_.Command == "set-ip" && options_.IPMode == "static") {
        OctetTexts a, m, g;
        if (!AddressOption(options_.Address, a))
            return Fail(EXIT_REFUSED, Text("ErIPAddr"));
        if (!AddressOption(options_.Mask, m))
            return Fail(EXIT_REFUSED, Text("ErSubnetMask"));
        if (!AddressOption(options_.Gateway, g))
            return Fail(EXIT_REFUSED, Text("ErDefaultGateway"));
        FixBroadcastEnding(a);
        // The clash with the PC's own address is checked once the adapter is known.
        if (const char* key = CheckStaticAddress(a, m, g, std::string()))
            return Fail(EXIT_REFUSED, Text(key));
    }

    if (int rc = Search())
        return rc;
    if (options_.Command == "discover") {
        PrintDiscover();
        return EXIT_DONE;
    }
    if (int rc = FindDevice())
        return rc;
    if (int rc = Login(5000, "ER_LOGIN"))
        return rc;
    if (int rc = ReadConfig(5000))
        return Finish(rc);

    int rc = EXIT_DONE;
    if (options_.Command == "set-ip")
        rc = SetIP();
    else if (options_.Command == "set-wireless")
        rc = SetWireless();
    else if (options_.Command == "wps")
        rc = Wps();
    if (rc == EXIT_DONE)
        PrintConfig();
    return Finish(rc);
}

int CliRunner::Finish(int code) {
    udp_.SendLogout(0);
    return code;
}

std::optional<CliWindow::Note> CliRunner::WaitFor(uintptr_t kind) {
    std::optional<CliWindow::Note> found;
    loop_.runUntil([&] {
        while (!found && !window_.Notes.empty()) {
            CliWindow::Note note = window_.Notes.front();
            window_.Notes.pop_front();
            if (note.Msg == UM_UDP_EVENT) {
                if (onWpsStatus_ && note.WParam == UDP_EVENT_WPS)
                    onWpsStatus_(static_cast<uint32_t>(note.LParam));
            } else if (note.WParam == kind) {
                found = note;
            }
        }
        return found.has_value();
    });
    return found;
}

void CliRunner::TakeEvents() {
    while (!window_.Notes.empty()) {
        CliWindow::Note note = window_.Notes.front();
        window_.Notes.pop_front();
        if (note.Msg == UM_UDP_EVENT && note.WParam == UDP_EVENT_WPS && onWpsStatus_)
            onWpsStatus_(static_cast<uint32_t>(note.LParam));
    }
}

int CliRunner::Search() {
    if (!udp_.SendDiscover(options_.WaitMs, true))
        return EXIT_NO_DEVICE; // the engine has said why
    WaitFor(REQ_DISCOVER);
    devices_.clear();
    udp_.GetDevList(devices_);
    if (devices_.empty())
        return Fail(EXIT_NO_DEVICE, "no device found");
    return EXIT_DONE;
}

int CliRunner::FindDevice() {
    const std::string wanted = UpperMac(options_.Device);
    for (const DevInfo& dev : devices_) {
        if (MacToText(dev.MAC) == wanted) {
            GlobalVar.CurDevInfo = dev;
            return EXIT_DONE;
        }
    }
    return Fail(EXIT_NO_DEVICE, "device " + options_.Device + " not found");
}

int CliRunner::Login(uint32_t timeoutMs, const char* failureKey) {
    udp_.SendLogin(timeoutMs);
    std::optional<CliWindow::Note> note = WaitFor(REQ_LOGIN);
    if (!note || note->Msg == UM_UDP_TIMEOUT)
        return Fail(EXIT_NO_DEVICE, Text(failureKey));
    if (note->LParam == 0)
        return Fail(EXIT_REFUSED, Text(failureKey));
    return EXIT_DONE;
}

int CliRunner::ReadConfig(uint32_t timeoutMs) {
    udp_.SendGetConfig(timeoutMs);
    std::optional<CliWindow::Note> note = WaitFor(REQ_GETCONFIG);
    if (!note || note->Msg == UM_UDP_TIMEOUT)
        return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
    return EXIT_DONE;
}

int CliRunner::SetRun(uintptr_t kind, const std::function<void()>& send) {
    bool retry = true;
    for (;;) {
        if (!udp_.LoggedIn) {
            if (!retry)
                return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
            retry = false;
            if (int rc = Login(5000, "ER_CONNECT"))
                return rc;
            continue;
        }
        send();
        std::optional<CliWindow::Note> note = WaitFor(kind);
        if (!note)
            return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
        if (note->Msg == UM_UDP_TIMEOUT) {
            if (!retry)
                return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
            // One fresh login per run: the device may have dropped ours.
            retry = false;
            udp_.SendLogout(0);
            if (int rc = Login(5000, "ER_CONNECT"))
                return rc;
            continue;
        }
        if (note->LParam == 0)
            return Fail(EXIT_REFUSED, Text("ER_CONNECT"));
        WaitWithMessages(loop_, 3000);
        return ReadConfig(15000);
    }
}

int CliRunner::SetIP() {
    GlobalVar.NewIPSetting = GlobalVar.CurIPSetting;
    IPSetting& ip = GlobalVar.NewIPSetting;
    if (options_.IPMode == "dhcp") {
        if (ip.IPMode != 0)
            return EXIT_DONE; // already automatic: nothing to send
        ip.IPMode = 1;
    } else {
        OctetTexts a, m, g;
        AddressOption(options_.Address, a);
        AddressOption(options_.Mask, m);
        AddressOption(options_.Gateway, g);
        FixBroadcastEnding(a);
        if (const char* key = CheckStaticAddress(a, m, g, udp_.LastLocalIP))
            return Fail(EXIT_REFUSED, Text(key));
        ip.IPMode = 0;
        ip.IPAddr = OctetsToAddress(a);
        ip.NetMask = OctetsToAddress(m);
        ip.Gateway = OctetsToAddress(g);
        if (SameIPSetting(ip, GlobalVar.CurIPSetting))
            return EXIT_DONE;
    }
    return SetRun(REQ_IPSETTING, [this] { udp_.SendIPSetting(32000); });
}

int CliRunner::SetWireless() {
    GlobalVar.NewWlSetting = GlobalVar.CurWlSetting;
    WlSetting& wl = GlobalVar.NewWlSetting;
    SetFixedText(wl.SSID, options_.SSID);
    wl.StdChannel = 0;
    wl.ExtChannel = 0;
    if (options_.Security == "wep") {
        wl.SecurityMode = 1;
        wl.WepKeyLen = options_.WepLength == 128 ? 1 : 0;
        SetFixedText(wl.WepKey, CheckWepKey(wl.WepKeyLen, options_.WepKey).StoredKey);
        wl.AuthMode = options_.Auth == "open" ? 0 : options_.Auth == "shared" ? 1 : 2;
    } else if (options_.Security == "wpa-psk") {
        wl.SecurityMode = 2;
        wl.WpaMode = options_.WpaMode == "wpa" ? 0 : options_.WpaMode == "wpa2" ? 1 : 2;
        wl.WpaCipher = wl.WpaMode; // TKIP for WPA, AES for WPA2, both for either
        SetFixedText(wl.WpaPsk, options_.Psk);
    } else {
        wl.SecurityMode = 0;
        wl.AuthMode = 0;
        wl.WepKeyLen = 0;
        wl.WepKeyIndex = 1;
        std::memset(wl.WepKey, 0, sizeof(wl.WepKey));
        wl.WpaMode = 2;
        wl.WpaCipher = 2;
        std::memset(wl.WpaPsk, 0, sizeof(wl.WpaPsk));
    }
    return SetRun(REQ_WLSETTING, [this] { udp_.SendWlSetting(32000); });
}

int CliRunner::Wps() {
    const bool pbc = options_.WpsMethod == "pbc";
    GlobalVar.WPSMode = pbc ? 1 : 0;
    if (!pbc)
        CheckPin(options_.Pin, &GlobalVar.NewWlSetting.WpsPin);
    const uintptr_t kind = pbc ? REQ_WPSPBC : REQ_WPSPIN;

    bool retry = true;
    bool started = false;
    while (!started) {
        if (!udp_.LoggedIn) {
            if (!retry)
                return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
            retry = false;
            if (int rc = Login(2000, "ER_CONNECT"))
                return rc;
            continue;
        }
        if (pbc)
            udp_.SendWPSPBC(10000);
        else
            udp_.SendWPSPIN(10000);
        std::optional<CliWindow::Note> note = WaitFor(kind);
        if (!note)
            return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
        if (note->Msg == UM_UDP_TIMEOUT) {
            if (!retry)
                return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
            retry = false;
            udp_.SendLogout(0);
            if (int rc = Login(2000, "ER_CONNECT"))
                return rc;
            continue;
        }
        if (note->LParam == 0)
            return Fail(EXIT_REFUSED, Text("ER_CONNECT"));
        started = true;
    }

    // Follow the device's status reports until one ends the run or the limit passes.
    enum class Outcome { Waiting, Idle, Configured, Failed, TimedOut };
    Outcome outcome = Outcome::Waiting;
    std::optional<uint64_t> lastStart; // a status 1 counts only after a status 3
    platform::Timer limit(loop_, WPS_LIMIT_MS);
    limit.OnTimer = [&](platform::Timer& t) {
        t.SetEnabled(false);
        if (outcome == Outcome::Waiting)
            outcome = Outcome::TimedOut;
    };
    limit.SetEnabled(true);
    onWpsStatus_ = [&](uint32_t code) {
        if (outcome != Outcome::Waiting)
            return;
        out_ << code << ' ' << WpsStatusText(code) << std::endl;
        if (code == 3)
            lastStart = loop_.tickCount();
        else if (code == 1)
            outcome = lastStart && loop_.tickCount() - *lastStart <= WPS_IDLE_AFTER_START_MS
                          ? Outcome::Idle
                          : Outcome::Failed;
        else if (code == 2)
            outcome = Outcome::Failed;
        else if (code == 34)
            outcome = Outcome::Configured;
    };
    TakeEvents();
    loop_.runUntil([&] {
        TakeEvents();
        return outcome != Outcome::Waiting;
    });
    limit.SetEnabled(false);
    const Outcome ended = outcome;
    onWpsStatus_ = nullptr;

    switch (ended) {
    case Outcome::Idle:
        WaitWithMessages(loop_, 25000);
        break;
    case Outcome::Configured:
        WaitWithMessages(loop_, 10000);
        break;
    case Outcome::Failed:
        return Fail(EXIT_REFUSED, Text("ER_CONNECT"));
    case Outcome::Waiting:
    case Outcome::TimedOut:
        return Fail(EXIT_NO_DEVICE, Text("ER_CONNECT"));
    }
    window_.Notes.clear(); // statuses during the settling wait are not followed
    return ReadConfig(5000);
}

void CliRunner::PrintDiscover() const {
    if (options_.Json) {
        nlohmann::json list = nlohmann::json::array();
        for (const DevInfo& dev : devices_) {
            list.push_back({{"MAC", MacToText(dev.MAC)},
                            {"DevName", FixedText(dev.DevName)},
                            {"DevIP", Dotted(dev.DevIP)},
                            {"LocalIP", Dotted(dev.LocalIP)},
                            {"LocalMask", Dotted(dev.LocalMask)}});
        }
        out_ << nlohmann::json{{"devices", list}}.dump(2) << '\n';
        return;
    }
    for (const DevInfo& dev : devices_)
        out_ << MacToText(dev.MAC) << '\t' << FixedText(dev.DevName) << '\t' << Dotted(dev.DevIP)
             << '\t' << Dotted(dev.LocalIP) << '\n';
}

void CliRunner::PrintConfig() const {
    const IPSetting& ip = GlobalVar.CurIPSetting;
    const WlSetting& wl = GlobalVar.CurWlSetting;
    const std::vector<int> channels = Channels(wl);
    if (options_.Json) {
        nlohmann::json doc = {{"MAC", MacToText(GlobalVar.CurDevInfo.MAC)},
                              {"IPSetting",
                               {{"IPMode", ip.IPMode},
                                {"IPAddr", Dotted(ip.IPAddr)},
                                {"NetMask", Dotted(ip.NetMask)},
                                {"Gateway", Dotted(ip.Gateway)},
                                {"DNS1", Dotted(ip.DNS1)},
                                {"DNS2", Dotted(ip.DNS2)}}},
                              {"WlSetting",
                               {{"SSID", FixedText(wl.SSID)},
                                {"StdChannel", wl.StdChannel},
                                {"ExtChannel", wl.ExtChannel},
                                {"ChannelList", channels},
                                {"SecurityMode", wl.SecurityMode},
                                {"AuthMode", wl.AuthMode},
                                {"WepKeyLen", wl.WepKeyLen},
                                {"WepKeyIndex", wl.WepKeyIndex},
                                {"WepKey", FixedText(wl.WepKey)},
                                {"WpaMode", wl.WpaMode},
                                {"WpaCipher", wl.WpaCipher},
                                {"WpaPsk", FixedText(wl.WpaPsk)},
                                {"WpsDevicePin", wl.WpsDevicePin},
                                {"WpsPin", wl.WpsPin}}}};
        out_ << doc.dump(2) << '\n';
        return;
    }
    std::string list;
    for (int ch : channels)
        list += (list.empty() ? "" : ",") + std::to_string(ch);
    out_ << "IPMode=" << ip.IPMode << '\n'
         << "IPAddr=" << Dotted(ip.IPAddr) << '\n'
         << "NetMask=" << Dotted(ip.NetMask) << '\n'
         << "Gateway=" << Dotted(ip.Gateway) << '\n'
         << "DNS1=" << Dotted(ip.DNS1) << '\n'
         << "DNS2=" << Dotted(ip.DNS2) << '\n'
         << "SSID=" << FixedText(wl.SSID) << '\n'
         << "StdChannel=" << int(wl.StdChannel) << '\n'
         << "ExtChannel=" << int(wl.ExtChannel) << '\n'
         << "ChannelList=" << list << '\n'
         << "SecurityMode=" << wl.SecurityMode << '\n'
         << "AuthMode=" << wl.AuthMode << '\n'
         << "WepKeyLen=" << wl.WepKeyLen << '\n'
         << "WepKeyIndex=" << wl.WepKeyIndex << '\n'
         << "WepKey=" << FixedText(wl.WepKey) << '\n'
         << "WpaMode=" << wl.WpaMode << '\n'
         << "WpaCipher=" << wl.WpaCipher << '\n'
         << "WpaPsk=" << FixedText(wl.WpaPsk) << '\n'
         << "WpsDevicePin=" << wl.WpsDevicePin << '\n'
         << "WpsPin=" << wl.WpsPin << '\n';
}
