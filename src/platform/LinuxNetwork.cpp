#include "platform/LinuxNetwork.h"

#include "platform/LinuxDatagramSocket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <climits>
#include <fstream>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>
#include <sstream>

namespace platform {

namespace {

std::string Dotted(const sockaddr* sa) {
    if (!sa || sa->sa_family != AF_INET)
        return "0.0.0.0";
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(sa)->sin_addr, text, sizeof text);
    return text;
}

// "eth0:1" is a labelled address of eth0.
std::string BaseName(const char* name) {
    std::string text(name ? name : "");
    return text.substr(0, text.find(':'));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int ReadInt(const std::string& path) {
    std::ifstream in(path);
    int value = -1;
    if (!(in >> value))
        return -1;
    return value;
}

} // namespace

std::map<std::string, std::string>
LinuxNetwork::ParseDefaultGateways(const std::string& routeText) {
    struct Best {
        unsigned long metric;
        std::string gateway;
    };
    std::map<std::string, Best> best;
    std::istringstream lines(routeText);
    std::string line;
    std::getline(lines, line); // column titles
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string iface, dest, gw, flags, refcnt, use, metric, mask;
        if (!(fields >> iface >> dest >> gw >> flags >> refcnt >> use >> metric >> mask))
            continue;
        const unsigned long flagBits = std::strtoul(flags.c_str(), nullptr, 16);
        if (std::strtoul(dest.c_str(), nullptr, 16) != 0 ||
            std::strtoul(mask.c_str(), nullptr, 16) != 0 || !(flagBits & RTF_UP) ||
            !(flagBits & RTF_GATEWAY))
            continue;
        // The kernel prints the address as the 32-bit word it stores, in network order.
        in_addr addr{};
        addr.s_addr = uint32_t(std::strtoul(gw.c_str(), nullptr, 16));
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &addr, text, sizeof text);
        const unsigned long m = std::strtoul(metric.c_str(), nullptr, 10);
        auto it = best.find(iface);
        if (it == best.end() || m < it->second.metric)
            best[iface] = Best{m, text};
    }
    std::map<std::string, std::string> out;
    for (auto& [iface, b] : best)
        out[iface] = b.gateway;
    return out;
}

int LinuxNetwork::ReversePathFilter(const std::string& interface) {
    const int all = ReadInt("/proc/sys/net/ipv4/conf/all/rp_filter");
    const int own = ReadInt("/proc/sys/net/ipv4/conf/" + interface + "/rp_filter");
    return std::max(all, own);
}

std::optional<std::vector<Adapter>> LinuxNetwork::GetAdapters() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;

    std::vector<Adapter> adapters;
    auto entry = [&](const std::string& name) -> Adapter& {
        auto it = std::find_if(adapters.begin(), adapters.end(),
                               [&](const Adapter& a) { return a.Description == name; });
        if (it != adapters.end())
            return *it;
        adapters.push_back(Adapter{});
        adapters.back().Description = name;
        return adapters.back();
    };

    // getifaddrs lists the link entries first (by interface index), then the addresses.
    for (ifaddrs* ifa = list; ifa; ifa = ifa->ifa_next) {
        if (!ifa->ifa_addr || (ifa->ifa_flags & IFF_LOOPBACK) || !(ifa->ifa_flags & IFF_UP))
            continue;
        const std::string name = BaseName(ifa->ifa_name);
        if (ifa->ifa_addr->sa_family == AF_PACKET) {
            const auto* ll = reinterpret_cast<const sockaddr_ll*>(ifa->ifa_addr);
            Adapter& a = entry(name);
            if (ll->sll_halen >= 6)
                std::copy(ll->sll_addr, ll->sll_addr + 6, a.MAC);
        } else if (ifa->ifa_addr->sa_family == AF_INET) {
            entry(name).Addresses.push_back(
                AdapterAddress{Dotted(ifa->ifa_addr), Dotted(ifa->ifa_netmask)});
        }
    }
    freeifaddrs(list);

    if (adapters.empty())
        return std::nullopt;
    // The calling thread's namespace: /proc/net follows the process's first thread.
    std::string routes = ReadFile("/proc/thread-self/net/route");
    if (routes.empty())
        routes = ReadFile("/proc/net/route");
    const auto gateways = ParseDefaultGateways(routes);
    for (Adapter& a : adapters) {
        auto it = gateways.find(a.Description);
        if (it != gateways.end())
            a.GatewayText = it->second;
    }
    return adapters;
}

std::unique_ptr<DatagramSocket> LinuxNetwork::CreateDatagramSocket(EventLoop& loop) {
    return std::make_unique<LinuxDatagramSocket>(loop);
}

} // namespace platform
