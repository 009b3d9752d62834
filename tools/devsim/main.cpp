// signalmate-devsim: plays the access point on a real network (run it inside a private network
// namespace). See DeviceSim.h for what it answers.
#include "DeviceSim.h"

#include "app/CGlobalVar.h"
#include "app/TextHelpers.h"
#include "platform/PollEventLoop.h"

#include <CLI/CLI.hpp>
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

bool ParseMac(const std::string& text, std::array<uint8_t, 6>& mac) {
    unsigned b[6];
    char tail;
    if (std::sscanf(text.c_str(), "%2x%*1[:-]%2x%*1[:-]%2x%*1[:-]%2x%*1[:-]%2x%*1[:-]%2x%c", &b[0],
                    &b[1], &b[2], &b[3], &b[4], &b[5], &tail) != 6)
        return false;
    for (int i = 0; i < 6; ++i)
        mac[i] = uint8_t(b[i]);
    return true;
}

bool ParseAddress(const std::string& text, uint32_t& hostOrder) {
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1)
        return false;
    hostOrder = ntohl(a.s_addr);
    return true;
}

const std::map<std::string, int> OPCODES{
    {"discover", 0}, {"login", 1}, {"logout", 2}, {"getconfig", 3}, {"setconfig", 4}};

} // namespace

int main(int argc, char** argv) {
    SimConfig cfg;
    cfg.Password = DEFAULT_PASSWORD;
    CLI::App app{"Device emulator: answers the set-up tool's UDP protocol like the access point"};
    std::string mac, ip, mask, gateway, security = "none", auth = "open", wpaMode = "wpa2",
                                        cipher = "aes", reply = "broadcast", wps = "success",
                                        channels;
    std::vector<std::string> drops;
    bool dhcp = false;
    app.add_option("--mac", mac, "MAC of the (first) device, e.g. 00:1B:2C:0D:0E:01");
    app.add_option("--name", cfg.Name, "device name in discovery replies");
    app.add_option("--password", cfg.Password, "device password (cipher key); empty allowed");
    app.add_option("--ip", ip, "configured LAN address");
    app.add_option("--mask", mask, "configured net mask");
    app.add_option("--gateway", gateway, "configured gateway");
    app.add_flag("--dhcp", dhcp, "configured for an automatic address");
    app.add_option("--ssid", cfg.Device.SSID, "network name");
    app.add_option("--channels", channels, "channel list, e.g. 1,2,3");
    app.add_option("--std-ch", cfg.Device.StdChannel, "standard channel (0 automatic)");
    app.add_option("--ext-ch", cfg.Device.ExtChannel, "extension channel");
    app.add_option("--security", security, "none|wep|wpa-psk|wpa")
        ->check(CLI::IsMember({"none", "wep", "wpa-psk", "wpa"}));
    app.add_option("--auth", auth, "WEP authentication open|shared|auto")
        ->check(CLI::IsMember({"open", "shared", "auto"}));
    app.add_option("--wep-key", cfg.Device.WepKey, "WEP key");
    app.add_option("--wep-length", cfg.Device.WepKeyLen, "64|128")
        ->transform(CLI::Transformer(std::map<std::string, int>{{"64", 0}, {"128", 1}}));
    app.add_option("--wpa-mode", wpaMode, "wpa|wpa2|auto")
        ->check(CLI::IsMember({"wpa", "wpa2", "auto"}));
    app.add_option("--wpa-cipher", cipher, "tkip|aes|both")
        ->check(CLI::IsMember({"tkip", "aes", "both"}));
    app.add_option("--psk", cfg.Device.WpaPsk, "WPA pre-shared key");
    app.add_option("--wps-pin", cfg.Device.WpsDevicePin, "the device's own WPS PIN");
    app.add_option("--login-port", cfg.LoginPort,
                   "port named in the login reply (also listened on)");
    app.add_option("--reply", reply, "broadcast (to 255.255.255.255:5433) or unicast")
        ->check(CLI::IsMember({"broadcast", "unicast"}));
    app.add_option("--drop", drops,
                   "OPCODE:N drops the first N requests of an opcode "
                   "(0-6 or discover|login|logout|getconfig|setconfig)");
    app.add_option("--delay", cfg.DelayMs, "reply delay in ms");
    app.add_option("--wps-script", wps, "success|failure|idle|silence")
        ->check(CLI::IsMember({"success", "failure", "idle", "silence"}));
    app.add_option("--wps-step", cfg.WpsStepMs, "ms between WPS status events");
    app.add_option("--connect-timeout", cfg.ConnectTimeoutS,
                   "send the connect-time-out event this many s after a login (0 never)");
    app.add_option("--count", cfg.Count, "number of devices, consecutive MACs")
        ->check(CLI::Range(1, 65536));
    app.add_option("--spread", cfg.SpreadMs, "spread the discovery replies over this many ms");
    app.add_option("--state", cfg.StatePath, "JSON state file, rewritten after each change");
    app.add_option("--bind-interface", cfg.BindInterface, "interface to listen on");
    app.add_option("--bind-ip", cfg.BindIP, "address of that interface to answer from");
    CLI11_PARSE(app, argc, argv);

    auto usage = [](const std::string& what) {
        std::fprintf(stderr, "signalmate-devsim: %s\n", what.c_str());
        return 2;
    };
    if (!mac.empty() && !ParseMac(mac, cfg.MAC))
        return usage("bad --mac " + mac);
    if (!ip.empty() && !ParseAddress(ip, cfg.Device.IPAddr))
        return usage("bad --ip " + ip);
    if (!mask.empty() && !ParseAddress(mask, cfg.Device.NetMask))
        return usage("bad --mask " + mask);
    if (!gateway.empty() && !ParseAddress(gateway, cfg.Device.Gateway))
        return usage("bad --gateway " + gateway);
    cfg.Device.IPMode = dhcp ? 1 : 0;
    if (!channels.empty()) {
        int32_t list[255];
        const int n = ParseIntList(channels, list, 255);
        cfg.Device.ChannelList.clear();
        for (int i = 0; i < n && i < 255; ++i)
            cfg.Device.ChannelList.push_back(uint8_t(list[i]));
    }
    cfg.Device.SecurityMode = security == "none"      ? 0
                              : security == "wep"     ? 1
                              : security == "wpa-psk" ? 2
                                                      : 3;
    cfg.Device.AuthMode = auth == "open" ? 0 : auth == "shared" ? 1 : 2;
    cfg.Device.WpaMode = wpaMode == "wpa" ? 0 : wpaMode == "wpa2" ? 1 : 2;
    cfg.Device.WpaCipher = cipher == "tkip" ? 0 : cipher == "aes" ? 1 : 2;
    cfg.Unicast = reply == "unicast";
    cfg.Wps = wps == "success"   ? WpsScript::Success
              : wps == "failure" ? WpsScript::Failure
              : wps == "idle"    ? WpsScript::Idle
                                 : WpsScript::Silence;
    for (const std::string& d : drops) {
        const auto colon = d.find(':');
        if (colon == std::string::npos)
            return usage("bad --drop " + d);
        const std::string op = d.substr(0, colon);
        int code = -1, count = -1;
        if (auto it = OPCODES.find(op); it != OPCODES.end())
            code = it->second;
        else if (std::sscanf(op.c_str(), "%d", &code) != 1 || code < 0 || code > 255)
            return usage("bad --drop opcode " + op);
        if (std::sscanf(d.c_str() + colon + 1, "%d", &count) != 1 || count < 0)
            return usage("bad --drop count " + d);
        cfg.Drop[code] = count;
    }

    // SIGTERM and SIGINT arrive through a descriptor the loop watches: a clean way out.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    const int sigfd = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (sigfd < 0)
        return usage("no signal descriptor");

    platform::PollEventLoop loop;
    DeviceSim sim(loop, cfg);
    if (!sim.Start())
        return 1;
    loop.watchReadable(sigfd, [&] {
        signalfd_siginfo info;
        while (::read(sigfd, &info, sizeof info) == sizeof info) {
        }
        loop.quit();
    });
    loop.run();
    loop.unwatch(sigfd);
    ::close(sigfd);
    sim.WriteState();
    return 0;
}
