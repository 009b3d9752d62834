#include "protocol/CIPHelp.h"

#include <arpa/inet.h>
#include <cstring>

uint32_t AddressFromText(const std::string& text) {
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1)
        return 0;
    return ntohl(a.s_addr);
}

std::optional<std::vector<platform::Adapter>> CIPHelp::GetAdapterList() {
    std::optional<std::vector<platform::Adapter>> list = Network.GetAdapters();
    if (!list || list->empty())
        return std::nullopt;
    return list;
}

bool CIPHelp::FindAdapter(uint32_t wanted, std::string& mask, std::string& gateway, uint8_t* mac) {
    std::optional<std::vector<platform::Adapter>> list = GetAdapterList();
    if (!list)
        return false;
    bool haveFirst = false;
    for (const platform::Adapter& adapter : *list) {
        for (const platform::AdapterAddress& addr : adapter.Addresses) {
            const uint32_t ip = AddressFromText(addr.IPText);
            if (ip == 0)
                continue;
            if (wanted == 0 || ip == wanted) {
                mask = addr.MaskText;
                gateway = adapter.GatewayText;
                if (mac)
                    std::memcpy(mac, adapter.MAC, 6);
                return true;
            }
            if (!haveFirst) {
                haveFirst = true;
                mask = addr.MaskText;
                gateway = adapter.GatewayText;
            }
        }
    }
    return false;
}
